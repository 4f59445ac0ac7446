#include "FlowGrid.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

qreal askedHeight(QLayoutItem* item, qreal width)
{
    if (item->hasHeightForWidth()) {
        return item->heightForWidth(qRound(width));
    }
    return item->sizeHint().height();
}

QRect aligned(const QRectF& frame)
{
    const QPoint topLeft(qRound(frame.left()), qRound(frame.top()));
    const QPoint bottomRight(qRound(frame.right()), qRound(frame.bottom()));
    return {topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())};
}

} // namespace

FlowGrid::FlowGrid(qreal minimum, qreal spacing, QWidget* parent)
    : QLayout(parent), m_minimum(minimum), m_spacing(spacing)
{
    setContentsMargins(0, 0, 0, 0);
}

FlowGrid::~FlowGrid()
{
    qDeleteAll(m_items);
}

FlowGrid::Columns FlowGrid::columns(qreal width, int items, qreal minimum, qreal spacing)
{
    const int fitting = static_cast<int>(std::floor((width + spacing) / (minimum + spacing)));
    const int count = std::max(1, std::min(fitting, items));
    return {count, (width - spacing * (count - 1)) / count};
}

QList<QLayoutItem*> FlowGrid::visibleItems() const
{
    QList<QLayoutItem*> result;
    for (QLayoutItem* item : m_items) {
        if (!item->isEmpty()) {
            result << item;
        }
    }
    return result;
}

QList<qreal> FlowGrid::rowHeights(const QList<QLayoutItem*>& items, const Columns& columns) const
{
    QList<qreal> heights;
    for (int i = 0; i < items.size(); i += columns.count) {
        qreal tallest = 0;
        for (int k = i; k < std::min<int>(i + columns.count, items.size()); ++k) {
            tallest = std::max(tallest, askedHeight(items[k], columns.cellWidth));
        }
        heights << tallest;
    }
    return heights;
}

QSizeF FlowGrid::measure(std::optional<qreal> proposedWidth) const
{
    const QList<QLayoutItem*> items = visibleItems();
    const int n = static_cast<int>(items.size());
    const qreal width =
        proposedWidth ? *proposedWidth : m_minimum * n + m_spacing * std::max(n - 1, 0);
    const Columns cols = columns(width, n, m_minimum, m_spacing);
    const QList<qreal> heights = rowHeights(items, cols);
    qreal height = m_spacing * std::max<qsizetype>(heights.size() - 1, 0);
    for (qreal h : heights) {
        height += h;
    }
    return {width, height};
}

QList<QRectF> FlowGrid::place(const QRectF& bounds) const
{
    const QList<QLayoutItem*> items = visibleItems();
    const Columns cols = columns(bounds.width(), static_cast<int>(items.size()), m_minimum, m_spacing);
    const QList<qreal> heights = rowHeights(items, cols);
    QList<QRectF> frames;
    qreal top = bounds.top();
    for (int row = 0; row < heights.size(); ++row) {
        for (int k = 0; k < cols.count; ++k) {
            if (row * cols.count + k >= items.size()) {
                break;
            }
            const qreal left = bounds.left() + k * (cols.cellWidth + m_spacing);
            frames << QRectF(left, top, cols.cellWidth, heights[row]);
        }
        top += heights[row] + m_spacing;
    }
    return frames;
}

void FlowGrid::addItem(QLayoutItem* item)
{
    m_items << item;
    invalidate();
}

int FlowGrid::count() const
{
    return static_cast<int>(m_items.size());
}

QLayoutItem* FlowGrid::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index] : nullptr;
}

QLayoutItem* FlowGrid::takeAt(int index)
{
    if (index < 0 || index >= m_items.size()) {
        return nullptr;
    }
    QLayoutItem* item = m_items.takeAt(index);
    invalidate();
    return item;
}

QSize FlowGrid::sizeHint() const
{
    const QMargins margins = contentsMargins();
    const QSizeF size = measure(std::nullopt);
    return QSize(qCeil(size.width()), qCeil(size.height())).grownBy(margins);
}

QSize FlowGrid::minimumSize() const
{
    int widest = 0;
    for (QLayoutItem* item : visibleItems()) {
        widest = std::max(widest, item->minimumSize().width());
    }
    const QMargins margins = contentsMargins();
    const int width = widest + margins.left() + margins.right();
    return {width, heightForWidth(width)};
}

int FlowGrid::heightForWidth(int width) const
{
    const QMargins margins = contentsMargins();
    const qreal inner = width - margins.left() - margins.right();
    return qCeil(measure(inner).height()) + margins.top() + margins.bottom();
}

void FlowGrid::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect inner = rect.marginsRemoved(contentsMargins());
    const QList<QLayoutItem*> items = visibleItems();
    const QList<QRectF> frames = place(QRectF(inner));
    for (int i = 0; i < frames.size(); ++i) {
        items[i]->setGeometry(aligned(frames[i]));
    }
}
