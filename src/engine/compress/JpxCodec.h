#pragma once

#include "engine/compress/Pixels.h"

#include <optional>
#include <string>

// JPEG 2000 through OpenJPEG, from a plain buffer to 8-bit samples; safe to use
// from any thread, each call with its own codec state.
namespace JpxCodec {

// Decodes a JPEG 2000 file or bare codestream whose header announces exactly
// width x height pixels, every component at full size, unsigned and without
// alpha. `components` is the number the image's colour space needs; 0 means the
// image names none, so the codestream's own must be plain grey, RGB or CMYK
// without an ICC profile. Refused before decoding when the image holds more
// than maxSamples samples. Deeper components are scaled to 8 bits. When
// minWidth x minHeight is smaller, the codestream's own lower resolutions are
// decoded as far as still covers it, which is far quicker.
std::optional<Pixels> decode(const std::string& data, int width, int height, int components,
                             long long maxSamples, int minWidth, int minHeight);

} // namespace JpxCodec
