#include "StreamData.h"

#include "BoundedSink.h"

#include <algorithm>

namespace StreamData {

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
