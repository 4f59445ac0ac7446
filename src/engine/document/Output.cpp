#include "engine/document/Output.h"

#include "engine/document/EngineText.h"
#include "engine/document/Meter.h"
#include "engine/document/Operations.h"
#include "engine/document/OutputTransaction.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace PDFEngine {

bool verifyOutput(const QString& path, qint64 expectedPages)
{
    try {
        QPDF check;
        check.setSuppressWarnings(true);
        check.processFile(QFile::encodeName(path).constData());
        const bool ok = !check.isEncrypted() &&
                        static_cast<qint64>(QPDFPageDocumentHelper(check).getAllPages().size()) ==
                            expectedPages;
        check.getWarnings();
        return ok;
    } catch (const std::exception&) {
        return false;
    }
}

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

void write(QPDF& pdf, OutputTransaction& outputs, const QString& destination, qint64 expectedPages,
           const Share& share, Layout layout)
{
    const std::vector<Share> parts = share.parts({Effort::write, Effort::check});
    const QString staged = outputs.stage(destination);
    // Told while the failed file still takes up its space, so that a full disk shows.
    const auto fail = [&](int error) {
        Failure failure = writeFailure(QFileInfo(destination).fileName(),
                                       QFileInfo(staged).absolutePath(), error);
        outputs.drop(destination);
        return failure;
    };
    try {
        writeFile(pdf, staged, layout, parts[0].percent());
    } catch (const std::exception&) {
        throw fail(errno);
    }
    if (!verifyOutput(staged, expectedPages)) {
        throw fail(0);
    }
    parts[1].report(1, 1);
}

} // namespace PDFEngine
