#pragma once

#include "engine/compress/Pixels.h"

#include <optional>
#include <string>

// JPEG through the libjpeg API, from and to plain buffers; safe to use from
// any thread, each call with its own codec state.
namespace JpegCodec {

struct Decoded {
    Pixels pixels;
    bool adobeMarker = false; // the stream carried an Adobe APP14 marker
};

// Decodes data whose header must announce exactly width x height pixels of
// `components` components; anything else, a corrupt stream or too many
// progressive scans gives nothing. When minWidth x minHeight is smaller, the
// decoder's own scaling by eighths shrinks the image as far as still covers it.
std::optional<Decoded> decode(const std::string& data, int width, int height, int components,
                              int minWidth, int minHeight);

// Baseline JPEG with optimised Huffman tables at quality 1..100: 4:2:0 YCbCr
// for RGB, plain grey, and CMYK stored as given (with or without the Adobe
// marker, so a reader interprets the samples as it did before).
std::optional<std::string> encode(const Pixels& pixels, int quality, bool adobeMarker);

} // namespace JpegCodec
