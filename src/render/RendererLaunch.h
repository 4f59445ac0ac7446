#pragma once

#include <QString>
#include <functional>

// Where the renderer program is and the limits it runs under.
namespace RendererLaunch {

// The address space the renderer may take: poppler asking for more fails inside the renderer,
// not in the user's session.
constexpr unsigned long long addressSpaceLimit = 1536ULL * 1024 * 1024;

// Next to the running program first (the build tree), then the LEAFLOW_RENDERER environment
// variable (tests), then where an install puts it relative to the installed programs.
QString program();

// Runs in the forked child before it becomes the renderer: only async-signal-safe calls.
std::function<void()> childLimits();

} // namespace RendererLaunch
