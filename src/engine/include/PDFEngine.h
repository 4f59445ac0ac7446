#pragma once

#include "Job.h"
#include "Progress.h"
#include "SplitPlan.h"

#include <QString>
#include <optional>

// The stateless PDF engine: every job reads its inputs afresh from disk and
// writes new files; nothing here throws.
namespace PDFEngine {

// Size of a file in bytes; 0 when it is missing, unreadable or not a file.
qint64 fileSize(const QString& path);

// The groups a split of pageCount pages by rule makes, or the message naming the
// first bad piece of its range text.
SplitPlan splitPlan(const SplitRule& rule, qint64 pageCount);

// Runs a job. Safe on any thread: it touches nothing but its own values and the
// files they name.
Outcome run(const Job& job, const Progress& progress = {});

} // namespace PDFEngine
