#pragma once

#include "store/ToolModel.h"

// Joins several PDFs, in the order listed, into one file.
class MergeTool : public ToolModel {
    Q_OBJECT

public:
    explicit MergeTool(Store& store);

    const QList<PDFFile>& mergeFiles() const { return m_mergeFiles; }
    void setMergeFiles(const QList<PDFFile>& files);

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

private:
    QList<PDFFile> m_mergeFiles;
};
