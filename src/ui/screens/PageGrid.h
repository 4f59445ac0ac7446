#pragma once

#include "core/PDFFile.h"

#include <QHash>
#include <QListView>
#include <QSet>
#include <optional>

class PageGridModel;
class Store;

// The pages of one document as a grid of thumbnails that are clicked to mark them:
// columns 120 to 180 wide and 16 apart, only visible cells drawn, images asked of the Store as they
// come into view.
class PageGrid : public QListView {
    Q_OBJECT
    Q_PROPERTY(bool focusRing READ showsFocusRing)
public:
    static constexpr int minimumCell = 120;
    static constexpr int maximumCell = 180;
    static constexpr int gap = 16;
    static constexpr int thumbSide = 160;
    static constexpr int captionGap = 6;

    explicit PageGrid(Store& store, QWidget* parent = nullptr);

    // Shows the pages of `file` (none: an empty grid).
    void setFile(const std::optional<PDFFile>& file);
    void setSelected(const QSet<int>& pages);

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

    // The size the page is shown at (for its proportions).
    QSizeF pageSize(int page) const;
    // The page's image from the Store's cache; none while it is still rendering.
    std::optional<QImage> thumbnail(int page);

signals:
    // The user clicked the cell of `page` (or pressed space on it).
    void toggled(int page);

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
    // The thumbnail box's height for a cell `width` wide, in the first page's proportions.
    int boxHeight(int width) const;
    void imageReady(const QString& key);

    Store& m_store;
    PageGridModel* m_model;
    std::optional<PDFFile> m_file;
    int m_columns = 1;
    QSize m_cell;
    QSizeF m_boxAspect{595, 842};
    mutable QHash<int, QSizeF> m_pageSizes;
    QHash<QString, int> m_requested; // thumbnail key → page
    bool m_keyboardFocus = false;
    bool m_mirroring = false;
};
