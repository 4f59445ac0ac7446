#pragma once

#include "store/ToolModel.h"

#include <QList>
#include <QSet>

// Rotates, reorders, duplicates and deletes the pages of one PDF, takes in pages of others, and
// writes the result (or only the selected pages) to a new file. Every edit can be undone.
class OrganizeTool : public ToolModel {
    Q_OBJECT

public:
    explicit OrganizeTool(Store& store);

    // The document opened first, then every file whose pages were inserted, in the order taken;
    // OrganizedPage::source indexes this list.
    const QList<PDFFile>& organizeFiles() const { return m_organizeFiles; }
    // The pages as they will be written, in order.
    const QList<PDFEngine::OrganizedPage>& arrangement() const { return m_arrangement; }
    // Positions in the arrangement, counted from 0.
    const QSet<int>& organizeSelected() const { return m_organizeSelected; }
    void setOrganizeSelected(const QSet<int>& positions);

    // The edits; each one is a step of its own for undo, and leaves the moved, turned or new
    // pages selected.
    void rotateSelected(int quarterTurns);
    // Moves the pages at positions, keeping their order, so that they stand before the page now
    // at `before` (arrangement().size(): at the end).
    void move(const QList<int>& positions, int before);
    // Moves the selection one place earlier (-1) or later (+1) as a block.
    void moveSelected(int step);
    // False, and nothing changes, when no page would be left.
    bool deleteSelected();
    void duplicateSelected();
    // Admits paths (none: the files the user picks in the open dialog) and inserts their pages
    // before position `at` instead of at the end.
    void insertAt(int at, const QStringList& paths = {});

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    void undo();
    void redo();
    // Back to the document as opened, as one more step that can be undone.
    void reset();
    // Whether the arrangement differs from the document as opened.
    bool edited() const;

    // Writes only the selected pages, in arrangement order, to a file the user chooses.
    void extractSelected();

    QString key() const override { return QStringLiteral("organize"); }
    QString title() const override;
    QString subtitle() const override;
    QString feature() const override;
    QString symbol() const override;
    // With a document open, the open dialog takes several files to insert.
    bool takesMany() const override { return !m_organizeFiles.isEmpty(); }
    QList<PDFFile> inputs() const override;
    // With no document open, the first path becomes the document; the files' pages (the
    // others') are inserted at the position insertAt() names, else at the end.
    void take(const QStringList& paths, const Admit& admit) override;
    void clear() override;
    std::optional<PreparedRun> prepare() override;

signals:
    void organizeFilesChanged();
    void arrangementChanged();
    void organizeSelectedChanged();

private:
    // What one undo step brings back.
    struct Step {
        QList<PDFFile> files;
        QList<PDFEngine::OrganizedPage> arrangement;
        QSet<int> selected;
    };

    QList<PDFFile> m_organizeFiles;
    QList<PDFEngine::OrganizedPage> m_arrangement;
    QSet<int> m_organizeSelected;
    Step current() const;
    // Shows `step` without touching the undo history.
    void show(const Step& step);
    // Makes `next` the arrangement as one undo step; only the selection changes when the files
    // and pages stay as they are.
    void edit(const Step& next);
    // The arrangement with the pages at `positions` taken out and put back, in their order, at
    // `at` of what remains; the moved pages selected.
    Step moved(QList<int> positions, int at) const;
    QList<int> selectedInOrder() const;
    // The source index of file, adding it unless a file at its path is already listed.
    int sourceOf(const PDFFile& file, QList<PDFFile>& files) const;

    QList<Step> m_undo;
    QList<Step> m_redo;
    std::optional<int> m_insertAt;
    bool m_extracting = false;
};
