#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <optional>
#include <string>

// Reading and replacing the streams the font pass works on.
namespace FontStream {

// The decoded bytes of a stream under lossless filters only, abandoned as soon
// as they would reach limit bytes; nullopt on any error.
std::optional<std::string> read(QPDFObjectHandle stream, size_t limit);

// data Flate-compressed at qpdf's level, the one the written file uses.
std::string deflate(const std::string& data);

} // namespace FontStream
