#pragma once

#include "CommandLine.h"

// Runs a parsed command over the engine and returns the process exit status:
// 0 success, 1 engine failure (its message on standard error), 3 when compress
// found nothing smaller to write.
int runCommand(const CommandLine::Command& command);
