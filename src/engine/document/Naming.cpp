#include "engine/document/Operations.h"

#include "core/FittedName.h"

#include <QDir>
#include <QFileInfo>

namespace PDFEngine {

qint64 fileSize(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.size() : 0;
}

QString uniqueURL(const QString& folder, const QString& name, const QString& tail,
                  const QSet<QString>& taken)
{
    const QDir dir(folder);
    const auto used = [&taken](const QString& path) {
        return taken.contains(path) || QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    };
    QString candidate = dir.filePath(fittedName(name, tail) + QStringLiteral(".pdf"));
    for (qint64 n = 2; used(candidate); ++n) {
        candidate = dir.filePath(fittedName(name, tail + QStringLiteral(" %1").arg(n)) +
                                 QStringLiteral(".pdf"));
    }
    return candidate;
}

} // namespace PDFEngine
