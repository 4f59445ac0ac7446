#pragma once

#include "core/ToolOptions.h"
#include "store/ToolModel.h"

#include <QHash>
#include <QUuid>

// Re-encodes the images of one or more PDFs at a chosen level; files that would not shrink
// are not written.
class CompressTool : public ToolModel {
    Q_OBJECT

public:
    explicit CompressTool(Store& store);

    const QList<PDFFile>& compressFiles() const { return m_compressFiles; }
    void setCompressFiles(const QList<PDFFile>& files);
    // Each listed file's size after the last run, 0 when it did not shrink.
    const QHash<QUuid, qint64>& compressResults() const { return m_compressResults; }
    void setCompressResults(const QHash<QUuid, qint64>& results);
    CompressionLevel compressionLevel() const { return m_compressionLevel; }
    void setCompressionLevel(CompressionLevel level); // also written to the settings

    QString key() const override { return QStringLiteral("compress"); }
    QString title() const override;
    QString subtitle() const override;
    QString feature() const override;
    QString symbol() const override { return QStringLiteral("arrow.down.right.and.arrow.up.left"); }
    bool takesMany() const override { return true; }
    QList<PDFFile> inputs() const override { return m_compressFiles; }
    void take(const QStringList& paths, const Admit& admit) override;
    void clear() override;
    std::optional<PreparedRun> prepare() override;
    void starting() override { setCompressResults({}); }
    void apply(const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome) override;

signals:
    void compressFilesChanged();
    void compressResultsChanged();
    void compressionLevelChanged();

private:
    QList<PDFFile> m_compressFiles;
    QHash<QUuid, qint64> m_compressResults;
    CompressionLevel m_compressionLevel = CompressionLevel::balanced;
};
