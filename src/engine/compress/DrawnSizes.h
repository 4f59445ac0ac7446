#pragma once

#include <qpdf/QPDFObjGen.hh>

#include <map>
#include <set>

class QPDF;

// How large the pages draw each image XObject, read from what they draw.
namespace DrawnSizes {

// The lengths, in points, of the sides of an image's unit square where it is drawn.
struct Size {
    double width = 0;
    double height = 0;
};

struct Found {
    // The largest length each image's sides are drawn at, over every place it is drawn.
    std::map<QPDFObjGen, Size> drawn;
    // Images that may also be drawn where the walk cannot tell at what size: from
    // content that does not parse, annotation appearances, soft-mask groups and
    // Type 3 glyphs. When the walk gives up (too deep, too long) every image is here
    // by way of `complete` being false.
    std::set<QPDFObjGen> unknown;
    bool complete = true;

    // The size an image is drawn at, when it is drawn and nowhere at an unknown size.
    const Size* known(QPDFObjGen image) const;
};

// Walks each page's content, the form XObjects it draws (through their /Matrix) and
// the tiling patterns of every resource dictionary met (through the pattern's
// /Matrix, from the space of the content that holds them), tracking the current
// transformation through q, Q and cm. Inline images are no XObjects and are not counted.
Found collect(QPDF& pdf);

} // namespace DrawnSizes
