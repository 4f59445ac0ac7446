#pragma once

#include "PDFSource.h"
#include "SignatureArt.h"
#include "ToolOptions.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <exception>
#include <memory>

class QPDF;

// The stateless PDF engine: every operation reads its inputs afresh from disk,
// writes new files, and either returns or throws PDFEngine::Failure.
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

using PageGroup = QList<int>; // zero-based, ascending, consecutive
using Grouping = QList<PageGroup>;

// Size of a file in bytes; 0 when it is missing, unreadable or not a file.
qint64 fileSize(const QString& path);

// Opens and, when needed, unlocks an input. Fails with the open or password message.
std::unique_ptr<QPDF> open(const PDFSource& source);
// True when the file opens only with a user password.
bool needsPassword(const QString& path);
qint64 pageCount(const PDFSource& source);

// "<name>.pdf" in folder, or "<name> 2.pdf", "<name> 3.pdf", ... : the first that does not exist.
QString uniqueURL(const QString& folder, const QString& name);
// "5" for [4], "3-7" for [2..6], "" for an empty group.
QString label(const PageGroup& group);

// Groups of `every` pages (one page when every < 2).
Grouping chunks(qint64 pageCount, qint64 every);
// Reads range text such as "1-3, 5, 8-12"; fails with a message naming the first bad piece.
Grouping parseRanges(const QString& text, qint64 pageCount);

void merge(const QList<PDFSource>& sources, const QString& destination);
// Writes one file per non-empty group into folder; returns their paths in group order.
QStringList split(const PDFSource& source, const Grouping& groups, const QString& folder);
void deletePages(const PDFSource& source, const QSet<int>& removing, const QString& destination);

// Re-encodes the images of source at level; writes destination and returns true only
// when the result is strictly smaller, otherwise writes nothing and returns false.
bool compress(const PDFSource& source, CompressionLevel level, const QString& destination);

// One signature to stamp: a zero-based page, where on the displayed page in
// normalised coordinates (origin top-left, y downwards), and what to draw.
struct SignItem {
    int page = 0;
    QRectF rect;
    SignatureArt art;
};

// Writes a copy of source with each item stamped upright on its page; items
// whose page does not exist are skipped.
void sign(const PDFSource& source, const QList<SignItem>& items, const QString& destination);

} // namespace PDFEngine
