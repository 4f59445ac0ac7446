#pragma once

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>

// PDFs made by the tests themselves through qpdf's API.
namespace Fixtures {

// One page: its tag is drawn as text and read back to prove order and content.
struct Page {
    QString tag;
    double width = 612;
    double height = 792;
    int rotate = 0;                // written as /Rotate when non-zero
    std::optional<QRectF> cropBox; // x, y, width, height in page space
    // A black square over the middle third, which renderings of any size show, unlike text.
    bool block = false;
};

enum class Cipher { none, rc4_128, aes128, aes256 };

struct Encryption {
    Cipher cipher = Cipher::none;
    QString userPassword; // empty: opens without a password (owner-only)
    QString ownerPassword;
    // The user password's bytes as another producer stored them; empty: its UTF-8.
    QByteArray userPasswordBytes = {};
};

// Pages tagged prefix1 ... prefixN.
QList<Page> tagged(const QString& prefix, int count);

void writePdf(const QString& path, const QList<Page>& pages, const Encryption& encryption = {});

// Moves the first page's rotation, media box and crop box to the page tree's root.
void inheritFromRoot(const QString& path);

// The tag of every page, in page order (the text of the page's first "(...) Tj").
QStringList readTags(const QString& path, const QString& password = {});
bool isEncrypted(const QString& path);
// Each page's effective /Rotate and crop box (else media box), inherited values included.
QList<std::pair<int, QRectF>> readLayouts(const QString& path);
// Number of objects of a /Subtype reachable when the file is written out fully.
int countObjectsOfType(const QString& path, const QByteArray& subtype);

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// Every entry of a folder, hidden ones included, sorted by name.
QStringList entries(const QString& folder);

// A file of the project's own corpus, tests/corpus (empty: the folder), listed in its INDEX.tsv.
QString corpusFile(const QString& relative);
// True when LEAFLOW_CORPUS asks for the sweep over the full corpus of hostile PDFs.
bool fullSweep();
// LEAFLOW_CORPUS (relative to the project), else the project's own; missing: callers fail.
QString sweepCorpus();
// Process ids of parent's (0: this process's) living children named `name` (cut to 15 characters).
QList<qint64> childProcesses(const QString& name, qint64 parent = 0);

// `qpdf --check` of the file: true when qpdf reports no errors or warnings.
bool qpdfCheckIsClean(const QString& path);

} // namespace Fixtures
