#include "engine/compress/fonts/CmapTable.h"

#include <algorithm>

CmapTable::CmapTable(std::string table) : m_table(std::move(table))
{
    const auto count = number(2, 2);
    for (std::uint32_t i = 0; count && i < *count; ++i) {
        const size_t record = 4 + 8 * static_cast<size_t>(i);
        const auto platform = number(record, 2);
        const auto encoding = number(record + 2, 2);
        const auto offset = number(record + 4, 4);
        if (!platform || !encoding || !offset) {
            break;
        }
        m_subtables.push_back(
            {static_cast<int>(*platform), static_cast<int>(*encoding), size_t(*offset)});
    }
}

std::optional<std::uint32_t> CmapTable::number(size_t at, int bytes) const
{
    if (at > m_table.size() || m_table.size() - at < static_cast<size_t>(bytes)) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = (value << 8) | static_cast<unsigned char>(m_table[at + static_cast<size_t>(i)]);
    }
    return value;
}

bool CmapTable::has(int platform, int encoding) const
{
    return std::any_of(m_subtables.begin(), m_subtables.end(), [&](const Subtable& s) {
        return s.platform == platform && s.encoding == encoding;
    });
}

std::optional<unsigned> CmapTable::glyph(int platform, int encoding, std::uint32_t code) const
{
    for (const Subtable& s : m_subtables) {
        if (s.platform == platform && s.encoding == encoding) {
            auto found = lookup(s.offset, code);
            return found && *found != 0 ? found : std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<unsigned> CmapTable::lookup(size_t at, std::uint32_t code) const
{
    const auto format = number(at, 2);
    if (!format) {
        return std::nullopt;
    }
    switch (*format) {
    case 0: return code < 256 ? number(at + 6 + code, 1) : std::nullopt;
    case 6: {
        const auto first = number(at + 6, 2);
        const auto count = number(at + 8, 2);
        if (!first || !count || code < *first || code - *first >= *count) {
            return std::nullopt;
        }
        return number(at + 10 + 2 * size_t(code - *first), 2);
    }
    case 4: {
        const auto segX2 = number(at + 6, 2);
        if (!segX2 || code > 0xffff) {
            return std::nullopt;
        }
        const size_t ends = at + 14;
        const size_t starts = ends + *segX2 + 2;
        const size_t deltas = starts + *segX2;
        const size_t ranges = deltas + *segX2;
        for (size_t seg = 0; seg < *segX2 / 2; ++seg) {
            const auto end = number(ends + 2 * seg, 2);
            const auto start = number(starts + 2 * seg, 2);
            const auto delta = number(deltas + 2 * seg, 2);
            const auto range = number(ranges + 2 * seg, 2);
            if (!end || !start || !delta || !range) {
                return std::nullopt;
            }
            if (code > *end || code < *start) {
                continue;
            }
            if (*range == 0) {
                return (code + *delta) & 0xffff;
            }
            const auto g = number(ranges + 2 * seg + *range + 2 * size_t(code - *start), 2);
            return g && *g != 0 ? std::optional<unsigned>((*g + *delta) & 0xffff) : g;
        }
        return std::nullopt;
    }
    case 12: {
        const auto groups = number(at + 12, 4);
        for (std::uint32_t i = 0; groups && i < *groups; ++i) {
            const size_t group = at + 16 + 12 * size_t(i);
            const auto first = number(group, 4);
            const auto last = number(group + 4, 4);
            const auto glyph = number(group + 8, 4);
            if (!first || !last || !glyph) {
                return std::nullopt;
            }
            if (code >= *first && code <= *last) {
                return *glyph + (code - *first);
            }
        }
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}
