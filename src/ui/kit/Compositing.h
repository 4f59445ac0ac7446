#pragma once

#include <optional>

// Whether the desktop blends translucent windows with what lies beneath them. Without a
// compositing manager (a bare X11 window manager) the clear parts of a window come out black.
namespace Compositing {

bool active();
// Tests choose the answer; none asks the desktop again.
void setOverride(std::optional<bool> composited);

} // namespace Compositing
