#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <optional>
#include <string>
#include <vector>

// Reading stream data through qpdf without ever running an image codec and
// without letting a small stream inflate into unbounded memory.
namespace StreamData {

// The stored bytes, decrypted but still filtered, read straight into one string: qpdf's own
// reader copies a large stream three times on the way. Throws when qpdf cannot read them.
std::string stored(QPDFObjectHandle stream);

// The stream's /Filter as a list of names, in decoding order; nullopt when
// /Filter is neither a name nor an array of names.
std::optional<std::vector<std::string>> filters(QPDFObjectHandle stream);

// True when every filter is a lossless general one qpdf decodes itself
// (Flate, LZW, ASCIIHex, ASCII85, RunLength).
bool losslessOnly(const std::vector<std::string>& filters);

// The decoded data, which must be `expected` bytes long. Decoding stops as
// soon as the output passes that size by more than a little slack (some
// writers pad), so a bomb costs nothing; nullopt on any error or short data.
std::optional<std::string> decode(const QPDFObjectHandle& stream, size_t expected);

// The decoded data of any length under `limit` bytes, abandoned as soon as it would reach it;
// nullopt on any error.
std::optional<std::string> decodeUpTo(const QPDFObjectHandle& stream, size_t limit);

} // namespace StreamData
