#pragma once

#include "store/ToolModel.h"

#include <QSet>

// Writes a copy of one PDF without the pages the user selected.
class PagesTool : public ToolModel {
    Q_OBJECT

public:
    explicit PagesTool(Store& store);

    const std::optional<PDFFile>& pagesFile() const { return m_pagesFile; }
    void setPagesFile(const std::optional<PDFFile>& file);
    // The pages to delete, counted from 0.
    const QSet<int>& pagesSelected() const { return m_pagesSelected; }
    void setPagesSelected(const QSet<int>& pages);

    QString key() const override { return QStringLiteral("pages"); }
    QString title() const override;
    QString subtitle() const override;
    QString feature() const override;
    QString symbol() const override { return QStringLiteral("rectangle.stack.badge.minus"); }
    bool takesMany() const override { return false; }
    QList<PDFFile> inputs() const override;
    void take(const QStringList& paths, const Admit& admit) override;
    void clear() override;
    std::optional<PreparedRun> prepare() override;

signals:
    void pagesFileChanged();
    void pagesSelectedChanged();

private:
    std::optional<PDFFile> m_pagesFile;
    QSet<int> m_pagesSelected;
};
