#pragma once

#include "cli/CommandLine.h"

// Runs a parsed command over the engine, in a worker process under limits, and
// returns the process exit status: 0 success, 1 engine failure (its message on
// standard error), 3 when compress found nothing smaller to write, 130 when
// interrupted with Ctrl+C (the worker is killed and nothing is written).
int runCommand(const CommandLine::Command& command, const CommandLine::Limits& limits = {});
