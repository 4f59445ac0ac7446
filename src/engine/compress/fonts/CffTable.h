#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// What the font pass needs to know of a bare CFF program: how many glyphs it
// has and, for a CID-keyed font, which CID each glyph carries.
namespace CffTable {

struct Info {
    unsigned glyphs = 0;
    bool cidKeyed = false;
    std::vector<std::uint16_t> cidOfGlyph; // CID-keyed fonts only, one per glyph
    std::vector<bool> drawn;               // per glyph: its charstring does more than end the glyph
};

// Reads the header, the first top dictionary, the CharStrings count and the
// charset of a CID-keyed font; nullopt when any of it is out of bounds.
std::optional<Info> read(std::string_view cff);

} // namespace CffTable
