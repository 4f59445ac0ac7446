#include "WorkerPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace WorkerPath {

QString find()
{
    const QString name = QStringLiteral("leaflow-worker");
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList candidates{QDir(programDir).filePath(name), qEnvironmentVariable("LEAFLOW_WORKER")};
    const QString buildTree = QStringLiteral(LEAFLOW_BUILD_DIR);
    if (QDir::cleanPath(programDir).startsWith(buildTree + u'/')) {
        candidates.append(QStringLiteral(LEAFLOW_BUILD_WORKER));
    }
    candidates.append(QDir::cleanPath(programDir + QStringLiteral("/" LEAFLOW_INSTALLED_WORKER)));
    for (const QString& candidate : std::as_const(candidates)) {
        const QFileInfo info(candidate);
        if (!candidate.isEmpty() && info.isFile() && info.isExecutable()) {
            return info.absoluteFilePath();
        }
    }
    return {};
}

} // namespace WorkerPath
