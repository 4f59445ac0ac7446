#include "engine/compress/fonts/CodeMap.h"

#include "engine/compress/StreamData.h"

#include <cctype>
#include <cstring>

namespace {

constexpr size_t maxCMapBytes = 4u << 20;

bool isIdentity(QPDFObjectHandle name)
{
    return name.isNameAndEquals("/Identity-H") || name.isNameAndEquals("/Identity-V");
}

// The tokens of a CMap program that matter here: hex strings (as bytes, with a
// leading '<'), names, numbers and operators.
std::vector<std::string> tokens(const std::string& text)
{
    std::vector<std::string> out;
    size_t i = 0;
    const auto hex = [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                                                           : (std::tolower(c) - 'a' + 10) & 0xf;
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == '%') {
            while (i < text.size() && text[i] != '\n' && text[i] != '\r') {
                ++i;
            }
        } else if (c == '<' && i + 1 < text.size() && text[i + 1] != '<') {
            std::string bytes = "<";
            std::string digits;
            for (++i; i < text.size() && text[i] != '>'; ++i) {
                if (std::isxdigit(static_cast<unsigned char>(text[i]))) {
                    digits.push_back(text[i]);
                }
            }
            ++i;
            for (size_t k = 0; k + 1 < digits.size(); k += 2) {
                bytes.push_back(static_cast<char>(hex(digits[k]) * 16 + hex(digits[k + 1])));
            }
            out.push_back(bytes);
        } else if (std::isspace(static_cast<unsigned char>(c)) || std::strchr("[]{}()<>", c)) {
            ++i;
        } else {
            const size_t start = i;
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) &&
                   !std::strchr("[]{}()<>%", text[i]) && (i == start || text[i] != '/')) {
                ++i;
            }
            out.push_back(text.substr(start, i - start));
        }
    }
    return out;
}

} // namespace

std::optional<CodeMap> CodeMap::of(QPDFObjectHandle encoding)
{
    CodeMap map;
    if (isIdentity(encoding)) {
        map.m_identity = true;
        map.m_codeSpace.push_back({std::string(2, '\0'), std::string(2, '\xff'), 0});
        return map;
    }
    if (!encoding.isStream()) {
        return std::nullopt;
    }
    QPDFObjectHandle base = encoding.getDict().getKey("/UseCMap");
    if (!base.isNull() && !isIdentity(base)) {
        return std::nullopt;
    }
    const auto text = StreamData::decodeUpTo(encoding, maxCMapBytes);
    try {
        if (!text || !map.parse(*text)) {
            return std::nullopt;
        }
    } catch (const std::exception&) { // a CID that is no number
        return std::nullopt;
    }
    if (isIdentity(base)) {
        map.m_identity = true;
        map.m_codeSpace.push_back({std::string(2, '\0'), std::string(2, '\xff'), 0});
    }
    return map.m_codeSpace.empty() ? std::nullopt : std::optional<CodeMap>(map);
}

bool CodeMap::parse(const std::string& text)
{
    const std::vector<std::string> t = tokens(text);
    const auto isBytes = [](const std::string& s) { return s.size() > 1 && s[0] == '<'; };
    std::string section;
    for (size_t i = 0; i < t.size(); ++i) {
        const std::string& token = t[i];
        if (token == "usecmap") {
            if (i == 0 || (t[i - 1] != "/Identity-H" && t[i - 1] != "/Identity-V")) {
                return false;
            }
            m_identity = true;
            m_codeSpace.push_back({std::string(2, '\0'), std::string(2, '\xff'), 0});
        } else if (token.rfind("begin", 0) == 0) {
            section = token;
        } else if (token.rfind("end", 0) == 0) {
            section.clear();
        } else if (section == "begincodespacerange" && isBytes(token) && i + 1 < t.size() &&
                   isBytes(t[i + 1])) {
            m_codeSpace.push_back({token.substr(1), t[i + 1].substr(1), 0});
            ++i;
        } else if ((section == "begincidrange" || section == "beginnotdefrange") &&
                   isBytes(token) && i + 2 < t.size() && isBytes(t[i + 1])) {
            m_mappings.push_back(
                {token.substr(1), t[i + 1].substr(1), static_cast<unsigned>(std::stoul(t[i + 2]))});
            i += 2;
        } else if ((section == "begincidchar" || section == "beginnotdefchar") && isBytes(token) &&
                   i + 1 < t.size()) {
            m_mappings.push_back(
                {token.substr(1), token.substr(1), static_cast<unsigned>(std::stoul(t[i + 1]))});
            ++i;
        }
    }
    return true;
}

bool CodeMap::contains(const Range& range, std::string_view code)
{
    if (range.low.size() != code.size() || range.high.size() != code.size()) {
        return false;
    }
    for (size_t k = 0; k < code.size(); ++k) {
        const auto b = static_cast<unsigned char>(code[k]);
        if (b < static_cast<unsigned char>(range.low[k]) ||
            b > static_cast<unsigned char>(range.high[k])) {
            return false;
        }
    }
    return true;
}

std::uint32_t CodeMap::value(std::string_view bytes)
{
    std::uint32_t v = 0;
    for (const char c : bytes) {
        v = (v << 8) | static_cast<unsigned char>(c);
    }
    return v;
}

bool CodeMap::cids(const std::set<std::string>& texts, std::set<unsigned>& out) const
{
    // Hostile CMaps can hold hundreds of thousands of entries: past this many
    // steps the CIDs are not worth knowing, and the font stays whole.
    size_t budget = 50'000'000;
    std::set<std::pair<size_t, std::uint32_t>> codes; // by length, then value
    for (const std::string& text : texts) {
        for (size_t at = 0; at < text.size();) {
            size_t length = 0;
            for (size_t n = 1; n <= 4 && at + n <= text.size() && length == 0; ++n) {
                for (const Range& space : m_codeSpace) {
                    if (budget-- == 0) {
                        return false;
                    }
                    if (contains(space, std::string_view(text).substr(at, n))) {
                        length = n;
                        break;
                    }
                }
            }
            if (length == 0) {
                return false;
            }
            codes.emplace(length, value(std::string_view(text).substr(at, length)));
            at += length;
        }
    }
    out.insert(0); // codes no entry maps show CID 0
    for (const auto& [length, v] : codes) {
        if (m_identity && length == 2) {
            out.insert(v);
        }
    }
    for (const Range& m : m_mappings) {
        // Ranges compare as numbers of the same byte length.
        const std::uint32_t low = value(m.low);
        const std::uint32_t high = value(m.high);
        for (auto it = codes.lower_bound({m.low.size(), low});
             it != codes.end() && it->first == m.low.size() && it->second <= high; ++it) {
            if (budget-- == 0) {
                return false;
            }
            out.insert(m.cid + (it->second - low));
        }
    }
    return true;
}
