#include "engine/compress/StreamData.h"

#include "engine/compress/BoundedSink.h"

#include <algorithm>
#include <stdexcept>

namespace StreamData {

namespace {

// More than this is not set aside ahead on the word of a /Length alone, which may be anything.
constexpr long long largestReservation = 64ll << 20;

class StoredSink : public Pipeline {
public:
    explicit StoredSink(size_t expected) : Pipeline("stored stream data", nullptr)
    {
        m_data.reserve(expected);
    }
    void write(unsigned char const* data, size_t length) override
    {
        m_data.append(reinterpret_cast<const char*>(data), length);
    }
    void finish() override {}
    std::string take() { return std::move(m_data); }

private:
    std::string m_data;
};

size_t declaredLength(QPDFObjectHandle dict)
{
    QPDFObjectHandle length = dict.getKey("/Length");
    if (!length.isInteger()) {
        return 0;
    }
    return static_cast<size_t>(std::clamp(length.getIntValue(), 0ll, largestReservation));
}

} // namespace

std::string stored(QPDFObjectHandle stream)
{
    StoredSink sink(declaredLength(stream.getDict()));
    bool filtered = false; // never, at this decode level
    if (!stream.pipeStreamData(&sink, &filtered, 0, qpdf_dl_none)) {
        throw std::runtime_error("unreadable stream data");
    }
    return sink.take();
}

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
    static const std::vector<std::string> lossless = {"/FlateDecode",     "/Fl",
                                                      "/LZWDecode",       "/LZW",
                                                      "/ASCIIHexDecode",  "/AHx",
                                                      "/ASCII85Decode",   "/A85",
                                                      "/RunLengthDecode", "/RL"};
    return std::all_of(filters.begin(), filters.end(), [](const std::string& name) {
        return std::find(lossless.begin(), lossless.end(), name) != lossless.end();
    });
}

namespace {

// Pipes the stream's data through its filters into `sink` when they are all lossless; false on
// any other filter, on any error, or when qpdf left the data undecoded.
bool pipeLossless(QPDFObjectHandle stream, BoundedSink& sink)
{
    const auto names = filters(stream);
    if (!names || !losslessOnly(*names)) {
        return false;
    }
    bool attempted = false;
    bool ok = false;
    try {
        // The specialised level covers RunLength but not DCT, so qpdf's own
        // JPEG decoder can never run from here.
        ok = stream.pipeStreamData(&sink, &attempted, 0, qpdf_dl_specialized, true, false);
    } catch (const std::exception&) {
        return false;
    }
    return ok && (attempted || names->empty());
}

} // namespace

std::optional<std::string> decode(const QPDFObjectHandle& stream, size_t expected)
{
    BoundedSink sink(expected);
    if (!pipeLossless(stream, sink) || !sink.complete()) {
        return std::nullopt;
    }
    return sink.take();
}

std::optional<std::string> decodeUpTo(const QPDFObjectHandle& stream, size_t limit)
{
    BoundedSink sink(limit);
    if (!pipeLossless(stream, sink)) {
        return std::nullopt;
    }
    std::string data = sink.take();
    // The sink keeps at most `limit` bytes: a full sink may have dropped some.
    if (data.size() >= limit) {
        return std::nullopt;
    }
    return data;
}

} // namespace StreamData
