#pragma once

#include "engine/document/Meter.h"

#include <QString>
#include <functional>

class QPDF;

namespace PDFEngine {

class Failure;
class OutputTransaction;

// The failure of an output that could not be written at destination, saying
// what went wrong where it can be told: its folder is missing, its name is
// longer than the file system allows, or the disk is full; otherwise the
// general write message. error is the errno of the failed call, 0 if unknown.
Failure writeFailure(const QString& destination, int error);
// The same for the output called name, written in folder.
Failure writeFailure(const QString& name, const QString& folder, int error);

// How the objects of an output are laid out. Packing them into compressed
// object streams makes a file smaller but costs a second pass over it and more
// work to reopen; for many small parts the plain layout is the better trade.
enum class Layout { compact, plain };

// How long the parts of a job take against each other, per byte of input, as measured on
// documents of many pages: opening an input (its page tree), copying its pages, writing the
// output, reading the output back to check it, and freeing what was read.
namespace Effort {
constexpr double open = 3;
constexpr double copy = 2;
constexpr double write = 1.4;
constexpr double check = 1;
constexpr double release = 0.75;
} // namespace Effort

// Writes pdf as destination's file in the run's private folder (see
// OutputTransaction), then reopens it and checks it has expectedPages pages; it
// reaches destination only when the run's outputs are committed. Fails with the
// write message. share covers the writing and the check, in the Effort they take.
void write(QPDF& pdf, OutputTransaction& outputs, const QString& destination, qint64 expectedPages,
           const Share& share = {}, Layout layout = Layout::compact);

// An output written into the run's private folder whose check is still to come.
struct StagedOutput {
    QString destination;
    QString staged;
    qint64 expectedPages = 0;
};

// What write does short of the check, for jobs that check their outputs while writing the next:
// pdf is written as destination's staged file. share covers the writing alone.
StagedOutput writeUnchecked(QPDF& pdf, OutputTransaction& outputs, const QString& destination,
                            qint64 expectedPages, const Share& share, Layout layout);

// The write failure of a staged output that failed its check; its file is dropped.
Failure checkFailed(OutputTransaction& outputs, const StagedOutput& output);

// Writes pdf to path the way every output is written: unencrypted, Flate
// streams left as they are, objects laid out as asked. Throws qpdf's
// exceptions; callers turn them into their own Failure.
void writeFile(QPDF& pdf, const QString& path, Layout layout = Layout::compact,
               const std::function<void(int percent)>& written = {});

// The check of a finished file already in a private folder: it opens as written, with no
// repair, unencrypted, and its page tree holds expectedPages pages, as every node of it says.
// Returns false instead of throwing; safe on any thread.
bool verifyOutput(const QString& path, qint64 expectedPages);

} // namespace PDFEngine
