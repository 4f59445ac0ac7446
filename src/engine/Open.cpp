#include "EngineText.h"
#include "PDFEngine.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QUtil.hh>

#include <QFile>
#include <algorithm>

namespace PDFEngine {

namespace {

enum class Attempt { opened, wrongPassword, unreadable };

struct Opened {
    Attempt result = Attempt::unreadable;
    std::unique_ptr<QPDF> pdf;
};

// Parses the file and walks its page tree, so that a damaged tree fails here
// rather than halfway through an operation.
Opened attemptOpen(const QByteArray& path, const std::string& password)
{
    Opened opened;
    try {
        auto pdf = std::make_unique<QPDF>();
        pdf->setSuppressWarnings(true);
        pdf->processFile(path.constData(), password.c_str());
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

// Older encryption takes passwords as PDFDocEncoding bytes, AES-256 as UTF-8;
// people type Unicode, so try every encoding the typed text may stand for.
std::vector<std::string> passwordCandidates(const QString& typed)
{
    const std::string utf8 = typed.toStdString();
    std::vector<std::string> candidates{utf8};
    std::string pdfDoc;
    if (QUtil::utf8_to_pdf_doc(utf8, pdfDoc)) {
        candidates.push_back(pdfDoc);
    }
    const QByteArray latin1 = typed.toLatin1();
    candidates.emplace_back(latin1.constData(), static_cast<size_t>(latin1.size()));
    for (const std::string& repaired : QUtil::possible_repaired_encodings(utf8)) {
        candidates.push_back(repaired);
    }
    std::vector<std::string> unique;
    for (const std::string& candidate : candidates) {
        if (std::find(unique.begin(), unique.end(), candidate) == unique.end()) {
            unique.push_back(candidate);
        }
    }
    return unique;
}

} // namespace

std::unique_ptr<QPDF> open(const PDFSource& source)
{
    const QString name = EngineText::fileName(source.url);
    const QByteArray path = QFile::encodeName(source.url);

    Opened plain = attemptOpen(path, std::string());
    if (plain.result == Attempt::opened) {
        return std::move(plain.pdf);
    }
    if (plain.result == Attempt::unreadable) {
        throw Failure(EngineText::openFailed(name));
    }
    if (source.password) {
        for (const std::string& candidate : passwordCandidates(*source.password)) {
            Opened unlocked = attemptOpen(path, candidate);
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
    return attemptOpen(QFile::encodeName(path), std::string()).result == Attempt::wrongPassword;
}

qint64 pageCount(const PDFSource& source)
{
    const std::unique_ptr<QPDF> pdf = open(source);
    try {
        return static_cast<qint64>(QPDFPageDocumentHelper(*pdf).getAllPages().size());
    } catch (const std::exception&) {
        throw Failure(EngineText::openFailed(EngineText::fileName(source.url)));
    }
}

} // namespace PDFEngine
