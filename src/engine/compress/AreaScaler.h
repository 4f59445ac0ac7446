#pragma once

#include "engine/compress/Pixels.h"

// Shrinks an image by averaging every source pixel over the area it covers in
// the target, so fine detail and noise blend instead of aliasing.
namespace AreaScaler {

// targetWidth and targetHeight must be between 1 and the source's size.
Pixels shrink(const Pixels& source, int targetWidth, int targetHeight);

} // namespace AreaScaler
