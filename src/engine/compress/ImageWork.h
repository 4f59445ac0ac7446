#pragma once

#include "engine/compress/EncodedStream.h"

#include <optional>
#include <string>

// One image's decode, shrink and encode, on plain buffers only, so that it
// can run on any thread while the document stays with its own.
namespace ImageWork {

struct Job {
    bool jpegSource = false;
    bool jpxSource = false;
    int bits = 8;                         // of the decoded samples: 8 or 16
    std::string data;                     // the JPEG or JPEG 2000 stream, or decoded samples
    std::optional<EncodedStream> encoded; // when set, decoded into `data` first
    int width = 0;
    int height = 0;
    int sourceComponents = 0;
    int components = 0; // JPEG 2000 only: 0 when the codestream decides
    int targetWidth = 0;
    int targetHeight = 0;
    std::string palette;     // colour table to expand indices through, or empty
    std::string maskSamples; // soft mask of maskWidth x maskHeight to shrink too, or empty
    std::optional<EncodedStream> encodedMask; // when set, decoded into `maskSamples` first
    int maskWidth = 0;
    int maskHeight = 0;
    int maskBits = 8;
    long long maxSamples = 0; // the most a JPEG 2000 codestream may decode to
    int quality = 50;
};

struct Result {
    bool ok = false;
    int components = 0; // of the JPEG
    std::string jpeg;
    std::string mask; // the shrunk soft mask, Flate-compressed; empty when there
                      // was none or it did not decode, and it stays as it is
};

// Never throws: anything that goes wrong gives a result that is not ok.
Result run(Job job);

} // namespace ImageWork
