#include "engine/compress/fonts/FontProgram.h"

#include "engine/compress/fonts/CffTable.h"

#include <hb-subset.h>
#include <hb.h>

#include <array>

namespace {

void putNumber(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

// HarfBuzz subsets CFF only inside an OpenType file; a bare CFF travels in a
// minimal one with the glyph count HarfBuzz takes from 'maxp'.
std::optional<std::string> wrapCff(const std::string& cff)
{
    const auto info = CffTable::read(cff);
    if (!info) {
        return std::nullopt;
    }
    std::string maxp;
    putNumber(maxp, 0x00005000, 4);
    putNumber(maxp, info->glyphs, 2);
    const std::array<std::pair<const char*, const std::string*>, 2> tables{
        {{"CFF ", &cff}, {"maxp", &maxp}}};

    std::string out;
    putNumber(out, 0x4F54544F, 4); // 'OTTO'
    putNumber(out, tables.size(), 2);
    putNumber(out, 32, 2); // search range, entry selector, range shift for two tables
    putNumber(out, 1, 2);
    putNumber(out, 0, 2);
    std::uint32_t offset = 12 + 16 * tables.size();
    std::string data;
    for (const auto& [tag, bytes] : tables) {
        out.append(tag, 4);
        putNumber(out, 0, 4); // checksums are not read by HarfBuzz
        putNumber(out, offset + static_cast<std::uint32_t>(data.size()), 4);
        putNumber(out, static_cast<std::uint32_t>(bytes->size()), 4);
        data += *bytes;
        data.resize((data.size() + 3) & ~size_t(3), '\0');
    }
    return out + data;
}

std::string blobBytes(hb_blob_t* blob)
{
    unsigned length = 0;
    const char* data = hb_blob_get_data(blob, &length);
    std::string bytes(data ? data : "", data ? length : 0);
    hb_blob_destroy(blob);
    return bytes;
}

hb_tag_t tagOf(const char tag[4])
{
    return HB_TAG(tag[0], tag[1], tag[2], tag[3]);
}

std::uint32_t numberAt(const std::string& data, size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = (value << 8) | static_cast<unsigned char>(data[at + static_cast<size_t>(i)]);
    }
    return value;
}

// Every table lies inside the file, so HarfBuzz sees what a reader sees.
bool tablesInside(const std::string& sfnt)
{
    if (sfnt.size() < 12) {
        return false;
    }
    const size_t tables = numberAt(sfnt, 4, 2);
    if (sfnt.size() < 12 + 16 * tables) {
        return false;
    }
    for (size_t i = 0; i < tables; ++i) {
        const size_t offset = numberAt(sfnt, 12 + 16 * i + 8, 4);
        const size_t length = numberAt(sfnt, 12 + 16 * i + 12, 4);
        if (offset > sfnt.size() || length > sfnt.size() - offset) {
            return false;
        }
    }
    return true;
}

} // namespace

void FontProgram::FaceDeleter::operator()(hb_face_t* face) const
{
    hb_face_destroy(face);
}

void FontProgram::FontDeleter::operator()(hb_font_t* font) const
{
    hb_font_destroy(font);
}

std::optional<FontProgram> FontProgram::open(std::string bytes, Format format)
{
    FontProgram program;
    program.m_format = format;
    if (format == Format::bareCff) {
        auto wrapped = wrapCff(bytes);
        if (!wrapped) {
            return std::nullopt;
        }
        program.m_sfnt = std::make_shared<const std::string>(std::move(*wrapped));
    } else {
        program.m_sfnt = std::make_shared<const std::string>(bytes);
    }
    program.m_bytes = std::move(bytes);
    // Copies of the program share both the face and the bytes it reads.
    hb_blob_t* blob = hb_blob_create_or_fail(program.m_sfnt->data(),
                                             static_cast<unsigned>(program.m_sfnt->size()),
                                             HB_MEMORY_MODE_READONLY, nullptr, nullptr);
    if (!blob) {
        return std::nullopt;
    }
    program.m_face.reset(hb_face_create(blob, 0), FaceDeleter());
    hb_blob_destroy(blob);
    program.m_font.reset(hb_font_create(program.m_face.get()), FontDeleter());
    if (program.glyphCount() == 0 || !tablesInside(*program.m_sfnt) ||
        !program.glyphCountAgrees()) {
        return std::nullopt;
    }
    return program;
}

bool FontProgram::glyphCountAgrees() const
{
    const unsigned glyphs = glyphCount();
    const std::string cff = table("CFF ");
    if (!cff.empty()) {
        const auto info = CffTable::read(cff);
        return info && info->glyphs == glyphs;
    }
    const std::string head = table("head");
    const std::string loca = table("loca");
    if (head.size() < 54 || loca.empty()) {
        return table("glyf").empty();
    }
    const size_t step = numberAt(head, 50, 2) != 0 ? 4 : 2;
    return loca.size() >= (size_t(glyphs) + 1) * step;
}

unsigned FontProgram::glyphCount() const
{
    return hb_face_get_glyph_count(m_face.get());
}

std::optional<unsigned> FontProgram::glyphNamed(const std::string& name) const
{
    hb_codepoint_t glyph = 0;
    if (!hb_font_get_glyph_from_name(m_font.get(), name.data(), static_cast<int>(name.size()),
                                     &glyph)) {
        return std::nullopt;
    }
    return glyph;
}

std::string FontProgram::table(const char tag[4]) const
{
    return blobBytes(hb_face_reference_table(m_face.get(), tagOf(tag)));
}

std::optional<std::string> FontProgram::subset(const std::set<unsigned>& glyphs,
                                               bool keepCmap) const
{
    hb_subset_input_t* input = hb_subset_input_create_or_fail();
    if (!input) {
        return std::nullopt;
    }
    hb_set_t* keep = hb_subset_input_glyph_set(input);
    hb_set_add(keep, 0);
    for (const unsigned glyph : glyphs) {
        hb_set_add(keep, glyph);
    }
    hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS | HB_SUBSET_FLAGS_NOTDEF_OUTLINE |
                                         HB_SUBSET_FLAGS_GLYPH_NAMES | HB_SUBSET_FLAGS_NAME_LEGACY |
                                         HB_SUBSET_FLAGS_NO_PRUNE_UNICODE_RANGES |
                                         HB_SUBSET_FLAGS_PASSTHROUGH_UNRECOGNIZED);
    if (keepCmap) {
        // Glyph IDs are kept, so every entry of the whole table stays right.
        hb_set_add(hb_subset_input_set(input, HB_SUBSET_SETS_NO_SUBSET_TABLE_TAG), tagOf("cmap"));
    } else {
        hb_set_t* all = hb_set_create();
        hb_face_collect_unicodes(m_face.get(), all);
        hb_set_t* characters = hb_subset_input_unicode_set(input);
        for (hb_codepoint_t u = HB_SET_VALUE_INVALID; hb_set_next(all, &u);) {
            hb_codepoint_t glyph = 0;
            if (hb_font_get_nominal_glyph(m_font.get(), u, &glyph) && glyphs.count(glyph) != 0) {
                hb_set_add(characters, u);
            }
        }
        hb_set_destroy(all);
    }
    // Shaping tables serve text layout, which a PDF has already done; their
    // closure would only keep glyphs the document never shows.
    hb_set_t* drop = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const char* tag :
         {"GSUB", "GPOS", "GDEF", "BASE", "JSTF", "MATH", "morx", "mort", "kerx", "kern", "DSIG"}) {
        hb_set_add(drop, tagOf(tag));
    }
    hb_face_t* result = hb_subset_or_fail(m_face.get(), input);
    hb_subset_input_destroy(input);
    if (!result) {
        return std::nullopt;
    }
    std::string bytes = m_format == Format::bareCff
                            ? blobBytes(hb_face_reference_table(result, tagOf("CFF ")))
                            : blobBytes(hb_face_reference_blob(result));
    hb_face_destroy(result);
    if (bytes.empty()) {
        return std::nullopt;
    }
    return bytes;
}
