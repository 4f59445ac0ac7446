#include "engine/compress/fonts/CffTable.h"

#include <map>

namespace CffTable {

namespace {

// Reads big-endian numbers from a span, failing on any read past its end.
class Reader {
public:
    explicit Reader(std::string_view data) : m_data(data) {}

    bool seek(size_t at)
    {
        m_at = at;
        return at <= m_data.size();
    }
    size_t at() const { return m_at; }
    std::optional<std::uint32_t> number(int bytes)
    {
        if (bytes < 1 || bytes > 4 || m_at + static_cast<size_t>(bytes) > m_data.size()) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            value = (value << 8) | static_cast<unsigned char>(m_data[m_at++]);
        }
        return value;
    }

private:
    std::string_view m_data;
    size_t m_at = 0;
};

struct Index {
    unsigned count = 0;
    std::vector<std::uint32_t> offsets; // relative to dataStart
    size_t dataStart = 0;
    size_t end = 0;
};

std::optional<Index> readIndex(Reader& in)
{
    const auto count = in.number(2);
    if (!count) {
        return std::nullopt;
    }
    Index index;
    index.count = *count;
    if (index.count == 0) {
        index.end = in.at();
        return index;
    }
    const auto offSize = in.number(1);
    if (!offSize) {
        return std::nullopt;
    }
    for (unsigned i = 0; i <= index.count; ++i) {
        const auto offset = in.number(static_cast<int>(*offSize));
        if (!offset || *offset == 0 || (i > 0 && *offset < index.offsets.back())) {
            return std::nullopt;
        }
        index.offsets.push_back(*offset);
    }
    index.dataStart = in.at() - 1;
    index.end = index.dataStart + index.offsets.back();
    if (!in.seek(index.end)) {
        return std::nullopt;
    }
    return index;
}

// The top dictionary's operands by operator (escaped operators as 1200 + b1);
// only integer operands are kept, which is all the entries read here carry.
std::optional<std::map<int, std::vector<long>>> readDict(std::string_view dict)
{
    std::map<int, std::vector<long>> entries;
    std::vector<long> operands;
    size_t i = 0;
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(dict[at]); };
    while (i < dict.size()) {
        const unsigned b0 = byte(i++);
        if (b0 <= 21) {
            int op = static_cast<int>(b0);
            if (b0 == 12) {
                if (i >= dict.size()) {
                    return std::nullopt;
                }
                op = 1200 + byte(i++);
            }
            entries[op] = operands;
            operands.clear();
        } else if (b0 == 28 || b0 == 29) {
            const size_t n = b0 == 28 ? 2 : 4;
            if (i + n > dict.size()) {
                return std::nullopt;
            }
            std::uint32_t v = 0;
            for (size_t k = 0; k < n; ++k) {
                v = (v << 8) | byte(i + k);
            }
            i += n;
            operands.push_back(b0 == 28 ? static_cast<std::int16_t>(v)
                                        : static_cast<std::int32_t>(v));
        } else if (b0 == 30) { // a real: nibbles up to an 0xf nibble
            while (i < dict.size() && (byte(i) & 0x0f) != 0x0f && (byte(i) & 0xf0) != 0xf0) {
                ++i;
            }
            ++i;
            operands.push_back(0);
        } else if (b0 >= 32 && b0 <= 246) {
            operands.push_back(static_cast<long>(b0) - 139);
        } else if (b0 >= 247 && b0 <= 254) {
            if (i >= dict.size()) {
                return std::nullopt;
            }
            const long b1 = byte(i++);
            const long base = b0 <= 250 ? (static_cast<long>(b0) - 247) * 256 + b1 + 108
                                        : -(static_cast<long>(b0) - 251) * 256 - b1 - 108;
            operands.push_back(base);
        } else {
            return std::nullopt;
        }
    }
    return entries;
}

// The CID of every glyph from a CID-keyed font's charset (glyph 0 is CID 0).
bool readCharset(Reader in, unsigned glyphs, std::vector<std::uint16_t>& cids)
{
    cids.assign(1, 0);
    const auto format = in.number(1);
    if (!format || *format > 2) {
        return false;
    }
    while (cids.size() < glyphs) {
        const auto first = in.number(2);
        if (!first) {
            return false;
        }
        if (*format == 0) {
            cids.push_back(static_cast<std::uint16_t>(*first));
            continue;
        }
        const auto left = in.number(*format == 1 ? 1 : 2);
        if (!left) {
            return false;
        }
        for (std::uint32_t k = 0; k <= *left && cids.size() < glyphs; ++k) {
            cids.push_back(static_cast<std::uint16_t>(*first + k));
        }
    }
    return true;
}

} // namespace

std::optional<Info> read(std::string_view cff)
{
    Reader in(cff);
    const auto major = in.number(1);
    in.number(1);
    const auto headerSize = in.number(1);
    if (!major || *major != 1 || !headerSize || !in.seek(*headerSize)) {
        return std::nullopt;
    }
    const auto names = readIndex(in);
    const auto tops = names ? readIndex(in) : std::nullopt;
    if (!tops || tops->count == 0) {
        return std::nullopt;
    }
    const auto dict = readDict(
        cff.substr(tops->dataStart + tops->offsets[0], tops->offsets[1] - tops->offsets[0]));
    if (!dict) {
        return std::nullopt;
    }
    const auto charStrings = dict->find(17);
    if (charStrings == dict->end() || charStrings->second.size() != 1 ||
        charStrings->second[0] < 0 || !in.seek(static_cast<size_t>(charStrings->second[0]))) {
        return std::nullopt;
    }
    const auto glyphIndex = readIndex(in);
    if (!glyphIndex || glyphIndex->count == 0) {
        return std::nullopt;
    }
    Info info;
    info.glyphs = glyphIndex->count;
    for (unsigned g = 0; g < info.glyphs; ++g) {
        // A width and endchar take at most five bytes.
        info.drawn.push_back(glyphIndex->offsets[g + 1] - glyphIndex->offsets[g] > 5);
    }
    info.cidKeyed = dict->count(1230) != 0; // ROS
    if (info.cidKeyed) {
        const auto charset = dict->find(15);
        // A predefined charset (offsets 0 to 2) names glyphs, not CIDs.
        if (charset == dict->end() || charset->second.size() != 1 || charset->second[0] <= 2 ||
            !in.seek(static_cast<size_t>(charset->second[0])) ||
            !readCharset(in, info.glyphs, info.cidOfGlyph)) {
            return std::nullopt;
        }
    }
    return info;
}

} // namespace CffTable
