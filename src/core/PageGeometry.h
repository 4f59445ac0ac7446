#pragma once

#include <QSizeF>

// The displayed-size rule shared by thumbnails, the signing canvas and stamping.
namespace PageGeometry {

// A4 in points: the size shown for a page that does not exist.
inline constexpr QSizeF a4Size{595.0, 842.0};

// Any multiple of 90 (negative or past 360) folded into 0, 90, 180 or 270.
// Values that are not multiples of 90 are rounded down to one, as readers do.
int normalizedRotation(long long degrees);

// A crop box of size `crop` turned by `rotation` degrees: a quarter turn
// (absolute rotation modulo 180 equal to 90) exchanges width and height.
QSizeF displaySize(QSizeF crop, long long rotation);

} // namespace PageGeometry
