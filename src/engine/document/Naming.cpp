#include "Operations.h"

#include <QDir>
#include <QFileInfo>

namespace PDFEngine {

qint64 fileSize(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.size() : 0;
}

QString uniqueURL(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    QString candidate = dir.filePath(name + QStringLiteral(".pdf"));
    for (qint64 n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n) {
        candidate = dir.filePath(QStringLiteral("%1 %2.pdf").arg(name).arg(n));
    }
    return candidate;
}

} // namespace PDFEngine
