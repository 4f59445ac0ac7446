#include "engine/compress/fonts/FontPass.h"

#include "engine/compress/StreamData.h"
#include "engine/compress/Zlib.h"
#include "engine/compress/fonts/CffTable.h"
#include "engine/compress/fonts/FontProgram.h"
#include "engine/compress/fonts/FormFonts.h"
#include "engine/compress/fonts/GlyphSet.h"
#include "engine/compress/fonts/References.h"
#include "engine/compress/fonts/ShownText.h"

#include <qpdf/QPDF.hh>

#include <algorithm>
#include <vector>

namespace FontPass {

namespace {

// Programs are read up to this size; a font larger than that is left whole.
constexpr size_t maxProgramBytes = 64u << 20;

using ShownText::Place;

// One embedded program, with every font the walk found using it and the
// places each object on the way from those fonts to it may be referred from.
struct Program {
    QPDFObjectHandle stream;
    FontProgram::Format format = FontProgram::Format::sfnt;
    std::vector<std::pair<const ShownText::FontUse*, QPDFObjectHandle>> fonts; // with CIDFont
    std::map<QPDFObjGen, std::set<Place>> expected;
    bool prefixed = false;
    bool whole = false;
};

class Planner {
public:
    Planner(const ShownText::Found& found, std::set<QPDFObjGen> formFonts)
        : m_found(found), m_formFonts(std::move(formFonts))
    {
    }

    std::map<QPDFObjGen, Program> plan(const References::Places& references)
    {
        for (const auto& [id, use] : m_found.fonts) {
            font(use);
        }
        for (auto& [id, program] : m_programs) {
            for (const auto& [object, places] : program.expected) {
                const auto it = references.find(object);
                for (const Place& place :
                     it == references.end() ? std::vector<Place>{} : it->second) {
                    program.whole |= places.count(place) == 0;
                }
            }
        }
        return std::move(m_programs);
    }

private:
    void font(const ShownText::FontUse& use)
    {
        QPDFObjectHandle font = use.font;
        const QPDFObjGen id = font.getObjGen();
        QPDFObjectHandle holder = font; // the dictionary with the descriptor
        const bool composite = font.getKey("/Subtype").isNameAndEquals("/Type0");
        std::map<QPDFObjGen, std::set<Place>> expected{{id, use.places}};
        if (composite) {
            QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
            if (!descendants.isArray() || descendants.getArrayNItems() != 1) {
                return;
            }
            holder = descendants.getArrayItem(0);
            if (descendants.isIndirect()) {
                expected[descendants.getObjGen()].emplace(id, "/DescendantFonts", "");
                expected[holder.getObjGen()].emplace(descendants.getObjGen(), "[]", "");
            } else {
                expected[holder.getObjGen()].emplace(id, "[]", "/DescendantFonts");
            }
        }
        QPDFObjectHandle descriptor = holder.getKey("/FontDescriptor");
        if (!holder.isIndirect() || !holder.isDictionary() || !descriptor.isIndirect() ||
            !descriptor.isDictionary()) {
            return;
        }
        expected[descriptor.getObjGen()].emplace(holder.getObjGen(), "/FontDescriptor", "");
        const char* key = descriptor.getKey("/FontFile2").isStream() ? "/FontFile2" : "/FontFile3";
        QPDFObjectHandle stream = descriptor.getKey(key);
        if (!stream.isStream()) {
            return; // Type 1 programs, and fonts not embedded
        }
        expected[stream.getObjGen()].emplace(descriptor.getObjGen(), key, "");
        Program& program = m_programs[stream.getObjGen()];
        program.stream = stream;
        const auto format = formatOf(holder, key, stream);
        program.format = format.value_or(FontProgram::Format::sfnt);
        // A descriptor's list of the glyphs present would be wrong afterwards.
        program.whole |= !format || m_formFonts.count(id) != 0 || descriptor.hasKey("/CIDSet") ||
                         descriptor.hasKey("/CharSet");
        const std::string name =
            font.getKey("/BaseFont").isName() ? font.getKey("/BaseFont").getName() : "";
        program.prefixed |= name.size() > 8 && name[7] == '+';
        program.fonts.emplace_back(&use, composite ? holder : QPDFObjectHandle());
        for (auto& [object, places] : expected) {
            program.expected[object].insert(places.begin(), places.end());
        }
    }

    // The program's format, when the font's type and the program agree.
    static std::optional<FontProgram::Format>
    formatOf(QPDFObjectHandle holder, const std::string& key, QPDFObjectHandle stream)
    {
        QPDFObjectHandle type = holder.getKey("/Subtype");
        QPDFObjectHandle kind = stream.getDict().getKey("/Subtype");
        const bool trueType = type.isNameAndEquals("/TrueType") ||
                              type.isNameAndEquals("/CIDFontType2");
        if (key == "/FontFile2") {
            return trueType ? std::optional(FontProgram::Format::sfnt) : std::nullopt;
        }
        if (kind.isNameAndEquals("/OpenType")) {
            return FontProgram::Format::sfnt;
        }
        if ((type.isNameAndEquals("/Type1") && kind.isNameAndEquals("/Type1C")) ||
            (type.isNameAndEquals("/CIDFontType0") && kind.isNameAndEquals("/CIDFontType0C"))) {
            return FontProgram::Format::bareCff;
        }
        return std::nullopt;
    }

    const ShownText::Found& m_found;
    std::set<QPDFObjGen> m_formFonts;
    std::map<QPDFObjGen, Program> m_programs;
};

std::optional<std::set<unsigned>> glyphsOf(const Program& program, const FontProgram& font)
{
    std::set<unsigned> glyphs;
    for (const auto& [use, cidFont] : program.fonts) {
        const auto some = cidFont.isInitialized() ? GlyphSet::composite(*use, cidFont, font)
                                                  : GlyphSet::simple(*use, font);
        if (!some) {
            return std::nullopt;
        }
        glyphs.insert(some->begin(), some->end());
    }
    for (auto it = glyphs.begin(); it != glyphs.end();) {
        it = *it >= font.glyphCount() ? glyphs.erase(it) : std::next(it);
    }
    glyphs.insert(0);
    return glyphs;
}

// Whether a glyph outside the kept ones has an outline (TrueType through
// 'loca', CFF through its charstrings); an existing subset with none has
// nothing left to give.
bool holdsUnused(const FontProgram& font, const std::set<unsigned>& kept)
{
    const std::string cff = font.format() == FontProgram::Format::bareCff ? font.bytes()
                                                                          : font.table("CFF ");
    std::vector<bool> drawn;
    if (const auto info = cff.empty() ? std::nullopt : CffTable::read(cff)) {
        drawn = info->drawn;
    } else {
        const std::string head = font.table("head");
        const std::string loca = font.table("loca");
        const bool longOffsets = head.size() >= 52 && head[51] != 0;
        const size_t step = longOffsets ? 4 : 2;
        const auto at = [&](size_t g) {
            std::uint32_t v = 0;
            for (size_t k = 0; k < step; ++k) {
                v = (v << 8) | static_cast<unsigned char>(loca[g * step + k]);
            }
            return v;
        };
        for (size_t g = 0; (g + 2) * step <= loca.size(); ++g) {
            drawn.push_back(at(g + 1) > at(g));
        }
    }
    for (size_t g = 0; g < drawn.size(); ++g) {
        if (drawn[g] && kept.count(static_cast<unsigned>(g)) == 0) {
            return true;
        }
    }
    return false;
}

// Subsets one program where that is certain to keep every glyph shown and saves bytes.
void shrink(Program& program)
{
    auto bytes = StreamData::decodeUpTo(program.stream, maxProgramBytes);
    auto font = bytes ? FontProgram::open(std::move(*bytes), program.format) : std::nullopt;
    const auto glyphs = font ? glyphsOf(program, *font) : std::nullopt;
    if (!glyphs || glyphs->size() >= font->glyphCount() ||
        (program.prefixed && !holdsUnused(*font, *glyphs))) {
        return;
    }
    const bool simple = std::any_of(program.fonts.begin(), program.fonts.end(),
                                    [](const auto& f) { return !f.second.isInitialized(); });
    const auto subset = font->subset(*glyphs, simple);
    const auto check = subset ? FontProgram::open(*subset, program.format) : std::nullopt;
    // The glyphs must be found exactly as before: same IDs through the same
    // cmap, names and charset.
    if (!check || glyphsOf(program, *check) != glyphs) {
        return;
    }
    const std::string stored = Zlib::deflateBest(*subset);
    if (stored.size() >= StreamData::stored(program.stream).size()) {
        return;
    }
    program.stream.replaceStreamData(stored, QPDFObjectHandle::newName("/FlateDecode"),
                                     QPDFObjectHandle::newNull());
    if (program.stream.getDict().hasKey("/Length1")) {
        program.stream.getDict().replaceKey("/Length1",
                                            QPDFObjectHandle::newInteger(
                                                static_cast<long long>(subset->size())));
    }
}

} // namespace

void run(QPDF& pdf, const std::function<void(qint64, qint64)>& done)
{
    ShownText::Found found;
    std::map<QPDFObjGen, Program> programs;
    try {
        found = ShownText::collect(pdf);
        if (found.unattributed) {
            return;
        }
        programs = Planner(found, FormFonts::collect(pdf)).plan(References::scan(pdf));
    } catch (const std::exception&) {
        return; // a page tree or form qpdf cannot walk: every font stays whole
    }
    const auto total = static_cast<qint64>(programs.size());
    qint64 finished = 0;
    const auto report = [&] {
        if (done) {
            done(finished, total);
        }
    };
    report();
    for (auto& [id, program] : programs) {
        if (!program.whole) {
            try {
                shrink(program);
            } catch (const std::exception&) {
                // A damaged font object: left as it is.
            }
        }
        ++finished;
        report();
    }
}

} // namespace FontPass
