#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

class PageGrid;

// Draws one page cell: the page on paper with its image turned as the cell says, the deletion mark
// or the selection's tint when selected, and "Sayfa N" under it.
class PageCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit PageCellDelegate(PageGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static constexpr qreal markOpacity = 0.28;
    static constexpr int markSymbol = 30;

private:
    // The page's rectangle inside the thumbnail box, proportions kept, on whole pixels.
    QRectF pageRect(const QRect& box, QSizeF page) const;
    const QPixmap& markPixmap(qreal ratio) const;

    PageGrid& m_grid;
    mutable QPixmap m_mark;
};
