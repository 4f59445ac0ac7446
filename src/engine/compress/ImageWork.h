#pragma once

#include "EncodedStream.h"

#include <optional>
#include <string>

// One image's decode, shrink and encode, on plain buffers only, so that it
// can run on any thread while the document stays with its own.
namespace ImageWork {

struct Job {
    bool jpegSource = false;
    std::string data;                     // the JPEG stream, or decoded 8-bit samples
    std::optional<EncodedStream> encoded; // when set, decoded into `data` first
    int width = 0;
    int height = 0;
    int sourceComponents = 0;
    int components = 0;
    int targetWidth = 0;
    int targetHeight = 0;
    std::string palette;     // colour table to expand indices through, or empty
    std::string maskSamples; // 8-bit soft mask of width x height to shrink too, or empty
    std::optional<EncodedStream> encodedMask; // when set, decoded into `maskSamples` first
    int quality = 50;
};

struct Result {
    bool ok = false;
    std::string jpeg;
    std::string mask; // the shrunk soft mask, Flate-compressed; empty when there
                      // was none or it did not decode, and it stays as it is
};

// Never throws: anything that goes wrong gives a result that is not ok.
Result run(Job job);

} // namespace ImageWork
