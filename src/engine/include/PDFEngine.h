#pragma once

#include "core/SplitPlan.h"
#include "engine/include/Job.h"
#include "engine/include/Progress.h"

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

// The folder a job's outputs go into; empty for a job that writes nothing.
QString outputFolder(const Job& job);

// Runs a job and puts its outputs in place. Safe on any thread: it touches nothing but
// its own values and the files they name.
Outcome run(const Job& job, const Progress& progress = {});

// Runs a job but leaves its outputs staged in their private folder (Outcome::staging),
// for a commit() that may happen in another process: a run killed before it places nothing.
Outcome stage(const Job& job, const Progress& progress = {});
// Has every job that opens documents keep them, and what it built from them, at its end instead
// of freeing them, for the rest of the process: for a process that ends with its job without
// freeing anything (the worker), where freeing a large document's objects only delays the end.
void keepDocumentsUntilExit();

// Puts a staged outcome's outputs in place, all or none; on failure the outcome
// becomes that failure. Nothing is staged afterwards either way.
void commit(Outcome& outcome);

} // namespace PDFEngine
