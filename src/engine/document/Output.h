#pragma once

#include <QString>
#include <functional>

class QPDF;

namespace PDFEngine {

class Failure;
struct Progress;

// The failure of an output that could not be written at destination, saying
// what went wrong where it can be told: its folder is missing, its name is
// longer than the file system allows, or the disk is full; otherwise the
// general write message. error is the errno of the failed call, 0 if unknown.
Failure writeFailure(const QString& destination, int error);

// Writes pdf safely: into a fresh hidden folder beside the destination, then
// reopens the result and checks it has expectedPages pages, then renames it
// over the destination. The destination keeps its old bytes or gets the whole
// new file; the temporary folder is always removed. Fails with the write message.
// The folder is announced to progress, and the pages written are its steps.
void write(QPDF& pdf, const QString& destination, qint64 expectedPages, const Progress& progress);
void write(QPDF& pdf, const QString& destination, qint64 expectedPages);

// How the objects of an output are laid out. Packing them into compressed
// object streams makes a file smaller but costs a second pass over it and more
// work to reopen; for many small parts the plain layout is the better trade.
enum class Layout { compact, plain };

// The same, through a private folder the caller made beside the destination
// (from scratchTemplate) and removes afterwards: a run that writes many files,
// such as a split, makes one such folder rather than one per file.
// written reports how far the writer is, from 0 to 100.
void write(QPDF& pdf, const QString& destination, qint64 expectedPages,
           const QString& scratchFolder, Layout layout = Layout::compact,
           const std::function<void(int percent)>& written = {});
QString scratchTemplate(const QString& destination);

// Writes pdf to path the way every output is written: unencrypted, Flate
// streams left as they are, objects laid out as asked. Throws qpdf's
// exceptions; callers turn them into their own Failure.
void writeFile(QPDF& pdf, const QString& path, Layout layout = Layout::compact,
               const std::function<void(int percent)>& written = {});

// The same checks for a finished file already in a private folder: it must
// open and have expectedPages pages. Returns false instead of throwing.
bool verifyOutput(const QString& path, qint64 expectedPages);

} // namespace PDFEngine
