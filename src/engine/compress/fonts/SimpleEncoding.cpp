#include "engine/compress/fonts/SimpleEncoding.h"

#include <array>

namespace {

// Glyph names of the printable ASCII codes 0x20 to 0x7e.
constexpr std::array<const char*, 95> asciiNames = {"space",       "exclam",
                                                    "quotedbl",    "numbersign",
                                                    "dollar",      "percent",
                                                    "ampersand",   "quotesingle",
                                                    "parenleft",   "parenright",
                                                    "asterisk",    "plus",
                                                    "comma",       "hyphen",
                                                    "period",      "slash",
                                                    "zero",        "one",
                                                    "two",         "three",
                                                    "four",        "five",
                                                    "six",         "seven",
                                                    "eight",       "nine",
                                                    "colon",       "semicolon",
                                                    "less",        "equal",
                                                    "greater",     "question",
                                                    "at",          "A",
                                                    "B",           "C",
                                                    "D",           "E",
                                                    "F",           "G",
                                                    "H",           "I",
                                                    "J",           "K",
                                                    "L",           "M",
                                                    "N",           "O",
                                                    "P",           "Q",
                                                    "R",           "S",
                                                    "T",           "U",
                                                    "V",           "W",
                                                    "X",           "Y",
                                                    "Z",           "bracketleft",
                                                    "backslash",   "bracketright",
                                                    "asciicircum", "underscore",
                                                    "grave",       "a",
                                                    "b",           "c",
                                                    "d",           "e",
                                                    "f",           "g",
                                                    "h",           "i",
                                                    "j",           "k",
                                                    "l",           "m",
                                                    "n",           "o",
                                                    "p",           "q",
                                                    "r",           "s",
                                                    "t",           "u",
                                                    "v",           "w",
                                                    "x",           "y",
                                                    "z",           "braceleft",
                                                    "bar",         "braceright",
                                                    "asciitilde"};

// WinAnsiEncoding's glyph names at 0x80 to 0xff, "-" where it has none.
constexpr const char* winAnsiHighNames =
    "Euro - quotesinglbase florin quotedblbase ellipsis dagger daggerdbl circumflex perthousand "
    "Scaron guilsinglleft OE - Zcaron - - quoteleft quoteright quotedblleft quotedblright bullet "
    "endash emdash tilde trademark scaron guilsinglright oe - zcaron Ydieresis space exclamdown "
    "cent sterling currency yen brokenbar section dieresis copyright ordfeminine guillemotleft "
    "logicalnot hyphen registered macron degree plusminus twosuperior threesuperior acute mu "
    "paragraph periodcentered cedilla onesuperior ordmasculine guillemotright onequarter onehalf "
    "threequarters questiondown Agrave Aacute Acircumflex Atilde Adieresis Aring AE Ccedilla "
    "Egrave Eacute Ecircumflex Edieresis Igrave Iacute Icircumflex Idieresis Eth Ntilde Ograve "
    "Oacute Ocircumflex Otilde Odieresis multiply Oslash Ugrave Uacute Ucircumflex Udieresis "
    "Yacute Thorn germandbls agrave aacute acircumflex atilde adieresis aring ae ccedilla egrave "
    "eacute ecircumflex edieresis igrave iacute icircumflex idieresis eth ntilde ograve oacute "
    "ocircumflex otilde odieresis divide oslash ugrave uacute ucircumflex udieresis yacute thorn "
    "ydieresis";

std::string winAnsiName(unsigned char code)
{
    const std::string_view all(winAnsiHighNames);
    size_t start = 0;
    for (int i = 0x80; i < code; ++i) {
        start = all.find(' ', start) + 1;
    }
    const size_t end = all.find(' ', start);
    const std::string name(all.substr(start, end == std::string_view::npos ? end : end - start));
    return name == "-" ? std::string() : name;
}

// Windows code page 1252 at 0x80 to 0x9f (0 where it has no character).
constexpr std::array<char16_t, 32> winAnsiHigh = {0x20ac, 0,      0x201a, 0x0192, 0x201e, 0x2026,
                                                  0x2020, 0x2021, 0x02c6, 0x2030, 0x0160, 0x2039,
                                                  0x0152, 0,      0x017d, 0,      0,      0x2018,
                                                  0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
                                                  0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0,
                                                  0x017e, 0x0178};

// Mac OS Roman at 0x80 to 0xff.
constexpr std::array<char16_t, 128> macRomanHigh = {
    0x00c4, 0x00c5, 0x00c7, 0x00c9, 0x00d1, 0x00d6, 0x00dc, 0x00e1, 0x00e0, 0x00e2, 0x00e4, 0x00e3,
    0x00e5, 0x00e7, 0x00e9, 0x00e8, 0x00ea, 0x00eb, 0x00ed, 0x00ec, 0x00ee, 0x00ef, 0x00f1, 0x00f3,
    0x00f2, 0x00f4, 0x00f6, 0x00f5, 0x00fa, 0x00f9, 0x00fb, 0x00fc, 0x2020, 0x00b0, 0x00a2, 0x00a3,
    0x00a7, 0x2022, 0x00b6, 0x00df, 0x00ae, 0x00a9, 0x2122, 0x00b4, 0x00a8, 0x2260, 0x00c6, 0x00d8,
    0x221e, 0x00b1, 0x2264, 0x2265, 0x00a5, 0x00b5, 0x2202, 0x2211, 0x220f, 0x03c0, 0x222b, 0x00aa,
    0x00ba, 0x03a9, 0x00e6, 0x00f8, 0x00bf, 0x00a1, 0x00ac, 0x221a, 0x0192, 0x2248, 0x2206, 0x00ab,
    0x00bb, 0x2026, 0x00a0, 0x00c0, 0x00c3, 0x00d5, 0x0152, 0x0153, 0x2013, 0x2014, 0x201c, 0x201d,
    0x2018, 0x2019, 0x00f7, 0x25ca, 0x00ff, 0x0178, 0x2044, 0x00a4, 0x2039, 0x203a, 0xfb01, 0xfb02,
    0x2021, 0x00b7, 0x201a, 0x201e, 0x2030, 0x00c2, 0x00ca, 0x00c1, 0x00cb, 0x00c8, 0x00cd, 0x00ce,
    0x00cf, 0x00cc, 0x00d3, 0x00d4, 0xf8ff, 0x00d2, 0x00da, 0x00db, 0x00d9, 0x0131, 0x02c6, 0x02dc,
    0x00af, 0x02d8, 0x02d9, 0x02da, 0x00b8, 0x02dd, 0x02db, 0x02c7};

// Adobe StandardEncoding where it differs from Latin-1, at 0xa0 to 0xff.
constexpr std::array<std::pair<unsigned char, char16_t>, 55> standardHigh = {
    {{0xa1, 0x00a1}, {0xa2, 0x00a2}, {0xa3, 0x00a3}, {0xa4, 0x2044}, {0xa5, 0x00a5}, {0xa6, 0x0192},
     {0xa7, 0x00a7}, {0xa8, 0x00a4}, {0xa9, 0x0027}, {0xaa, 0x201c}, {0xab, 0x00ab}, {0xac, 0x2039},
     {0xad, 0x203a}, {0xae, 0xfb01}, {0xaf, 0xfb02}, {0xb1, 0x2013}, {0xb2, 0x2020}, {0xb3, 0x2021},
     {0xb4, 0x00b7}, {0xb6, 0x00b6}, {0xb7, 0x2022}, {0xb8, 0x201a}, {0xb9, 0x201e}, {0xba, 0x201d},
     {0xbb, 0x00bb}, {0xbc, 0x2026}, {0xbd, 0x2030}, {0xbf, 0x00bf}, {0xc1, 0x0060}, {0xc2, 0x00b4},
     {0xc3, 0x02c6}, {0xc4, 0x02dc}, {0xc5, 0x00af}, {0xc6, 0x02d8}, {0xc7, 0x02d9}, {0xc8, 0x00a8},
     {0xca, 0x02da}, {0xcb, 0x00b8}, {0xcd, 0x02dd}, {0xce, 0x02db}, {0xcf, 0x02c7}, {0xd0, 0x2014},
     {0xe1, 0x00c6}, {0xe3, 0x00aa}, {0xe8, 0x0141}, {0xe9, 0x00d8}, {0xea, 0x0152}, {0xeb, 0x00ba},
     {0xf1, 0x00e6}, {0xf5, 0x0131}, {0xf8, 0x0142}, {0xf9, 0x00f8}, {0xfa, 0x0153}, {0xfb, 0x00df},
     {0xa0, 0}}};

std::optional<char32_t> hexValue(const std::string& digits)
{
    if (digits.empty() || digits.size() > 6) {
        return std::nullopt;
    }
    char32_t value = 0;
    for (const char c : digits) {
        const int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
        if (d < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<char32_t>(d);
    }
    return value;
}

} // namespace

SimpleEncoding::SimpleEncoding(QPDFObjectHandle font)
{
    QPDFObjectHandle encoding = font.getKey("/Encoding");
    m_hasEncoding = encoding.isName() || encoding.isDictionary();
    QPDFObjectHandle base = encoding.isDictionary() ? encoding.getKey("/BaseEncoding") : encoding;
    m_winAnsi = base.isNameAndEquals("/WinAnsiEncoding");
    if (!encoding.isDictionary()) {
        return;
    }
    QPDFObjectHandle differences = encoding.getKey("/Differences");
    int code = -1;
    if (differences.isArray()) {
        for (QPDFObjectHandle& item : differences.aitems()) {
            if (item.isInteger()) {
                code = item.getIntValueAsInt();
            } else if (item.isName() && code >= 0 && code < 256) {
                m_differences[code++] = item.getName().substr(1);
            }
        }
    }
    // A differences-only dictionary over a font's own encoding is still the
    // font's encoding for the codes it does not name.
    if (!encoding.hasKey("/BaseEncoding") && font.getKey("/Subtype").isNameAndEquals("/Type1")) {
        m_hasEncoding = false;
    }
}

std::vector<std::string> SimpleEncoding::names(unsigned char code) const
{
    if (const auto it = m_differences.find(code); it != m_differences.end()) {
        return {it->second};
    }
    std::vector<std::string> result;
    if (m_winAnsi && code >= 0x80 && !winAnsiName(code).empty()) {
        result.push_back(winAnsiName(code));
    } else if (m_hasEncoding && code >= 0x20 && code <= 0x7e) {
        result.emplace_back(asciiNames[code - 0x20]);
        if (code == 0x27) {
            result.emplace_back("quoteright");
        } else if (code == 0x60) {
            result.emplace_back("quoteleft");
        }
    }
    return result;
}

std::vector<char32_t> SimpleEncoding::unicodes(unsigned char code) const
{
    if (const auto it = m_differences.find(code); it != m_differences.end()) {
        const auto u = unicodeOfName(it->second);
        return u ? std::vector<char32_t>{*u} : std::vector<char32_t>{};
    }
    std::vector<char32_t> result;
    if (code < 0x80 || code >= 0xa0) {
        result.push_back(code); // ASCII, and Latin-1 as WinAnsi has it
    } else if (winAnsiHigh[code - 0x80] != 0) {
        result.push_back(winAnsiHigh[code - 0x80]);
    } else {
        result.push_back(0x2022); // readers show a bullet for WinAnsi's gaps
    }
    if (code == 0x27 || code == 0x60) {
        result.push_back(code == 0x27 ? 0x2019 : 0x2018);
    }
    if (code >= 0x80) {
        result.push_back(macRomanHigh[code - 0x80]);
    }
    for (const auto& [at, u] : standardHigh) {
        if (at == code && u != 0) {
            result.push_back(u);
        }
    }
    return result;
}

std::optional<char32_t> SimpleEncoding::unicodeOfName(const std::string& name)
{
    if (name.size() == 7 && name.rfind("uni", 0) == 0) {
        return hexValue(name.substr(3));
    }
    if (name.size() >= 5 && name.size() <= 7 && name[0] == 'u') {
        return hexValue(name.substr(1));
    }
    for (size_t i = 0; i < asciiNames.size(); ++i) {
        if (name == asciiNames[i]) {
            return static_cast<char32_t>(0x20 + i);
        }
    }
    return std::nullopt;
}
