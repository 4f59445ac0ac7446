#include "engine/compress/EncodedStream.h"

#include "engine/compress/BoundedSink.h"
#include "engine/compress/StreamData.h"
#include "engine/compress/Unpredictor.h"

#include <qpdf/Pl_Flate.hh>

#include <climits>

namespace {

// Columns and colours qpdf would build a predictor from without complaint, and
// few enough colours that a row's size cannot overflow.
bool readPredictor(QPDFObjectHandle parms, EncodedStream& out)
{
    long long predictor = 1;
    long long columns = 1;
    long long colors = 1;
    long long bits = 8;
    for (const std::string& key : parms.getKeys()) {
        long long* target = key == "/Predictor"          ? &predictor
                            : key == "/Columns"          ? &columns
                            : key == "/Colors"           ? &colors
                            : key == "/BitsPerComponent" ? &bits
                                                         : nullptr;
        if (target == nullptr) {
            continue; // qpdf ignores other keys for Flate
        }
        QPDFObjectHandle value = parms.getKey(key);
        if (!value.isInteger()) {
            return false;
        }
        *target = value.getIntValue();
    }
    if (predictor == 1) {
        return true;
    }
    const bool png = predictor >= 10 && predictor <= 15;
    if ((!png && predictor != 2) || bits != 8 || columns < 1 || columns > INT_MAX || colors < 1 ||
        colors > 32) {
        return false;
    }
    out.predictor = png ? EncodedStream::Predictor::png : EncodedStream::Predictor::tiff;
    out.columns = static_cast<size_t>(columns);
    out.colors = static_cast<size_t>(colors);
    return true;
}

bool readParameters(QPDFObjectHandle parms, EncodedStream& out)
{
    if (parms.isArray()) {
        // One set per filter; an empty array means none at all.
        if (parms.getArrayNItems() > 1) {
            return false;
        }
        parms = parms.getArrayNItems() == 1 ? parms.getArrayItem(0) : QPDFObjectHandle::newNull();
    }
    if (parms.isNull()) {
        return true;
    }
    return parms.isDictionary() && readPredictor(parms, out);
}

// Stored data far longer than its decoded size is no real image's: leave it to
// the streaming decoder, which never holds it all in memory.
bool plausibleLength(size_t length, size_t expected)
{
    return length <= expected + expected / 16 + 65536;
}

} // namespace

std::optional<EncodedStream> EncodedStream::take(QPDFObjectHandle stream, size_t expected)
{
    try {
        const auto names = StreamData::filters(stream);
        if (!names || names->size() > 1) {
            return std::nullopt;
        }
        EncodedStream out;
        out.flate = names->size() == 1;
        if (out.flate && (names->front() != "/FlateDecode" && names->front() != "/Fl")) {
            return std::nullopt;
        }
        if (out.flate && !readParameters(stream.getDict().getKey("/DecodeParms"), out)) {
            return std::nullopt;
        }
        QPDFObjectHandle length = stream.getDict().getKey("/Length");
        if (length.isInteger() &&
            (length.getIntValue() < 0 ||
             !plausibleLength(static_cast<size_t>(length.getIntValue()), expected))) {
            return std::nullopt;
        }
        out.raw = StreamData::stored(stream);
        if (!plausibleLength(out.raw.size(), expected)) {
            return std::nullopt;
        }
        return out;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::string> EncodedStream::decode(size_t expected) const
{
    BoundedSink sink(expected);
    const auto* bytes = reinterpret_cast<const unsigned char*>(raw.data());
    try {
        if (!flate) {
            sink.write(bytes, raw.size());
        } else if (predictor == Predictor::none) {
            Pl_Flate inflate("image data", &sink, Pl_Flate::a_inflate);
            inflate.write(bytes, raw.size());
            inflate.finish();
        } else {
            // A row longer than the sink takes could only overflow it: refuse
            // before allocating one.
            const size_t rowBytes = columns * colors;
            if (rowBytes > sink.limit()) {
                return std::nullopt;
            }
            Unpredictor unpredictor(&sink,
                                    predictor == Predictor::png ? Unpredictor::Kind::png
                                                                : Unpredictor::Kind::tiff,
                                    rowBytes, colors);
            Pl_Flate inflate("image data", &unpredictor, Pl_Flate::a_inflate);
            inflate.write(bytes, raw.size());
            inflate.finish();
        }
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (!sink.complete()) {
        return std::nullopt;
    }
    return sink.take();
}
