#include "engine/stamp/StampGeometry.h"

#include "core/PageGeometry.h"

#include <algorithm>
#include <array>

namespace StampGeometry {

QSizeF PageFrame::displaySize() const
{
    return PageGeometry::displaySize(cropBox.size(), rotation);
}

namespace {

// Undoes the reader's display transform: display space has its origin at the
// bottom-left of the displayed page, y upwards, and the page turned clockwise.
QPointF toPage(QPointF display, const PageFrame& frame)
{
    const double cw = frame.cropBox.width();
    const double ch = frame.cropBox.height();
    const double u = display.x();
    const double v = display.y();
    QPointF offset;
    switch (frame.rotation) {
    case 90: offset = QPointF(cw - v, u); break;
    case 180: offset = QPointF(cw - u, ch - v); break;
    case 270: offset = QPointF(v, ch - u); break;
    default: offset = QPointF(u, v); break;
    }
    return offset + frame.cropBox.topLeft();
}

} // namespace

QRectF pageRect(const QRectF& normalised, const PageFrame& frame)
{
    const QSizeF shown = frame.displaySize();
    const QRectF display(normalised.x() * shown.width(),
                         (1 - (normalised.y() + normalised.height())) * shown.height(),
                         normalised.width() * shown.width(), normalised.height() * shown.height());
    const std::array<QPointF, 4> corners = {toPage(display.topLeft(), frame),
                                            toPage(display.topRight(), frame),
                                            toPage(display.bottomLeft(), frame),
                                            toPage(display.bottomRight(), frame)};
    double left = corners[0].x();
    double right = left;
    double bottom = corners[0].y();
    double top = bottom;
    for (const QPointF& corner : corners) {
        left = std::min(left, corner.x());
        right = std::max(right, corner.x());
        bottom = std::min(bottom, corner.y());
        top = std::max(top, corner.y());
    }
    return QRectF(left, bottom, right - left, top - bottom);
}

} // namespace StampGeometry
