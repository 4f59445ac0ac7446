#include "FontStream.h"

#include "BoundedSink.h"
#include "StreamData.h"

#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_String.hh>

namespace FontStream {

std::optional<std::string> read(QPDFObjectHandle stream, size_t limit)
{
    const auto names = StreamData::filters(stream);
    if (!names || !StreamData::losslessOnly(*names)) {
        return std::nullopt;
    }
    BoundedSink sink(limit);
    bool attempted = false;
    bool ok = false;
    try {
        ok = stream.pipeStreamData(&sink, &attempted, 0, qpdf_dl_specialized, true, false);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    std::string data = sink.take();
    // The sink keeps at most limit bytes: a full sink may have dropped some.
    if (!ok || (!attempted && !names->empty()) || data.size() >= limit) {
        return std::nullopt;
    }
    return data;
}

std::string deflate(const std::string& data)
{
    std::string out;
    Pl_String sink("font program", nullptr, out);
    Pl_Flate flate("font program", &sink, Pl_Flate::a_deflate);
    flate.write(reinterpret_cast<const unsigned char*>(data.data()), data.size());
    flate.finish();
    return out;
}

} // namespace FontStream
