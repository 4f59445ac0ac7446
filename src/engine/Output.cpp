#include "Output.h"

#include "EngineText.h"
#include "PDFEngine.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

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

void write(QPDF& pdf, const QString& destination, qint64 expectedPages)
{
    const QString name = EngineText::fileName(destination);
    const Failure failure(EngineText::writeFailed(name));

    const QString folder = QFileInfo(destination).absolutePath();
    QTemporaryDir scratch(folder + QStringLiteral("/.leaflow-XXXXXX"));
    if (!scratch.isValid()) {
        throw failure;
    }
    const QString temporary = scratch.filePath(name);
    try {
        QPDFWriter writer(pdf, QFile::encodeName(temporary).constData());
        writer.setPreserveEncryption(false);
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.write();
        pdf.getWarnings();
    } catch (const std::exception&) {
        throw failure;
    }
    if (!verifyOutput(temporary, expectedPages)) {
        throw failure;
    }
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(destination).constData()) != 0) {
        throw failure;
    }
}

} // namespace PDFEngine
