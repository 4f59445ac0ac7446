#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <map>
#include <optional>
#include <string>
#include <vector>

// What a one-byte code of a simple font may stand for, over every reading the
// font's /Encoding allows, so that a glyph set built from all of them holds
// whichever glyph a reader picks.
class SimpleEncoding {
public:
    explicit SimpleEncoding(QPDFObjectHandle font);

    // Glyph names the code may select: its /Differences name, else the
    // standard names of ASCII codes unless the program's own encoding
    // applies, and WinAnsiEncoding's names above them.
    std::vector<std::string> names(unsigned char code) const;
    // Unicode values the code may stand for under the base encodings.
    std::vector<char32_t> unicodes(unsigned char code) const;

    // The Unicode value of a glyph name of the forms uniXXXX, uXXXX[XX] or a
    // standard ASCII name.
    static std::optional<char32_t> unicodeOfName(const std::string& name);

private:
    bool m_hasEncoding = false;
    bool m_winAnsi = false;
    std::map<int, std::string> m_differences;
};
