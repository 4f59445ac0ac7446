#pragma once

#include <QPainterPath>
#include <QRectF>

// Paths shared by the kit's drawn surfaces.
namespace Shapes {

// A rounded rectangle with continuous (curvature-smooth) corners: each corner
// curve starts further along the edge than a circular arc of the same radius
// would, so the straight edge flows into the corner without a visible kink.
QPainterPath continuousRect(const QRectF& rect, qreal radius);

} // namespace Shapes
