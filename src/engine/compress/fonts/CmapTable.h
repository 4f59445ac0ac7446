#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Character-to-glyph lookups in a TrueType 'cmap' table, one subtable at a
// time, the way PDF readers pick subtables for simple TrueType fonts.
class CmapTable {
public:
    explicit CmapTable(std::string table);

    bool has(int platform, int encoding) const;
    bool empty() const { return m_subtables.empty(); }
    // The glyph of a code in the subtable (platform, encoding); nullopt when
    // the subtable is missing, does not map the code, or maps it to glyph 0.
    std::optional<unsigned> glyph(int platform, int encoding, std::uint32_t code) const;

private:
    struct Subtable {
        int platform;
        int encoding;
        size_t offset;
    };
    std::optional<unsigned> lookup(size_t at, std::uint32_t code) const;
    std::optional<std::uint32_t> number(size_t at, int bytes) const;

    std::string m_table;
    std::vector<Subtable> m_subtables;
};
