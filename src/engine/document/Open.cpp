#include "engine/document/EngineText.h"
#include "engine/document/MappedInput.h"
#include "engine/document/Operations.h"
#include "engine/document/PasswordBytes.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QFile>

namespace PDFEngine {

namespace {

enum class Attempt { opened, wrongPassword, unreadable };

struct Opened {
    Attempt result = Attempt::unreadable;
    std::unique_ptr<QPDF> pdf;
};

// Parses the file, from its mapping when it has one, and walks its page tree, so that a
// damaged tree fails here rather than halfway through an operation.
Opened attemptOpen(const QByteArray& path, const std::shared_ptr<const FileMapping>& mapping,
                   const std::string& password)
{
    Opened opened;
    try {
        auto pdf = std::make_unique<QPDF>();
        pdf->setSuppressWarnings(true);
        processMapped(*pdf, path, mapping, password.c_str());
        QPDFPageDocumentHelper(*pdf).getAllPages();
        pdf->getWarnings(); // recovered problems are not failures
        opened.pdf = std::move(pdf);
        opened.result = Attempt::opened;
    } catch (const QPDFExc& e) {
        opened.result = e.getErrorCode() == qpdf_e_password ? Attempt::wrongPassword
                                                            : Attempt::unreadable;
    } catch (const std::exception&) {
        opened.result = Attempt::unreadable;
    }
    return opened;
}

} // namespace

std::unique_ptr<QPDF> open(const PDFSource& source)
{
    const QString name = EngineText::fileName(source.path);
    const QByteArray path = QFile::encodeName(source.path);
    // Mapped once for every password tried.
    const std::shared_ptr<const FileMapping> mapping = FileMapping::map(path);

    Opened plain = attemptOpen(path, mapping, std::string());
    if (plain.result == Attempt::opened) {
        return std::move(plain.pdf);
    }
    if (plain.result == Attempt::unreadable) {
        throw Failure(EngineText::openFailed(name));
    }
    if (source.password) {
        for (const QByteArray& candidate : PasswordBytes::candidates(*source.password)) {
            Opened unlocked = attemptOpen(path, mapping, candidate.toStdString());
            if (unlocked.result == Attempt::opened) {
                return std::move(unlocked.pdf);
            }
            if (unlocked.result == Attempt::unreadable) {
                throw Failure(EngineText::openFailed(name));
            }
        }
    }
    throw Failure(EngineText::passwordNeeded(name));
}

bool needsPassword(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    return attemptOpen(name, FileMapping::map(name), std::string()).result ==
           Attempt::wrongPassword;
}

qint64 pageCount(const PDFSource& source)
{
    const std::unique_ptr<QPDF> pdf = open(source);
    try {
        return static_cast<qint64>(QPDFPageDocumentHelper(*pdf).getAllPages().size());
    } catch (const std::exception&) {
        throw Failure(EngineText::openFailed(EngineText::fileName(source.path)));
    }
}

} // namespace PDFEngine
