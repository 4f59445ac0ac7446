#pragma once

#include "engine/document/Meter.h"
#include "engine/include/PDFEngine.h"

#include <QByteArray>
#include <exception>
#include <memory>

class QPDF;

namespace PDFEngine {
class OutputTransaction;
}

// The operations behind the engine's jobs; each returns or throws Failure.
namespace PDFEngine {

// The engine's one error: a complete message in the interface language.
class Failure : public std::exception {
public:
    explicit Failure(QString message);
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Opens and, when needed, unlocks an input. Fails with the open or password message.
std::unique_ptr<QPDF> open(const PDFSource& source);
qint64 pageCount(const PDFSource& source);
// True when the file opens only with a user password.
bool needsPassword(const QString& path);

// "<name><tail>.pdf" in folder, or "<name><tail> 2.pdf", "<name><tail> 3.pdf", ... : the
// first that does not exist and is not among taken, name shortened where the whole would not
// fit (see fittedName).
QString uniqueURL(const QString& folder, const QString& name, const QString& tail = {},
                  const QSet<QString>& taken = {});

// The message for piece of range text that names a page past the last of pageCount.
QString pageOutside(qint64 pageCount, const QString& piece);

// Groups of `every` pages (one page when every < 2).
Grouping chunks(qint64 pageCount, qint64 every);
// Reads range text such as "1-3, 5, 8-12"; fails with a message naming the first bad piece.
Grouping parseRanges(const QString& text, qint64 pageCount);
// The groups of rule over pageCount pages; fails like parseRanges.
Grouping groups(const SplitRule& rule, qint64 pageCount);

// Each operation stages what it writes in outputs (see OutputTransaction), where nothing
// reaches a destination before commit(), and reports how far it has come within its share.
void merge(const MergeJob& job, OutputTransaction& outputs, const Share& share = {});
// Stages one file per non-empty group for the outputs' folder; returns their destinations in
// group order.
QStringList split(const PDFSource& source, const Grouping& groups, OutputTransaction& outputs,
                  const Share& share = {});
void organize(const OrganizeJob& job, OutputTransaction& outputs, const Share& share = {});
// Writes source without the pages in marked, nor those that range text ranges names (read
// against the opened document, so that it is read once).
void deletePages(const PDFSource& source, const QSet<int>& marked, const QString& destination,
                 OutputTransaction& outputs, const Share& share = {},
                 const std::optional<QString>& ranges = std::nullopt);

// Re-encodes the images of source at level; stages destination and returns true only
// when the result is strictly smaller, otherwise stages nothing and returns false.
bool compress(const PDFSource& source, CompressionLevel level, const QString& destination,
              OutputTransaction& outputs, const Share& share = {});

// Lays a recognised text layer over the pages of source that need one (see OcrJob); stages
// destination only when some page was recognised. Returns what became of the pages.
RecognitionTally recognizeText(const PDFSource& source, const OcrJob& job,
                               const QString& destination, OutputTransaction& outputs,
                               const Share& share = {});

void sign(const PDFSource& source, const QList<SignItem>& items, const QString& destination,
          OutputTransaction& outputs, const Share& share = {});

} // namespace PDFEngine
