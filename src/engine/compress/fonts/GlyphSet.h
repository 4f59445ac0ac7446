#pragma once

#include "engine/compress/fonts/FontProgram.h"
#include "engine/compress/fonts/ShownText.h"

#include <optional>
#include <set>

// The glyphs of a font program that the shown strings select, or nullopt
// when that cannot be known for certain.
namespace GlyphSet {

// A composite font: codes through its CMap to CIDs, CIDs to glyphs through
// /CIDToGIDMap (TrueType outlines) or the CFF charset (CFF outlines).
std::optional<std::set<unsigned>> composite(const ShownText::FontUse& use, QPDFObjectHandle cidFont,
                                            const FontProgram& program);

// A simple font: every glyph any reader may take for each one-byte code.
std::optional<std::set<unsigned>> simple(const ShownText::FontUse& use, const FontProgram& program);

} // namespace GlyphSet
