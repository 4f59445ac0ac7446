#pragma once

#include "engine/include/Job.h"
#include "process/ChildLimits.h"

#include <QList>
#include <chrono>

// The bounds a contained run works within: the parent kills the worker when
// wallTime has passed; the worker's address space (and so its memory) is held
// to memoryBytes by the kernel. The CPU bound is derived from the wall time and the threads that
// may burn CPU at once.
struct RunLimits {
    std::chrono::milliseconds wallTime{0}; // 0: no bound
    qint64 memoryBytes = 0;                // 0: no bound
    int busyThreads = 2;                   // that may burn CPU at once: two for engine jobs

    // Generous and proportional to the input: a minute, plus three seconds per
    // megabyte the inputs hold, so that a large honest job is never cut; a
    // quarter of the machine's memory, at least 2 GiB and at most 8 GiB. An inspection, which
    // the user waits for, gets ten seconds plus one per ten megabytes. Recognition, seconds a
    // page on every core, gets a minute plus fifteen seconds a page (recognitionTimeFor).
    static RunLimits forJob(const PDFEngine::Job& job);
    static std::chrono::milliseconds wallTimeFor(qint64 inputBytes);
    static std::chrono::milliseconds recognitionTimeFor(const PDFEngine::OcrJob& job);
    static qint64 defaultMemory();

    // What the worker's process is held to.
    ChildLimits::Bounds childBounds() const;
};

namespace PDFEngine {
// The inputs a job reads, in the order it reads them.
QList<PDFSource> inputsOf(const Job& job);
} // namespace PDFEngine
