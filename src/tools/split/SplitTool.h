#pragma once

#include "core/SplitPlan.h"
#include "core/ToolOptions.h"
#include "store/ToolModel.h"

// Writes one file per page, per every N pages, or per range of one PDF.
class SplitTool : public ToolModel {
    Q_OBJECT

public:
    explicit SplitTool(Store& store);

    const std::optional<PDFFile>& splitFile() const { return m_splitFile; }
    void setSplitFile(const std::optional<PDFFile>& file);
    SplitMode splitMode() const { return m_splitMode; }
    void setSplitMode(SplitMode mode);
    int splitEvery() const { return m_splitEvery; }
    void setSplitEvery(int every);
    const QString& splitRanges() const { return m_splitRanges; }
    void setSplitRanges(const QString& ranges);
    // The page groups a split of splitFile would write, or why it cannot.
    SplitPlan splitGroups() const;

    QString key() const override { return QStringLiteral("split"); }
    QString title() const override;
    QString subtitle() const override;
    QString feature() const override;
    QString symbol() const override { return QStringLiteral("scissors"); }
    bool takesMany() const override { return false; }
    QList<PDFFile> inputs() const override;
    void take(const QStringList& paths, const Admit& admit) override;
    void clear() override { setSplitFile(std::nullopt); }
    std::optional<PreparedRun> prepare() override;

signals:
    void splitFileChanged();
    void splitModeChanged();
    void splitEveryChanged();
    void splitRangesChanged();

private:
    PDFEngine::SplitRule rule() const;

    std::optional<PDFFile> m_splitFile;
    SplitMode m_splitMode = SplitMode::each;
    int m_splitEvery = 2;
    QString m_splitRanges;
};
