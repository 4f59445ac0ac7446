#pragma once

#include <cstddef>
#include <string>

// Interleaved 8-bit samples of one image, row after row, no padding. The
// samples are a string so that decoded stream data moves in without a copy.
struct Pixels {
    int width = 0;
    int height = 0;
    int components = 0;
    std::string samples;

    size_t rowBytes() const { return static_cast<size_t>(width) * static_cast<size_t>(components); }
    size_t byteCount() const { return rowBytes() * static_cast<size_t>(height); }
    unsigned char* bytes() { return reinterpret_cast<unsigned char*>(samples.data()); }
    const unsigned char* bytes() const
    {
        return reinterpret_cast<const unsigned char*>(samples.data());
    }
};
