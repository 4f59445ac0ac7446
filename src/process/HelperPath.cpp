#include "process/HelperPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace HelperPath {

namespace {

struct Places {
    const char* name;
    const char* variable;
    const char* built; // the build tree's copy
};

Places placesOf(Helper helper)
{
    switch (helper) {
    case Helper::worker: return {"leaflow-worker", "LEAFLOW_WORKER", LEAFLOW_BUILD_WORKER};
    case Helper::renderer: return {"leaflow-renderer", "LEAFLOW_RENDERER", LEAFLOW_BUILD_RENDERER};
    }
    Q_UNREACHABLE();
}

bool runnable(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.isExecutable();
}

bool inBuildTree(const QString& programDir)
{
    const QString buildTree = QFileInfo(QString::fromUtf8(LEAFLOW_BUILD_DIR)).canonicalFilePath();
    return !buildTree.isEmpty() && programDir.startsWith(buildTree + u'/');
}

} // namespace

QString programName(Helper helper)
{
    return QString::fromLatin1(placesOf(helper).name);
}

QString find(Helper helper)
{
    const Places places = placesOf(helper);
    const QString named = qEnvironmentVariable(places.variable);
    if (!named.isEmpty()) {
        return runnable(named) ? QFileInfo(named).absoluteFilePath() : QString();
    }
    const QString name = programName(helper);
    const QString programDir = QDir::cleanPath(QCoreApplication::applicationDirPath());
    QStringList candidates;
    if (inBuildTree(programDir)) {
        candidates.append(QString::fromUtf8(places.built));
    }
    candidates.append(programDir + u'/' + name);
    candidates.append(QDir::cleanPath(programDir + u'/' +
                                      QString::fromUtf8(LEAFLOW_HELPERS_FROM_BIN) + u'/' + name));
    for (const QString& candidate : std::as_const(candidates)) {
        if (runnable(candidate)) {
            return QFileInfo(candidate).absoluteFilePath();
        }
    }
    return {};
}

} // namespace HelperPath
