#pragma once

#include <optional>
#include <string>

// zlib on plain buffers, each call with its own stream state, so any thread may
// use it; unlike qpdf's Flate pipeline it takes its level per call.
namespace Zlib {

// The data a zlib stream holds, or nothing when it is damaged, ends early or
// would decode to more than `limit` bytes. Bytes after the end of the stream
// are ignored, as readers ignore them.
std::optional<std::string> inflate(const std::string& data, size_t limit);

// The data as a zlib stream at the highest level zlib has.
std::string deflateBest(const std::string& data);

} // namespace Zlib
