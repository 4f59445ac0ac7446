#include "engine/document/Output.h"

#include "engine/document/EngineText.h"
#include "engine/document/Meter.h"
#include "engine/document/Operations.h"
#include "engine/document/OutputTransaction.h"
#include "engine/document/PageTree.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace PDFEngine {

void writeFile(QPDF& pdf, const QString& path, Layout layout,
               const std::function<void(int percent)>& written)
{
    // A file whose cross-reference table had to be rebuilt may have a trailer
    // without /Size; the writer only fills in keys the trailer has, and would
    // write a trailer (or xref stream) that no reader can use.
    QPDFObjectHandle trailer = pdf.getTrailer();
    if (!trailer.hasKey("/Size")) {
        trailer.replaceKey("/Size", QPDFObjectHandle::newInteger(0));
    }
    // Readers find a page by the counts of the nodes above it, and the check holds the written
    // file to them; a count the input got wrong is put right, not copied.
    settleCounts(pdf.getRoot().getKey("/Pages"));
    // The writer keeps the file name's pointer until it is done writing.
    const QByteArray fileName = QFile::encodeName(path);
    QPDFWriter writer(pdf, fileName.constData());
    writer.setPreserveEncryption(false);
    writer.setObjectStreamMode(layout == Layout::compact ? qpdf_o_generate : qpdf_o_disable);
    writer.setRecompressFlate(false);
    if (written) {
        writer.registerProgressReporter(
            std::make_shared<QPDFWriter::FunctionProgressReporter>(written));
    }
    writer.write();
    pdf.getWarnings();
}

namespace {

// The failure of a staged output, told while its file still takes up its space (so that a full
// disk shows), and then the file dropped. error is the system's, 0 for a failed check.
Failure dropped(OutputTransaction& outputs, const StagedOutput& output, int error)
{
    Failure failure = writeFailure(QFileInfo(output.destination).fileName(),
                                   QFileInfo(output.staged).absolutePath(), error);
    outputs.drop(output.destination);
    return failure;
}

} // namespace

StagedOutput writeUnchecked(QPDF& pdf, OutputTransaction& outputs, const QString& destination,
                            qint64 expectedPages, const Share& share, Layout layout)
{
    StagedOutput output{destination, outputs.stage(destination), expectedPages};
    try {
        writeFile(pdf, output.staged, layout, share.percent());
    } catch (const std::exception&) {
        const int error = errno;
        throw dropped(outputs, output, error);
    }
    return output;
}

Failure checkFailed(OutputTransaction& outputs, const StagedOutput& output)
{
    return dropped(outputs, output, 0);
}

void write(QPDF& pdf, OutputTransaction& outputs, const QString& destination, qint64 expectedPages,
           const Share& share, Layout layout)
{
    const std::vector<Share> parts = share.parts({Effort::write, Effort::check});
    const StagedOutput output =
        writeUnchecked(pdf, outputs, destination, expectedPages, parts[0], layout);
    if (!verifyOutput(output.staged, expectedPages)) {
        throw checkFailed(outputs, output);
    }
    parts[1].report(1, 1);
}

} // namespace PDFEngine
