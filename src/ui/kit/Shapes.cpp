#include "ui/kit/Shapes.h"

#include <algorithm>

namespace {

// How far along each edge a continuous corner of radius 1 reaches, and the
// control points of its three cubic segments, as fractions of the radius.
constexpr qreal reach = 1.52866483;
constexpr qreal c1 = 1.08849323;
constexpr qreal c2 = 0.86840689;
constexpr qreal p1 = 0.66993427;
constexpr qreal p2 = 0.06549600;
constexpr qreal c3 = 0.37282640;
constexpr qreal c4 = 0.19288993;

} // namespace

namespace Shapes {

QPainterPath continuousRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    const qreal r = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2.0 / reach);
    if (r <= 0) {
        path.addRect(rect);
        return path;
    }
    const qreal l = rect.left();
    const qreal t = rect.top();
    const qreal rt = rect.right();
    const qreal b = rect.bottom();

    path.moveTo(l + reach * r, t);
    // Top-right corner.
    path.lineTo(rt - reach * r, t);
    path.cubicTo(rt - c1 * r, t, rt - c2 * r, t, rt - p1 * r, t + p2 * r);
    path.cubicTo(rt - c3 * r, t + c4 * r, rt - c4 * r, t + c3 * r, rt - p2 * r, t + p1 * r);
    path.cubicTo(rt, t + c2 * r, rt, t + c1 * r, rt, t + reach * r);
    // Bottom-right corner.
    path.lineTo(rt, b - reach * r);
    path.cubicTo(rt, b - c1 * r, rt, b - c2 * r, rt - p2 * r, b - p1 * r);
    path.cubicTo(rt - c4 * r, b - c3 * r, rt - c3 * r, b - c4 * r, rt - p1 * r, b - p2 * r);
    path.cubicTo(rt - c2 * r, b, rt - c1 * r, b, rt - reach * r, b);
    // Bottom-left corner.
    path.lineTo(l + reach * r, b);
    path.cubicTo(l + c1 * r, b, l + c2 * r, b, l + p1 * r, b - p2 * r);
    path.cubicTo(l + c3 * r, b - c4 * r, l + c4 * r, b - c3 * r, l + p2 * r, b - p1 * r);
    path.cubicTo(l, b - c2 * r, l, b - c1 * r, l, b - reach * r);
    // Top-left corner.
    path.lineTo(l, t + reach * r);
    path.cubicTo(l, t + c1 * r, l, t + c2 * r, l + p2 * r, t + p1 * r);
    path.cubicTo(l + c4 * r, t + c3 * r, l + c3 * r, t + c4 * r, l + p1 * r, t + p2 * r);
    path.cubicTo(l + c2 * r, t, l + c1 * r, t, l + reach * r, t);
    path.closeSubpath();
    return path;
}

} // namespace Shapes
