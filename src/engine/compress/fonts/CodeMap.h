#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

// A composite font's CMap: how shown bytes split into codes and which CIDs
// the codes select. Identity-H and Identity-V, and CMaps embedded as streams
// that build on nothing but those.
class CodeMap {
public:
    // nullopt for any other predefined CMap and for an embedded one that
    // cannot be read in full.
    static std::optional<CodeMap> of(QPDFObjectHandle encoding);

    // Adds the CIDs of every code in the texts; false when the bytes do not
    // split into codes of the code space, where readers disagree.
    bool cids(const std::set<std::string>& texts, std::set<unsigned>& out) const;

private:
    struct Range {
        std::string low; // the range's bounds, byte for byte
        std::string high;
        unsigned cid = 0; // the CID of low; unused for code-space ranges
    };
    bool parse(const std::string& text);
    static bool contains(const Range& range, std::string_view code);
    static std::uint32_t value(std::string_view bytes);

    std::vector<Range> m_codeSpace;
    std::vector<Range> m_mappings; // CID ranges and characters, notdef ones too
    bool m_identity = false;
};
