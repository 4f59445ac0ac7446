#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>

struct hb_face_t;
struct hb_font_t;

// An embedded font program opened with HarfBuzz, and its subset.
class FontProgram {
public:
    enum class Format {
        sfnt,    // TrueType or OpenType, as /FontFile2 or /FontFile3 /OpenType
        bareCff, // /FontFile3 /Type1C or /CIDFontType0C
    };

    // nullopt when HarfBuzz finds no glyphs in it (a program it cannot read).
    static std::optional<FontProgram> open(std::string bytes, Format format);

    unsigned glyphCount() const;
    // The glyph a name selects (the CFF charset or the TrueType post table).
    std::optional<unsigned> glyphNamed(const std::string& name) const;
    // The raw bytes of one table, empty when the font has none.
    std::string table(const char tag[4]) const;
    const std::string& bytes() const { return m_bytes; }
    Format format() const { return m_format; }

    // The program keeping only these glyphs and .notdef, each under its own
    // glyph ID and name, in the same format as it came; nullopt when HarfBuzz
    // fails. keepCmap passes 'cmap' through whole (simple fonts find glyphs
    // through it); otherwise it keeps the characters of the kept glyphs.
    std::optional<std::string> subset(const std::set<unsigned>& glyphs, bool keepCmap) const;

private:
    struct FaceDeleter {
        void operator()(hb_face_t* face) const;
    };
    struct FontDeleter {
        void operator()(hb_font_t* font) const;
    };

    FontProgram() = default;
    // The glyph count of 'maxp' against the glyphs 'loca' or the CFF holds.
    bool glyphCountAgrees() const;

    std::string m_bytes; // as stored in the document
    // What HarfBuzz reads in place: m_bytes, or the CFF wrapped as OpenType.
    std::shared_ptr<const std::string> m_sfnt;
    Format m_format = Format::sfnt;
    std::shared_ptr<hb_face_t> m_face;
    std::shared_ptr<hb_font_t> m_font;
};
