#pragma once

#include "ui/screens/PageGrid.h"

#include <optional>

// The page grid whose selected cells are dragged to a new place, and where PDF files are dropped
// at a place; a bar between two cells shows where they would go.
class OrganizeGrid : public PageGrid {
    Q_OBJECT
public:
    static constexpr int barWidth = 3;

    explicit OrganizeGrid(Store& store, QWidget* parent = nullptr);

    // The position a drop at `point` (in the viewport) inserts before: the cell under it, or the
    // one after when the point is past the cell's middle; past the last cell, the end.
    int insertionAt(QPoint point) const;
    // Where the insertion bar stands while something is dragged over the grid.
    std::optional<int> insertion() const { return m_insertion; }
    // The bar drawn for insertion at `before`, in the viewport.
    QRect insertionBar(int before) const;

signals:
    // The cells at `positions` were dragged to stand before `before`.
    void moveRequested(const QList<int>& positions, int before);
    // Files were dropped to be inserted before `before`.
    void filesDropped(const QStringList& paths, int before);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Accepts a drag of cells or files and moves the bar to where it would drop; others are
    // refused.
    bool follow(QDropEvent* event);
    void setInsertion(std::optional<int> before);

    std::optional<int> m_insertion;
};
