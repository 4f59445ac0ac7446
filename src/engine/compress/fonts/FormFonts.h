#pragma once

#include <qpdf/QPDFObjGen.hh>

#include <set>

class QPDF;

// Fonts a form may need any glyph of: filling a field draws new text with them.
namespace FormFonts {

// The fonts of the form's default resources (/AcroForm /DR and fields' own
// /DR), and the fonts that the /DA of fields and annotations name in their
// appearance streams' resources.
std::set<QPDFObjGen> collect(QPDF& pdf);

} // namespace FormFonts
