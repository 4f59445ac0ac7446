#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Where the hover-tip window goes for a pointer position (screen coordinates, y down).
struct TipPlacement {
    QPointF origin;      // top-left corner of the tip window
    bool arrowUp = true; // true: under the pointer, pointing up at it

    bool operator==(const TipPlacement&) const = default;
};

namespace TipGeometry {

// The area the arrow cursor covers around the pointer's hot spot.
QRectF pointerBox(QPointF pointer);
// Below the pointer when the whole tip fits above the visible bottom, otherwise
// above it; horizontally centred on the pointer, kept 4 points inside the visible
// area (the right edge wins when the tip is wider than the space).
TipPlacement place(QPointF pointer, QSizeF tip, const QRectF& visible);

} // namespace TipGeometry
