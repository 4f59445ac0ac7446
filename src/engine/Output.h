#pragma once

#include <QString>

class QPDF;

namespace PDFEngine {

// Writes pdf safely: into a fresh hidden folder beside the destination, then
// reopens the result and checks it has expectedPages pages, then renames it
// over the destination. The destination keeps its old bytes or gets the whole
// new file; the temporary folder is always removed. Fails with the write message.
void write(QPDF& pdf, const QString& destination, qint64 expectedPages);

// The same checks for a finished file already in a private folder: it must
// open and have expectedPages pages. Returns false instead of throwing.
bool verifyOutput(const QString& path, qint64 expectedPages);

} // namespace PDFEngine
