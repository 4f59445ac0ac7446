#include "engine/document/EngineText.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <sys/statvfs.h>
#include <unistd.h>

namespace PDFEngine {

namespace {

// The limit of the folder's own file system, which may be shorter than the usual 255 bytes.
bool nameTooLong(const QString& folder, const QString& name)
{
    long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    if (limit <= 0) {
        limit = NAME_MAX;
    }
    return QFile::encodeName(name).size() > limit;
}

// Asked while the failed file still takes up its space; file systems that
// report no blocks at all are not disks.
bool diskFull(const QString& folder)
{
    struct statvfs info {};
    return ::statvfs(QFile::encodeName(folder).constData(), &info) == 0 && info.f_blocks > 0 &&
           info.f_bavail == 0;
}

} // namespace

Failure writeFailure(const QString& destination, int error)
{
    const QFileInfo info(destination);
    return writeFailure(info.fileName(), info.absolutePath(), error);
}

Failure writeFailure(const QString& name, const QString& folder, int error)
{
    if (!QFileInfo(folder).isDir()) {
        return Failure(EngineText::folderMissing(name, folder));
    }
    if (error == ENAMETOOLONG || nameTooLong(folder, name)) {
        return Failure(EngineText::nameTooLong(name));
    }
    if (error == ENOSPC || error == EDQUOT || diskFull(folder)) {
        return Failure(EngineText::diskFull(name));
    }
    return Failure(EngineText::writeFailed(name));
}

} // namespace PDFEngine
