#pragma once

#include "core/AppData.h"

#include <QByteArray>
#include <optional>

// The data file's JSON form: compact, keys sorted, "\/" for slashes, upper-case
// UUIDs, whole-second UTC dates, absent optionals left out.
namespace DataCoding {

QByteArray encode(const AppData& data);
// Absent when the bytes are not a complete, well-typed AppData.
std::optional<AppData> decode(const QByteArray& bytes);

// One signature record alone, in the same form (used for signature files given on the command
// line).
QByteArray encodeSignature(const SavedSignature& signature);
std::optional<SavedSignature> decodeSignature(const QByteArray& bytes);

} // namespace DataCoding
