#include "core/DataFile.h"

#include "core/DataCoding.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <sys/statvfs.h>
#include <utility>

namespace {

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0)) && !QDir::isAbsolutePath(name);
}

} // namespace

DataFile::DataFile(QString folder, Clock clock, Writer writer)
    : m_folder(std::move(folder)), m_clock(std::move(clock)), m_writer(std::move(writer))
{
    if (makePrivateFolder(m_folder)) {
        tighten();
    }
}

bool DataFile::makePrivateFolder(const QString& path)
{
    if (!QDir().mkpath(path)) {
        return false;
    }
    return QFile::setPermissions(path, folderPermissions);
}

void DataFile::tighten() const
{
    QDirIterator entries(m_folder,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        if (entry.isSymLink()) {
            continue;
        }
        QFile::setPermissions(entry.filePath(),
                              entry.isDir() ? folderPermissions : filePermissions);
    }
}

QString DataFile::standardFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Leaflow");
}

QString DataFile::dataPath() const
{
    return m_folder + QStringLiteral("/data.json");
}

QString DataFile::signaturesPath() const
{
    return m_folder + QStringLiteral("/signatures");
}

std::optional<AppData> DataFile::load() const
{
    QFile file(dataPath());
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    if (auto data = DataCoding::decode(bytes)) {
        return data;
    }
    // Kept before the next save overwrites it; an existing copy of that name is left alone.
    const QString name = QStringLiteral("data-%1.bak.json").arg(m_clock().toSecsSinceEpoch());
    QFile backup(m_folder + QLatin1Char('/') + name);
    if (backup.open(QIODevice::WriteOnly | QIODevice::NewOnly, filePermissions)) {
        backup.write(bytes);
    }
    return std::nullopt;
}

int DataFile::writeAll(QFileDevice& file, const QByteArray& bytes)
{
    errno = 0;
    if (file.write(bytes) == bytes.size()) {
        return 0;
    }
    return errno != 0 ? errno : EIO;
}

DataFile::SaveResult DataFile::save(const AppData& data) const
{
    const QByteArray bytes = DataCoding::encode(data);
    if (bytes.isEmpty()) {
        return SaveResult::unencodable;
    }
    if (!QFileInfo(m_folder).isDir() && !makePrivateFolder(m_folder)) {
        return SaveResult::folderMissing;
    }
    QSaveFile file(dataPath());
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(filePermissions)) {
        return failure(errno);
    }
    if (const int error = m_writer(file, bytes); error != 0) {
        file.cancelWriting();
        return failure(error);
    }
    errno = 0;
    return file.commit() ? SaveResult::saved : failure(errno);
}

DataFile::SaveResult DataFile::failure(int error) const
{
    if (!QFileInfo(m_folder).isDir()) {
        return SaveResult::folderMissing;
    }
    struct statvfs disk {};
    // Asked while the failed file may still take up its space; file systems that report no
    // blocks at all are not disks.
    const bool full = ::statvfs(QFile::encodeName(m_folder).constData(), &disk) == 0 &&
                      disk.f_blocks > 0 && disk.f_bavail == 0;
    if (error == ENOSPC || error == EDQUOT || full) {
        return SaveResult::diskFull;
    }
    if (error == EACCES || error == EPERM || error == EROFS) {
        return SaveResult::notPermitted;
    }
    return SaveResult::failed;
}

AppData DataFile::restore() const
{
    if (auto data = load()) {
        save(*data);
        return *data;
    }
    return AppData{};
}

std::optional<QString> DataFile::signatureImagePath(const SavedSignature& signature) const
{
    if (!signature.imageFile || !isPlainFileName(*signature.imageFile)) {
        return std::nullopt;
    }
    return signaturesPath() + QLatin1Char('/') + *signature.imageFile;
}
