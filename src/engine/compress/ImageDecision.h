#pragma once

#include "core/ToolOptions.h"
#include "engine/compress/DrawnSizes.h"

#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <map>
#include <optional>
#include <string>

// Which images the compression pass re-encodes, and how.
namespace ImageDecision {

// JPEG quality, the largest side kept and the resolution kept where the size an
// image is drawn at is known, per level.
struct Settings {
    int quality = 50;
    int maxSide = 1600;
    int dpi = 150;
};
Settings settingsFor(CompressionLevel level);

// Images whose longer side is at most this are left exactly as they are.
inline constexpr int smallestProcessedSide = 128;
// Refuse to decode more samples than this (width x height x components).
inline constexpr long long maxSamples = 200'000'000;

// What the pass does with one image. Made and used on the thread that owns the document.
struct Plan {
    QPDFObjectHandle image;
    bool jpegSource = false;   // the stream is one DCT-encoded JPEG
    bool jpxSource = false;    // the stream is one JPEG 2000 codestream or file
    bool hasColorSpace = true; // JPEG 2000 may leave its colour space to the codestream
    int bits = 8;              // bits per sample in the stream: 8, or 16 for flat samples
    int width = 0;
    int height = 0;
    int sourceComponents = 0; // samples per pixel in the stream (1 for Indexed)
    int components = 0;       // samples per pixel after expanding a palette
    int targetWidth = 0;
    int targetHeight = 0;
    std::string palette;             // Indexed: the colour table, else empty
    QPDFObjectHandle baseColorSpace; // Indexed: the /ColorSpace the image gets
    QPDFObjectHandle mask;           // a soft mask to shrink with the image, if any
    int maskWidth = 0;               // the mask's own size and depth, at least the target's
    int maskHeight = 0;
    int maskBits = 8;
    bool dropColourKey = false; // a /Mask colour key that the soft mask overrides

    bool lossySource() const { return jpegSource || jpxSource; }
    bool resized() const { return targetWidth != width || targetHeight != height; }
};

// A plan for the image, or nothing when it is better left alone. `drawn` is the
// largest size the image is drawn at, when that is known.
std::optional<Plan> decide(QPDFObjectHandle image, const Settings& settings,
                           const std::map<QPDFObjGen, int>& softMaskUsers,
                           const DrawnSizes::Size* drawn = nullptr);

} // namespace ImageDecision
