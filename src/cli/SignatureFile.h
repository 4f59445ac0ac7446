#pragma once

#include "engine/include/SignatureArt.h"

#include <QString>
#include <optional>

// A signature given on the command line: a PNG or JPEG image, or a JSON file
// holding one signature record in the data file's form.
namespace SignatureFile {

// The art the file holds; absent when it cannot be read, is neither a record
// nor a decodable image, or is a record without art. A record naming an image
// file finds it beside the JSON file; only a plain file name is accepted.
// Throws std::runtime_error, with a message for the user, when images cannot be
// decoded here at all (the module that decodes them is missing).
std::optional<SignatureArt> read(const QString& path);

} // namespace SignatureFile
