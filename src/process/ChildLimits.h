#pragma once

#include <QtGlobal>
#include <functional>

// What a helper's process sets on itself between fork and exec: its memory and
// CPU bounds, no core file (a crash leaves no copy of a document the user may
// want kept private), and death when the parent dies, so that an orphaned
// helper never runs on alone.
namespace ChildLimits {

struct Bounds {
    qint64 memoryBytes = 0; // the address space; 0: no bound
    qint64 cpuSeconds = 0;  // 0: no bound
};

// The function for QProcess::setChildProcessModifier.
std::function<void()> modifier(const Bounds& bounds);

// Holds the calling process to the memory and CPU bounds, as the modifier does before exec: for a
// helper started before its bounds were known. Only ever lowers a bound already in force.
void holdTo(const Bounds& bounds);

// False where the address-space bound cannot be used: AddressSanitizer reserves
// terabytes of address space up front, so a sanitized helper would not start.
bool boundsMemory();

} // namespace ChildLimits
