#pragma once

#include "process/ChildLimits.h"
#include "process/HelperPath.h"

#include <QString>
#include <optional>

class QProcess;

// Starting a helper program as a child process: found where HelperPath looks, held by
// ChildLimits, its standard error the parent's own (a sanitizer's report or a crash message stays
// visible), and a helper that never ran told apart from one that failed at its work, so that an
// incomplete installation is never blamed on the user's file.
namespace HelperProcess {

// Sets process up to run helper. When the helper is missing the program stays empty, and
// starting it fails at once with QProcess::FailedToStart.
void prepare(QProcess& process, Helper helper, const ChildLimits::Bounds& bounds);

// For a process that has ended without ever running as the helper (missing, not executable, or
// refused by the dynamic loader), the message saying so in the interface language; none when the
// helper did run.
std::optional<QString> startFailure(const QProcess& process, Helper helper);

} // namespace HelperProcess
