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

Places placesOf(Module module)
{
    switch (module) {
    case Module::recognition:
        return {"leaflow-ocr.so", "LEAFLOW_OCR_MODULE", LEAFLOW_BUILD_OCR_MODULE};
    case Module::pictures:
        return {"leaflow-art.so", "LEAFLOW_ART_MODULE", LEAFLOW_BUILD_ART_MODULE};
    }
    Q_UNREACHABLE();
}

bool runnable(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.isExecutable();
}

// A module need not be executable: packages install shared objects without the bit.
bool loadable(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.isReadable();
}

bool inBuildTree(const QString& programDir)
{
    const QString buildTree = QFileInfo(QString::fromUtf8(LEAFLOW_BUILD_DIR)).canonicalFilePath();
    return !buildTree.isEmpty() && programDir.startsWith(buildTree + u'/');
}

QString locate(const Places& places, bool (*usable)(const QString&))
{
    const QString named = qEnvironmentVariable(places.variable);
    if (!named.isEmpty()) {
        return usable(named) ? QFileInfo(named).absoluteFilePath() : QString();
    }
    const QString name = QString::fromLatin1(places.name);
    const QString programDir = QDir::cleanPath(QCoreApplication::applicationDirPath());
    QStringList candidates;
    if (inBuildTree(programDir)) {
        candidates.append(QString::fromUtf8(places.built));
    }
    candidates.append(programDir + u'/' + name);
    candidates.append(QDir::cleanPath(programDir + u'/' +
                                      QString::fromUtf8(LEAFLOW_HELPERS_FROM_BIN) + u'/' + name));
    for (const QString& candidate : std::as_const(candidates)) {
        if (usable(candidate)) {
            return QFileInfo(candidate).absoluteFilePath();
        }
    }
    return {};
}

} // namespace

QString programName(Helper helper)
{
    return QString::fromLatin1(placesOf(helper).name);
}

QString find(Helper helper)
{
    return locate(placesOf(helper), runnable);
}

QString moduleName(Module module)
{
    return QString::fromLatin1(placesOf(module).name);
}

QString find(Module module)
{
    return locate(placesOf(module), loadable);
}

} // namespace HelperPath
