#pragma once

#include "ui/kit/Theme.h"

// Whether the desktop prefers a dark appearance: the desktop portal's colour
// scheme where one answers, otherwise the platform theme's own palette.
Appearance systemAppearance();
