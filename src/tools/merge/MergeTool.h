#pragma once

#include "store/ToolModel.h"

#include <QHash>
#include <QUuid>

// The pages one merge row gives: how many, or why its range text cannot be read.
struct MergePages {
    qint64 count = 0; // all the file's pages while the range cannot be read
    QString error;    // empty when the range is good or empty (all pages)
};

// Joins several PDFs, in the order listed, into one file; each may give only some of its pages.
class MergeTool : public ToolModel {
    Q_OBJECT

public:
    explicit MergeTool(Store& store);

    const QList<PDFFile>& mergeFiles() const { return m_mergeFiles; }
    // Rows keep their range text while they move; a row that goes takes its text along.
    void setMergeFiles(const QList<PDFFile>& files);
    // The range text of the row whose file has `id` ("1-3, 7, 10-"); empty for all its pages.
    QString mergeRange(const QUuid& id) const { return m_mergeRanges.value(id); }
    void setMergeRange(const QUuid& id, const QString& ranges);
    // The pages `file`'s row gives, read from its range text as a split reads its ranges.
    MergePages mergePages(const PDFFile& file) const;

    QString key() const override { return QStringLiteral("merge"); }
    QString title() const override;
    QString subtitle() const override;
    QString feature() const override;
    QString symbol() const override { return QStringLiteral("arrow.triangle.merge"); }
    bool takesMany() const override { return true; }
    QList<PDFFile> inputs() const override { return m_mergeFiles; }
    void take(const QStringList& paths, const Admit& admit) override;
    void clear() override { setMergeFiles({}); }
    std::optional<PreparedRun> prepare() override;

signals:
    void mergeFilesChanged();
    void mergeRangesChanged();

private:
    // The range text of each row as the job carries it; empty when every row gives all pages.
    QStringList jobRanges() const;

    QList<PDFFile> m_mergeFiles;
    // Keyed by the row's file id: a file listed twice is two rows, with a range each.
    QHash<QUuid, QString> m_mergeRanges;
};
