#include "ui/kit/TipPlacement.h"

#include <algorithm>

namespace {

constexpr qreal boxWidth = 14;
constexpr qreal boxHeight = 18;
constexpr qreal gap = 2;
constexpr qreal edgeInset = 4;

} // namespace

namespace TipGeometry {

QRectF pointerBox(QPointF pointer)
{
    return {pointer.x() - boxWidth / 2, pointer.y(), boxWidth, boxHeight};
}

TipPlacement place(QPointF pointer, QSizeF tip, const QRectF& visible)
{
    const QRectF box = pointerBox(pointer);
    TipPlacement placement;
    const qreal below = box.bottom() + gap;
    if (below + tip.height() <= visible.bottom()) {
        placement.origin.setY(below);
        placement.arrowUp = true;
    } else {
        placement.origin.setY(box.top() - gap - tip.height());
        placement.arrowUp = false;
    }
    qreal x = box.center().x() - tip.width() / 2;
    x = std::max(x, visible.left() + edgeInset);
    x = std::min(x, visible.right() - tip.width() - edgeInset);
    placement.origin.setX(x);
    return placement;
}

} // namespace TipGeometry
