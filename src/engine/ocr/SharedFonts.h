#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <map>
#include <string>

// The fonts of text layers, one copy per document: every layer brings the same glyph-less font,
// which would otherwise be written once per page.
namespace PDFEngine {

class SharedFonts {
public:
    // Points the fonts of copied (a layer's form, already copied into this document) at the
    // first copy of a font with the same content, read from original (the form in its layer).
    void share(QPDFObjectHandle copied, QPDFObjectHandle original);

private:
    std::map<std::string, QPDFObjectHandle> m_fonts; // by content
};

} // namespace PDFEngine
