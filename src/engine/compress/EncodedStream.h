#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <optional>
#include <string>

// A stream's stored bytes with their decoding spelled out as plain values, so
// that a worker thread can inflate them while the document stays with its own.
struct EncodedStream {
    enum class Predictor { none, png, tiff };

    std::string raw;    // the stored bytes: decrypted, still filtered
    bool flate = false; // false: the stored bytes are the data itself
    Predictor predictor = Predictor::none;
    size_t columns = 1;
    size_t colors = 1;

    // Reads the stream on the thread that owns its document. Nothing when its
    // filter is other than none or one Flate, when predictor parameters are not
    // plain 8-bit ones, when it is stored far longer than the `expected` bytes
    // it decodes to (all of those stay with StreamData::decode), or on a read error.
    static std::optional<EncodedStream> take(QPDFObjectHandle stream, size_t expected);

    // The decoded data, which must be `expected` bytes long; any thread. As with
    // StreamData::decode, decoding stops soon after the output passes that size;
    // nothing on any error or short data.
    std::optional<std::string> decode(size_t expected) const;
};
