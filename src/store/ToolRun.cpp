#include "store/ToolRun.h"

#include "core/AppLanguage.h"
#include "core/FittedName.h"
#include "core/Formatting.h"
#include "core/Preferences.h"
#include "engine/include/PDFEngine.h"
#include "store/Dialogs.h"
#include "store/Store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ToolRun {

QString suggestedName(const PDFFile& input, const QString& word)
{
    constexpr int numberRoom = 6; // " 99999"
    return fittedName(QFileInfo(input.source.path).completeBaseName(), QLatin1Char(' ') + word,
                      numberRoom);
}

QString startFolder(const QString& tool, const QList<PDFFile>& inputs)
{
    QString beside = QFileInfo(inputs.first().source.path).absolutePath();
    if (inputs.size() == 1) {
        return beside;
    }
    const QString last = Preferences::saveFolder(tool);
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : beside;
}

QList<PDFSource> sourcesOf(const QList<PDFFile>& files)
{
    QList<PDFSource> sources;
    for (const PDFFile& file : files) {
        sources.append(file.source);
    }
    return sources;
}

qint64 totalSize(const QStringList& paths)
{
    qint64 total = 0;
    for (const QString& path : paths) {
        total += PDFEngine::fileSize(path);
    }
    return total;
}

std::optional<OutputsPerFile> askOutputsPerFile(Store& store, const QString& tool,
                                                const QList<PDFFile>& files, const QString& word)
{
    OutputsPerFile place;
    if (files.size() == 1) {
        const std::optional<QString> destination =
            store.dialogs().save(suggestedName(files.first(), word), startFolder(tool, files));
        if (!destination) {
            return std::nullopt;
        }
        place.destination = *destination;
    } else {
        const std::optional<QString> folder = store.dialogs().folder(startFolder(tool, files));
        if (!folder) {
            return std::nullopt;
        }
        place.folder = *folder;
        place.createFolder = true;
    }
    for (const PDFFile& input : files) {
        place.baseNames.append(suggestedName(input, word));
    }
    return place;
}

QString readyText(const QStringList& outputs)
{
    const QLocale locale = AppLanguages::locale();
    if (outputs.size() == 1) {
        return QCoreApplication::translate("Store", "Hazır: %1 · %2")
            .arg(QFileInfo(outputs.first()).fileName(),
                 Formatting::fileSize(totalSize(outputs), locale));
    }
    return QCoreApplication::translate("Store", "Hazır: %1 dosya · %2 klasöründe")
        .arg(Formatting::count(outputs.size(), locale),
             QFileInfo(outputs.value(0)).absoluteDir().dirName());
}

} // namespace ToolRun
