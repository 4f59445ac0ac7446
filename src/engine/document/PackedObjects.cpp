#include "engine/document/PackedObjects.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

namespace PDFEngine {

namespace {

// The header of an object stream: n pairs of object number and offset, in ASCII digits.
std::optional<std::vector<std::pair<int, size_t>>> headerPairs(std::string_view header, int n)
{
    std::vector<std::pair<int, size_t>> pairs;
    const char* at = header.data();
    const char* const end = header.data() + header.size();
    const auto next = [&](auto& value) {
        while (at != end && std::isspace(static_cast<unsigned char>(*at))) {
            ++at;
        }
        const auto [stop, error] = std::from_chars(at, end, value);
        at = stop;
        return error == std::errc();
    };
    for (int i = 0; i < n; ++i) {
        int number = 0;
        size_t offset = 0;
        if (!next(number) || !next(offset)) {
            return std::nullopt;
        }
        pairs.emplace_back(number, offset);
    }
    return pairs;
}

} // namespace

PackedObjects::PackedObjects(QPDF& pdf) : m_pdf(pdf), m_xref(pdf.getXRefTable()) {}

std::optional<QPDFObjectHandle> PackedObjects::read(const QPDFObjectHandle& reference)
{
    if (!reference.isIndirect()) {
        return std::nullopt;
    }
    const auto entry = m_xref.find(reference.getObjGen());
    if (entry == m_xref.end() || entry->second.getType() != 2) {
        return std::nullopt;
    }
    const int stream = entry->second.getObjStreamNumber();
    if (stream != m_stream && !load(stream)) {
        return std::nullopt;
    }
    const auto start = m_starts.find(reference.getObjectID());
    if (start == m_starts.end()) {
        return std::nullopt;
    }
    // Up to where the next object starts: text running past it is for qpdf to judge.
    const size_t end = *std::upper_bound(m_bounds.begin(), m_bounds.end(), start->second);
    try {
        return QPDFObjectHandle::parse(&m_pdf, m_objects.substr(start->second, end - start->second),
                                       "packed object");
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool PackedObjects::load(int stream)
{
    m_stream = stream;
    m_objects.clear();
    m_starts.clear();
    m_bounds.clear();
    try {
        QPDFObjectHandle object = m_pdf.getObjectByID(stream, 0);
        if (!object.isStream()) {
            return false;
        }
        QPDFObjectHandle dict = object.getDict();
        QPDFObjectHandle n = dict.getKey("/N");
        QPDFObjectHandle first = dict.getKey("/First");
        if (!dict.getKey("/Type").isNameAndEquals("/ObjStm") || !n.isInteger() ||
            !first.isInteger() || n.getIntValue() < 0 || first.getIntValue() < 0) {
            return false;
        }
        const std::shared_ptr<Buffer> data = object.getStreamData(qpdf_dl_generalized);
        const std::string_view bytes(reinterpret_cast<const char*>(data->getBuffer()),
                                     data->getSize());
        const auto firstOffset = static_cast<size_t>(first.getIntValue());
        if (firstOffset > bytes.size()) {
            return false;
        }
        const std::optional<std::vector<std::pair<int, size_t>>> pairs =
            headerPairs(bytes.substr(0, firstOffset), n.getIntValueAsInt());
        const std::string_view objects = bytes.substr(firstOffset);
        if (!pairs || std::any_of(pairs->begin(), pairs->end(), [&](const auto& pair) {
                return pair.second >= objects.size();
            })) {
            return false;
        }
        m_objects.assign(objects);
        for (const auto& [number, offset] : *pairs) {
            m_starts.emplace(number, offset);
            m_bounds.push_back(offset);
        }
        m_bounds.push_back(m_objects.size());
        std::sort(m_bounds.begin(), m_bounds.end());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace PDFEngine
