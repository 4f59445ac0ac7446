#pragma once

#include "CommandLine.h"

// Runs a parsed command over the engine and returns the process exit status:
// 0 success, 1 engine failure (its message on standard error).
int runCommand(const CommandLine::Command& command);
