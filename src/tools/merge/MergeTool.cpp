#include "tools/merge/MergeTool.h"

#include "engine/include/PDFEngine.h"
#include "store/Dialogs.h"
#include "store/Store.h"
#include "store/ToolRun.h"
#include "tools/PDFFileList.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

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
        m_mergeRanges.removeIf([&files](const auto& range) {
            return std::none_of(files.begin(), files.end(),
                                [&range](const PDFFile& file) { return file.id == range.key(); });
        });
        notify(&MergeTool::mergeFilesChanged);
    }
}

void MergeTool::setMergeRange(const QUuid& id, const QString& ranges)
{
    if (ranges != mergeRange(id)) {
        m_mergeRanges.insert(id, ranges);
        notify(&MergeTool::mergeRangesChanged);
    }
}

MergePages MergeTool::mergePages(const PDFFile& file) const
{
    const QString ranges = mergeRange(file.id);
    if (ranges.trimmed().isEmpty()) {
        return {file.pageCount, {}};
    }
    const SplitPlan plan = PDFEngine::splitPlan({SplitMode::ranges, 0, ranges}, file.pageCount);
    if (!plan.error.isEmpty()) {
        return {file.pageCount, plan.error};
    }
    qint64 count = 0;
    for (const PageGroup& group : plan.groups) {
        count += group.size();
    }
    return {count, {}};
}

QStringList MergeTool::jobRanges() const
{
    QStringList ranges;
    for (const PDFFile& file : m_mergeFiles) {
        ranges << mergeRange(file.id).trimmed();
    }
    const bool chosen = std::any_of(ranges.begin(), ranges.end(),
                                    [](const QString& range) { return !range.isEmpty(); });
    return chosen ? ranges : QStringList{};
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
    for (const PDFFile& file : m_mergeFiles) {
        if (const QString error = mergePages(file).error; !error.isEmpty()) {
            store().setError(key(), QCoreApplication::translate("Store", "%1 sayfaları: %2")
                                        .arg(QFileInfo(file.source.path).fileName(), error));
            return std::nullopt;
        }
    }
    const std::optional<QString> destination =
        store().dialogs().save(ToolRun::suggestedName(m_mergeFiles.first(),
                                                      QCoreApplication::translate("Store",
                                                                                  "birleşik")),
                               ToolRun::startFolder(key(), m_mergeFiles));
    if (!destination) {
        return std::nullopt;
    }
    return PreparedRun{PDFEngine::MergeJob{ToolRun::sourcesOf(m_mergeFiles), *destination,
                                           jobRanges()},
                       m_mergeFiles};
}
