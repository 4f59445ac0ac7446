#pragma once

#include <QRectF>
#include <QSizeF>

// Where a signature placed on the displayed page lies in the page's own space.
namespace StampGeometry {

// A page's crop box as seen by a reader (x and y are its lower-left corner in
// page space, y upwards) and its rotation folded into 0, 90, 180 or 270.
struct PageFrame {
    QRectF cropBox;
    int rotation = 0;

    QSizeF displaySize() const;
};

// The normalised rectangle (fractions of the displayed page, origin top-left,
// y downwards) turned into the page-space rectangle it covers; the result's x
// and y are its lower-left corner.
QRectF pageRect(const QRectF& normalised, const PageFrame& frame);

} // namespace StampGeometry
