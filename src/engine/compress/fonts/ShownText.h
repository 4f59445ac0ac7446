#pragma once

#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <map>
#include <set>
#include <string>
#include <tuple>

class QPDF;

// The strings a document shows with each font, read from everything it draws.
namespace ShownText {

// Where a reference to a font sits: in which indirect object, under which key
// and inside which dictionary key ("" at the object's top level).
using Place = std::tuple<QPDFObjGen, std::string, std::string>;

struct FontUse {
    QPDFObjectHandle font;
    std::set<std::string> strings; // as shown, before any encoding
    std::set<Place> places;        // where the walk found the font
};

struct Found {
    std::map<QPDFObjGen, FontUse> fonts; // indirect font dictionaries only
    // Text was shown where no font could be told (no Tf before it, or a font
    // that is not a dictionary): no glyph set is certain then.
    bool unattributed = false;
};

// Walks the content of pages, form XObjects (recursively, with the font in
// force where they are drawn), tiling patterns, soft-mask groups, Type 3 glyph
// procedures and annotation appearances, tracking Tf through q/Q.
Found collect(QPDF& pdf);

} // namespace ShownText
