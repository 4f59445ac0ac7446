#include "tools/merge/MergeTool.h"

#include "store/Dialogs.h"
#include "store/Store.h"
#include "store/ToolRun.h"
#include "tools/PDFFileList.h"

#include <QCoreApplication>

MergeTool::MergeTool(Store& store) : ToolModel(store) {}

QString MergeTool::title() const
{
    return QCoreApplication::translate("SectionText", "Birleştir");
}

QString MergeTool::feature() const
{
    return QCoreApplication::translate("AboutView", "Dosyaları sürükle, sırala, tek PDF yap");
}

QString MergeTool::subtitle() const
{
    return QCoreApplication::translate("SectionText",
                                       "Birden çok PDF'i sırayla tek dosyada toplar.");
}

void MergeTool::setMergeFiles(const QList<PDFFile>& files)
{
    if (!PDFFiles::same(files, m_mergeFiles)) {
        m_mergeFiles = files;
        notify(&MergeTool::mergeFilesChanged);
    }
}

void MergeTool::take(const QStringList& paths, const Admit& admit)
{
    QList<PDFFile> admitted;
    for (const QString& path : paths) {
        if (std::optional<PDFFile> file = admit(path)) {
            admitted.append(*file);
        }
    }
    if (!admitted.isEmpty()) {
        setMergeFiles(m_mergeFiles + admitted);
    }
}

std::optional<PreparedRun> MergeTool::prepare()
{
    if (m_mergeFiles.size() < 2) {
        return std::nullopt;
    }
    const std::optional<QString> destination =
        store().dialogs().save(ToolRun::suggestedName(m_mergeFiles.first(),
                                                      QCoreApplication::translate("Store",
                                                                                  "birleşik")),
                               ToolRun::startFolder(key(), m_mergeFiles));
    if (!destination) {
        return std::nullopt;
    }
    return PreparedRun{PDFEngine::MergeJob{ToolRun::sourcesOf(m_mergeFiles), *destination},
                       m_mergeFiles};
}
