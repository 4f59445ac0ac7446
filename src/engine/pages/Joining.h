#pragma once

#include "engine/document/Meter.h"
#include "engine/structure/Assembly.h"
#include "engine/structure/SourceDocument.h"

#include "core/PDFSource.h"

#include <deque>
#include <memory>
#include <vector>

class QPDF;

namespace PDFEngine {

class OutputTransaction;

// The inputs of a job that joins pages of several files into one new document (merge, organize):
// each opened once, kept until the output is written, since the output refers to their objects.
class Joining {
public:
    explicit Joining(Assembly::Bookmarks bookmarks)
        : m_output(std::make_unique<Assembly>(bookmarks))
    {
    }

    // Opens source, unlocking it as every job does, and reads what its pages carry; fails with
    // the open or password message. The document stays valid as long as this does.
    SourceDocument& open(const PDFSource& source, const Share& share);
    Assembly& output() { return *m_output; }
    // Writes the output to destination within written, then frees the output and the inputs
    // within freed, which takes a while of its own for many pages (see retire).
    void write(OutputTransaction& outputs, const QString& destination, const Share& written,
               const Share& freed);

private:
    std::unique_ptr<Assembly> m_output;
    std::vector<std::unique_ptr<QPDF>> m_inputs;
    std::deque<SourceDocument> m_documents; // they do not move as more come
};

// The size of each source (at least one byte), as its weight in a job's progress.
std::vector<double> sizes(const QList<PDFSource>& sources);

} // namespace PDFEngine
