#include "engine/document/OutputTransaction.h"

#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/include/Progress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace PDFEngine {

namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// The folder itself when it exists, otherwise the nearest folder above it that does:
// where the private folder of a run into a folder still to be made goes.
QString nearestExisting(const QString& folder)
{
    QString candidate = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo(candidate).isDir() && candidate != QDir::rootPath()) {
        candidate = QFileInfo(candidate).absolutePath();
    }
    return candidate;
}

// Removes folders made outermost first, innermost first.
void removeFolders(const QStringList& made)
{
    for (qsizetype i = made.size(); i-- > 0;) {
        ::rmdir(encoded(made[i]).constData());
    }
}

// Makes folder and the missing ones above it; the ones it made, outermost first.
std::optional<QStringList> makeFolders(const QString& folder)
{
    QStringList missing;
    for (QString candidate = QDir::cleanPath(QDir(folder).absolutePath());
         !QFileInfo(candidate).isDir() && candidate != QDir::rootPath();
         candidate = QFileInfo(candidate).absolutePath()) {
        missing.prepend(candidate);
    }
    QStringList made;
    for (const QString& path : std::as_const(missing)) {
        if (::mkdir(encoded(path).constData(), 0777) != 0) {
            const int error = errno;
            removeFolders(made);
            errno = error;
            return std::nullopt;
        }
        made.append(path);
    }
    return made;
}

// A destination already moved into place, and the file it replaced, kept in the
// private folder until the whole run is placed.
struct Placed {
    QString destination;
    QString previous;
};

void undo(const QList<Placed>& placed, const QStringList& made)
{
    // Newest first, so that a destination placed twice gets its first replacement back.
    for (qsizetype i = placed.size(); i-- > 0;) {
        const Placed& file = placed[i];
        if (file.previous.isEmpty()) {
            ::unlink(encoded(file.destination).constData());
        } else {
            std::rename(encoded(file.previous).constData(), encoded(file.destination).constData());
        }
    }
    removeFolders(made);
}

} // namespace

OutputTransaction::OutputTransaction(QString folder, bool createFolder, Progress progress)
    : m_folder(std::move(folder)), m_createFolder(createFolder), m_progress(std::move(progress))
{
}

OutputTransaction::~OutputTransaction()
{
    discard(m_staging);
}

QString OutputTransaction::uniqueDestination(const QString& name, const QString& tail) const
{
    return uniqueURL(m_folder, name, tail, m_taken);
}

void OutputTransaction::makeFolder(const QString& destination)
{
    const bool exists = QFileInfo(m_folder).isDir();
    if (!exists && !m_createFolder) {
        throw writeFailure(destination, ENOENT);
    }
    // Announced before it is made, so that a job killed at any moment leaves no folder that
    // whoever killed it does not know of.
    const QString parent = nearestExisting(m_folder);
    for (int attempt = 0;; ++attempt) {
        const QString folder =
            parent + QStringLiteral("/.leaflow-") +
            QString::number(QRandomGenerator::global()->generate64(), 36).left(8);
        m_progress.created(folder);
        if (::mkdir(encoded(folder).constData(), 0700) == 0) {
            m_staging.folder = folder;
            m_staging.createFolder = exists ? QString() : m_folder;
            return;
        }
        if (errno != EEXIST || attempt == 99) {
            throw writeFailure(destination, errno);
        }
    }
}

QString OutputTransaction::stage(const QString& destination)
{
    if (m_staging.folder.isEmpty()) {
        makeFolder(destination);
    }
    // Numbered, so that two outputs of the same name never meet in the private folder.
    QString staged =
        QDir(m_staging.folder)
            .filePath(QString::number(m_staging.files.size() + 1) + QStringLiteral(".pdf"));
    m_staging.files.append(StagedFile{staged, destination});
    m_taken.insert(destination);
    return staged;
}

QString OutputTransaction::scratch(const QString& destination)
{
    if (m_staging.folder.isEmpty()) {
        makeFolder(destination);
    }
    QString folder = QDir(m_staging.folder).filePath(QStringLiteral("scratch"));
    if (::mkdir(encoded(folder).constData(), 0700) != 0 && errno != EEXIST) {
        throw writeFailure(destination, errno);
    }
    return folder;
}

void OutputTransaction::drop(const QString& destination)
{
    for (qsizetype i = 0; i < m_staging.files.size(); ++i) {
        if (m_staging.files[i].destination == destination) {
            QFile::remove(m_staging.files[i].staged);
            m_staging.files.removeAt(i);
            m_taken.remove(destination);
            return;
        }
    }
}

Staging OutputTransaction::release()
{
    return std::exchange(m_staging, Staging{});
}

void commit(const Staging& staging)
{
    if (staging.files.isEmpty()) {
        discard(staging);
        return;
    }
    QStringList made;
    if (!staging.createFolder.isEmpty()) {
        const std::optional<QStringList> folders = makeFolders(staging.createFolder);
        if (!folders) {
            const Failure failure = writeFailure(staging.files.first().destination, errno);
            discard(staging);
            throw failure;
        }
        made = *folders;
    }
    QList<Placed> placed;
    for (qsizetype i = 0; i < staging.files.size(); ++i) {
        const StagedFile& file = staging.files[i];
        Placed step{file.destination, {}};
        // A file being replaced is kept, by a second name in the private folder, until the
        // whole run is in place.
        const QString previous =
            QDir(staging.folder).filePath(QStringLiteral("previous-%1").arg(i));
        if (::link(encoded(file.destination).constData(), encoded(previous).constData()) == 0) {
            step.previous = previous;
        }
        if (std::rename(encoded(file.staged).constData(), encoded(file.destination).constData()) !=
            0) {
            const Failure failure = writeFailure(file.destination, errno);
            undo(placed, made);
            discard(staging);
            throw failure;
        }
        placed.append(step);
    }
    discard(staging);
}

void discard(const Staging& staging)
{
    // Only a folder of the shape a transaction makes, whoever hands it in.
    const QFileInfo folder(staging.folder);
    if (!staging.folder.isEmpty() && folder.isAbsolute() && folder.isDir() && !folder.isSymLink() &&
        folder.fileName().startsWith(QStringLiteral(".leaflow-"))) {
        QDir(staging.folder).removeRecursively();
    }
}

} // namespace PDFEngine
