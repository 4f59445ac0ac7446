#pragma once

#include <QString>

class QPDF;

namespace PDFEngine {

// Writes pdf safely: into a fresh hidden folder beside the destination, then
// reopens the result and checks it has expectedPages pages, then renames it
// over the destination. The destination keeps its old bytes or gets the whole
// new file; the temporary folder is always removed. Fails with the write message.
void write(QPDF& pdf, const QString& destination, qint64 expectedPages);

// The same, through a private folder the caller made beside the destination
// (from scratchTemplate) and removes afterwards: a run that writes many files,
// such as a split, makes one such folder rather than one per file.
void write(QPDF& pdf, const QString& destination, qint64 expectedPages,
           const QString& scratchFolder);
QString scratchTemplate(const QString& destination);

// Writes pdf to path the way every output is written: unencrypted, with
// generated object streams, Flate streams left as they are. Throws qpdf's
// exceptions; callers turn them into their own Failure.
void writeFile(QPDF& pdf, const QString& path);

// The same checks for a finished file already in a private folder: it must
// open and have expectedPages pages. Returns false instead of throwing.
bool verifyOutput(const QString& path, qint64 expectedPages);

} // namespace PDFEngine
