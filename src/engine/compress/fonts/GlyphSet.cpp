#include "engine/compress/fonts/GlyphSet.h"

#include "engine/compress/StreamData.h"
#include "engine/compress/fonts/CffTable.h"
#include "engine/compress/fonts/CmapTable.h"
#include "engine/compress/fonts/CodeMap.h"
#include "engine/compress/fonts/SimpleEncoding.h"

#include <map>

namespace GlyphSet {

namespace {

constexpr size_t maxCidMap = 2 * 65536 + 2;

// CID to glyph for a CFF program: through the charset when it is CID-keyed,
// otherwise the CID is the glyph.
std::optional<std::map<unsigned, unsigned>> cffGlyphs(const FontProgram& program)
{
    const std::string cff =
        program.format() == FontProgram::Format::bareCff ? program.bytes() : program.table("CFF ");
    if (cff.empty()) {
        return std::map<unsigned, unsigned>{}; // no CFF outlines: identity
    }
    const auto info = CffTable::read(cff);
    if (!info) {
        return std::nullopt;
    }
    std::map<unsigned, unsigned> glyphOf;
    for (size_t g = 0; info->cidKeyed && g < info->cidOfGlyph.size(); ++g) {
        glyphOf.emplace(info->cidOfGlyph[g], static_cast<unsigned>(g));
    }
    if (info->cidKeyed && glyphOf.empty()) {
        return std::nullopt;
    }
    return glyphOf;
}

} // namespace

std::optional<std::set<unsigned>> composite(const ShownText::FontUse& use, QPDFObjectHandle cidFont,
                                            const FontProgram& program)
{
    QPDFObjectHandle font = use.font;
    const auto cmap = CodeMap::of(font.getKey("/Encoding"));
    if (!cmap) {
        return std::nullopt;
    }
    std::set<unsigned> cids;
    if (!cmap->cids(use.strings, cids)) {
        return std::nullopt;
    }
    std::set<unsigned> glyphs;
    const bool cff = cidFont.getKey("/Subtype").isNameAndEquals("/CIDFontType0");
    if (cff) {
        const auto glyphOf = cffGlyphs(program);
        if (!glyphOf) {
            return std::nullopt;
        }
        for (const unsigned cid : cids) {
            const auto it = glyphOf->find(cid);
            glyphs.insert(glyphOf->empty() ? cid : it != glyphOf->end() ? it->second : 0);
        }
    } else {
        QPDFObjectHandle map = cidFont.getKey("/CIDToGIDMap");
        std::optional<std::string> table;
        if (map.isStream()) {
            table = StreamData::decodeUpTo(map, maxCidMap);
            if (!table) {
                return std::nullopt;
            }
        } else if (!map.isNull() && !map.isNameAndEquals("/Identity")) {
            return std::nullopt;
        }
        for (const unsigned cid : cids) {
            if (!table) {
                glyphs.insert(cid);
            } else if (2 * size_t(cid) + 1 < table->size()) {
                glyphs.insert(static_cast<unsigned>(
                    (static_cast<unsigned char>((*table)[2 * size_t(cid)]) << 8) |
                    static_cast<unsigned char>((*table)[2 * size_t(cid) + 1])));
            }
        }
    }
    return glyphs;
}

std::optional<std::set<unsigned>> simple(const ShownText::FontUse& use, const FontProgram& program)
{
    std::set<unsigned char> codes;
    for (const std::string& text : use.strings) {
        codes.insert(text.begin(), text.end());
    }
    const SimpleEncoding encoding(use.font);
    const CmapTable cmap(program.table("cmap"));
    const bool cff = !program.table("CFF ").empty() ||
                     program.format() == FontProgram::Format::bareCff;
    std::set<unsigned> glyphs;
    for (const unsigned char code : codes) {
        std::set<unsigned> found;
        const auto add = [&found](std::optional<unsigned> glyph) {
            if (glyph && *glyph != 0) {
                found.insert(*glyph);
            }
        };
        const std::vector<std::string> names = encoding.names(code);
        for (const std::string& name : names) {
            add(program.glyphNamed(name));
        }
        // A CFF font is read by name alone; TrueType readers go through cmap
        // subtables, by Unicode value or by code, as the font is symbolic or not.
        if (!cff || !cmap.empty()) {
            for (const char32_t u : encoding.unicodes(code)) {
                add(cmap.glyph(3, 1, u));
                add(cmap.glyph(3, 10, u));
                add(cmap.glyph(0, 3, u));
                add(cmap.glyph(0, 4, u));
            }
            // Some readers take the code itself, or its symbol-area value,
            // through whichever of the Microsoft subtables the font has.
            for (const std::uint32_t base : {0u, 0xf000u, 0xf100u, 0xf200u}) {
                add(cmap.glyph(3, 0, base + code));
                add(cmap.glyph(3, 1, base + code));
            }
            add(cmap.glyph(1, 0, code));
            if (cmap.empty() && code < program.glyphCount()) {
                found.insert(code);
            }
        }
        if (found.empty()) {
            return std::nullopt; // a code no reading explains
        }
        glyphs.insert(found.begin(), found.end());
    }
    return glyphs;
}

} // namespace GlyphSet
