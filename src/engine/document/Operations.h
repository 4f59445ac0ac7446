#pragma once

#include "PDFEngine.h"

#include <QByteArray>
#include <exception>
#include <memory>

class QPDF;

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

// "<name>.pdf" in folder, or "<name> 2.pdf", "<name> 3.pdf", ... : the first that does not exist.
QString uniqueURL(const QString& folder, const QString& name);

// Groups of `every` pages (one page when every < 2).
Grouping chunks(qint64 pageCount, qint64 every);
// Reads range text such as "1-3, 5, 8-12"; fails with a message naming the first bad piece.
Grouping parseRanges(const QString& text, qint64 pageCount);
// The groups of rule over pageCount pages; fails like parseRanges.
Grouping groups(const SplitRule& rule, qint64 pageCount);

// Each operation reports its steps and temporary folders to progress.
void merge(const QList<PDFSource>& sources, const QString& destination,
           const Progress& progress = {});
// Writes one file per non-empty group into folder; returns their paths in group order.
QStringList split(const PDFSource& source, const Grouping& groups, const QString& folder,
                  const Progress& progress = {});
void deletePages(const PDFSource& source, const QSet<int>& removing, const QString& destination,
                 const Progress& progress = {});

// Re-encodes the images of source at level; writes destination and returns true only
// when the result is strictly smaller, otherwise writes nothing and returns false.
bool compress(const PDFSource& source, CompressionLevel level, const QString& destination,
              const Progress& progress = {});

void sign(const PDFSource& source, const QList<SignItem>& items, const QString& destination,
          const Progress& progress = {});

} // namespace PDFEngine
