#pragma once

#include "process/ChildLimits.h"

class QProcess;

// How a leaflow-worker process is set up before it starts, whether for a job at hand
// (ContainedRun) or ahead of one (SpareWorker).
namespace WorkerStart {

// The program, the bounds it starts under and its environment.
void prepare(QProcess& process, const ChildLimits::Bounds& bounds);

} // namespace WorkerStart
