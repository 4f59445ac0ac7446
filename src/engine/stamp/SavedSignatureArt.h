#pragma once

#include "core/AppData.h"
#include "engine/include/SignatureArt.h"

#include <QString>
#include <optional>

// What a signature kept in the library stamps: the bridge from the application's record to the
// engine's art, for the Store and the command line.
namespace SavedSignatureArt {

// Its strokes when it has any, otherwise the bytes of the image at imagePath. Absent when it has
// neither, or when the image cannot be read. The caller resolves imagePath inside the data folder.
std::optional<SignatureArt> art(const SavedSignature& signature,
                                const std::optional<QString>& imagePath);

} // namespace SavedSignatureArt
