#include "tools/pages/PagesTool.h"

#include "store/Dialogs.h"
#include "store/Store.h"
#include "store/ToolRun.h"
#include "tools/PDFFileList.h"

#include <QCoreApplication>

PagesTool::PagesTool(Store& store) : ToolModel(store) {}

QString PagesTool::title() const
{
    return QCoreApplication::translate("SectionText", "Sayfa sil");
}

QString PagesTool::feature() const
{
    return QCoreApplication::translate("AboutView", "Sayfaları gör, seç, kalanı kaydet");
}

QString PagesTool::subtitle() const
{
    return QCoreApplication::translate("SectionText",
                                       "İstemediğin sayfaları seç, kalanı yeni dosyaya kaydet.");
}

void PagesTool::setPagesFile(const std::optional<PDFFile>& file)
{
    if (!PDFFiles::same(file, m_pagesFile)) {
        m_pagesFile = file;
        notify(&PagesTool::pagesFileChanged);
    }
}

void PagesTool::setPagesSelected(const QSet<int>& pages)
{
    if (pages != m_pagesSelected) {
        m_pagesSelected = pages;
        notify(&PagesTool::pagesSelectedChanged);
    }
}

QList<PDFFile> PagesTool::inputs() const
{
    return PDFFiles::listed(m_pagesFile);
}

void PagesTool::take(const QStringList& paths, const Admit& admit)
{
    if (std::optional<PDFFile> file = admit(paths.first())) {
        setPagesFile(file);
        setPagesSelected({});
    }
}

void PagesTool::clear()
{
    setPagesFile(std::nullopt);
    setPagesSelected({});
}

std::optional<PreparedRun> PagesTool::prepare()
{
    const std::optional<PDFFile>& file = m_pagesFile;
    if (!file || m_pagesSelected.isEmpty() || m_pagesSelected.size() >= file->pageCount) {
        return std::nullopt;
    }
    const std::optional<QString> destination = store().dialogs().save(
        ToolRun::suggestedName(*file, QCoreApplication::translate("Store", "düzenlenmiş")),
        ToolRun::startFolder(key(), {*file}));
    if (!destination) {
        return std::nullopt;
    }
    return PreparedRun{PDFEngine::DeletePagesJob{file->source, m_pagesSelected, std::nullopt,
                                                 *destination},
                       {*file}};
}
