#include "StreamData.h"

#include <qpdf/Pipeline.hh>

#include <algorithm>
#include <stdexcept>

namespace StreamData {

namespace {

// Keeps the first `expected` bytes and gives up once far past them.
class BoundedSink : public Pipeline {
public:
    explicit BoundedSink(size_t expected)
        : Pipeline("bounded image data", nullptr)
        , m_expected(expected)
        , m_limit(expected + std::max<size_t>(4096, expected / 64))
    {
        m_data.reserve(expected);
    }

    void write(unsigned char const* data, size_t length) override
    {
        m_seen += length;
        if (m_seen > m_limit) {
            m_overflow = true;
            throw std::length_error("image data longer than its dimensions");
        }
        const size_t room = m_expected - std::min(m_expected, m_data.size());
        m_data.append(reinterpret_cast<const char*>(data), std::min(room, length));
    }

    void finish() override {}

    bool complete() const { return !m_overflow && m_data.size() == m_expected; }
    std::string take() { return std::move(m_data); }

private:
    size_t m_expected;
    size_t m_limit;
    size_t m_seen = 0;
    bool m_overflow = false;
    std::string m_data;
};

} // namespace

std::optional<std::vector<std::string>> filters(QPDFObjectHandle stream)
{
    QPDFObjectHandle filter = stream.getDict().getKey("/Filter");
    std::vector<std::string> names;
    if (filter.isNull()) {
        return names;
    }
    if (filter.isName()) {
        names.push_back(filter.getName());
        return names;
    }
    if (!filter.isArray()) {
        return std::nullopt;
    }
    for (QPDFObjectHandle& item : filter.aitems()) {
        if (!item.isName()) {
            return std::nullopt;
        }
        names.push_back(item.getName());
    }
    return names;
}

bool losslessOnly(const std::vector<std::string>& filters)
{
    static const std::vector<std::string> lossless = {
        "/FlateDecode", "/Fl", "/LZWDecode", "/LZW", "/ASCIIHexDecode", "/AHx",
        "/ASCII85Decode", "/A85", "/RunLengthDecode", "/RL"};
    return std::all_of(filters.begin(), filters.end(), [](const std::string& name) {
        return std::find(lossless.begin(), lossless.end(), name) != lossless.end();
    });
}

std::optional<std::string> decode(QPDFObjectHandle stream, size_t expected)
{
    const auto names = filters(stream);
    if (!names || !losslessOnly(*names)) {
        return std::nullopt;
    }
    BoundedSink sink(expected);
    bool attempted = false;
    bool ok = false;
    try {
        // The specialised level covers RunLength but not DCT, so qpdf's own
        // JPEG decoder can never run from here.
        ok = stream.pipeStreamData(&sink, &attempted, 0, qpdf_dl_specialized, true, false);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    const bool filtered = attempted || names->empty();
    if (!ok || !filtered || !sink.complete()) {
        return std::nullopt;
    }
    return sink.take();
}

} // namespace StreamData
