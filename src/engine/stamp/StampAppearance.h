#pragma once

#include "engine/include/SignatureArt.h"

#include <QByteArray>
#include <QRectF>
#include <QTransform>

#include <qpdf/QPDFObjectHandle.hh>

class QPDF;

// The appearance of a signature stamp: a form XObject that draws what
// SignatureArt::draw draws, upright on the displayed page.
namespace StampAppearance {

// A plain decimal for a content stream: never exponent notation, at most four
// decimals, no trailing zeros, no "-0". Non-finite values become 0.
QByteArray decimal(double value);

// [llx lly urx ury] of a page-space rectangle whose x and y are its lower-left corner.
QPDFObjectHandle rectangle(const QRectF& bounds);

// Maps the art's own space (origin top-left of a box of artSize, y downwards)
// onto page-space bounds on a page turned clockwise by `rotation` degrees, so
// that the art reads upright once the page is displayed.
QTransform artToPage(const QRectF& bounds, int rotation);
// The art box: the bounds' size, exchanged on a quarter-turned page.
QSizeF artSize(const QRectF& bounds, int rotation);

// The content stream drawing stroke art into a box of `size` in art space.
QByteArray strokeContent(const SignatureArt::Strokes& art, QSizeF size);

// The form XObject (its /BBox equal to bounds, in page space) for art stamped
// at bounds on a page with the given rotation. Image art whose bytes do not
// decode gives a form that draws nothing.
QPDFObjectHandle form(QPDF& pdf, const SignatureArt& art, const QRectF& bounds, int rotation);

} // namespace StampAppearance
