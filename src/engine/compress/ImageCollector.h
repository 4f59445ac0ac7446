#pragma once

#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <map>
#include <vector>

class QPDF;

// Finds the image XObjects a document draws, each once by object id.
namespace ImageCollector {

struct Found {
    // Images to consider, in the order first met; soft and stencil masks of
    // other images are not among them (they change only with their image).
    std::vector<QPDFObjectHandle> images;
    // How many images name each soft mask; a mask shared by several images
    // cannot be resized for one of them.
    std::map<QPDFObjGen, int> softMaskUsers;
};

// Walks page resources, form XObjects (recursively), tiling patterns, soft-mask
// groups of graphics states, Type 3 fonts and annotation appearance streams.
// Inline images live inside content streams and are never reached.
Found collect(QPDF& pdf);

} // namespace ImageCollector
