#pragma once

#include "core/PDFFile.h"
#include "engine/include/Job.h"

#include <QListView>
#include <QSet>
#include <optional>

class PageGridModel;
class Store;

// Pages as a grid of thumbnails, clicked to mark them (the pages of one document) or selected as
// in any list (pages of several files, each turned as it says): columns 120 to 180 wide and 16
// apart, only visible cells drawn, images asked of the Store as they come into view.
class PageGrid : public QListView {
    Q_OBJECT
    Q_PROPERTY(bool focusRing READ showsFocusRing)
public:
    static constexpr int minimumCell = 120;
    static constexpr int maximumCell = 180;
    static constexpr int gap = 16;
    static constexpr int thumbSide = 160;
    static constexpr int captionGap = 6;

    // How clicks and keys pick cells: each click marks or unmarks one (`toggled`), or the cells
    // are selected as in any list (click, Ctrl+click, Shift+click, Ctrl+A: `selectionEdited`).
    enum class Picking { marks, selection };

    explicit PageGrid(Store& store, QWidget* parent = nullptr, Picking picking = Picking::marks);

    Picking picking() const { return m_picking; }
    // Shows the pages of `file` (none: an empty grid).
    void setFile(const std::optional<PDFFile>& file);
    // Shows `cells`, each a page of one of `files` turned as it says.
    void setPages(const QList<PDFFile>& files, const QList<PDFEngine::OrganizedPage>& cells);
    void setSelected(const QSet<int>& pages);
    PageGridModel* pageModel() const { return m_model; }

    // A cell without its surrounding gap: thumbnail box and caption.
    QSize cellSize() const { return m_cell; }
    // The thumbnail box of a cell, in the cell's own coordinates.
    QRect thumbBox() const;
    // The "Sayfa N" caption under the thumbnail box, in the cell's own coordinates.
    QRect captionBox() const;
    // Where page `page` sits in the viewport (the cell without its gap).
    QRect cellRect(int page) const;
    // Whether the current cell shows the focus ring: the grid has the focus and was reached or
    // last used from the keyboard.
    bool showsFocusRing() const;

    // The size the cell's page is shown at, turned (for its proportions).
    QSizeF pageSize(int cell) const;
    // The cell's page's image from the Store's cache, not yet turned; none while it is still
    // rendering.
    std::optional<QImage> thumbnail(int cell);

signals:
    // The user clicked the cell of `page` (or pressed space on it).
    void toggled(int page);
    // The user changed the selected cells to `cells`.
    void selectionEdited(const QSet<int>& cells);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Clicks and keys never select by themselves: they mark through `toggled`, and the selection
    // only mirrors the marks.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    // A cell's Toggle action (assistive technology's way to press Space) changed the selection:
    // it asks for the mark as Space does, and the selection goes back to the marks.
    void selectionAsked(const QItemSelection& selected, const QItemSelection& deselected);

    void relayout();
    void showCells(int count);
    // The file a cell's page comes from; none for a cell of no file.
    const PDFFile* fileOf(const PDFEngine::OrganizedPage& cell) const;
    // The thumbnail box's height for a cell `width` wide, in the first page's proportions.
    int boxHeight(int width) const;
    void imageReady(const QString& key);

    Store& m_store;
    Picking m_picking;
    PageGridModel* m_model;
    QList<PDFFile> m_files;
    int m_columns = 1;
    QSize m_cell;
    QSizeF m_boxAspect{595, 842};
    QSet<QString> m_requested; // thumbnail keys
    bool m_keyboardFocus = false;
    bool m_mirroring = false;
};
