#pragma once

#include "RunLimits.h"

#include <functional>

// What the worker's process sets on itself between fork and exec: its memory
// and CPU bounds, no core file, and death when the parent dies, so that an
// orphaned worker never runs on alone.
namespace ChildLimits {

// The function for QProcess::setChildProcessModifier.
std::function<void()> modifier(const RunLimits& limits);

// False where the address-space bound cannot be used: AddressSanitizer reserves
// terabytes of address space up front, so a sanitized worker would not start.
bool boundsMemory();

} // namespace ChildLimits
