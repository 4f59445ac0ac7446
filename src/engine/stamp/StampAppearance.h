#pragma once

#include "engine/include/PictureReading.h"
#include "engine/include/SignatureArt.h"

#include <QByteArray>
#include <QRectF>
#include <optional>

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

// An affine map as a content stream's cm operator takes it: x' = a x + c y + e, y' = b x + d y + f.
struct Matrix {
    double a = 1;
    double b = 0;
    double c = 0;
    double d = 1;
    double e = 0;
    double f = 0;

    // This map followed by next.
    Matrix then(const Matrix& next) const;
};

// Maps the art's own space (origin top-left of a box of artSize, y downwards)
// onto page-space bounds on a page turned clockwise by `rotation` degrees, so
// that the art reads upright once the page is displayed.
Matrix artToPage(const QRectF& bounds, int rotation);
// The art box: the bounds' size, exchanged on a quarter-turned page.
QSizeF artSize(const QRectF& bounds, int rotation);

// The content stream drawing stroke art into a box of `size` in art space.
QByteArray strokeContent(const SignatureArt::Strokes& art, QSizeF size);

// The form XObject (its /BBox equal to bounds, in page space) for art stamped
// at bounds on a page with the given rotation; image art draws picture, decoded
// beforehand, and nothing without one.
QPDFObjectHandle form(QPDF& pdf, const SignatureArt& art,
                      const std::optional<PDFEngine::Picture>& picture, const QRectF& bounds,
                      int rotation);

} // namespace StampAppearance
