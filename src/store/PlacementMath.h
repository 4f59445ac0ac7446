#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// The geometry of placed signatures, in normalised page coordinates
// (fractions of the displayed page, origin top-left, y downwards).
namespace PlacementMath {

inline constexpr double placedWidth = 0.32;  // of the page width
inline constexpr double heightCap = 0.3;     // of the page height
inline constexpr double firstTop = 0.62;     // where the first placement's top sits
inline constexpr double cascadeStep = 0.03;  // shift of each further placement on a page
inline constexpr double minimumWidth = 0.05; // resizing never goes below this

// A signature's width-to-height ratio fit for arithmetic: one that is not a
// positive number (only a hand-edited data file holds such) counts as square.
double usableAspect(double aspect);

// Where a new placement of a signature of `aspect` goes on a page shown at
// `page` points that already holds `existing` placements.
QRectF placed(QSizeF page, double aspect, qsizetype existing);

// start moved by a translation given in fractions of the page, kept on the page.
QRectF moved(const QRectF& start, QPointF translation);

// start resized from its bottom-right corner by a horizontal translation given
// in fractions of the page width; the top-left corner and the proportions stay.
QRectF resized(const QRectF& start, double widthTranslation);

} // namespace PlacementMath
