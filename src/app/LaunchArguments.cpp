#include "LaunchArguments.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

QStringList launchFiles(const QStringList& arguments, const QString& workingFolder)
{
    QStringList files;
    bool optionsEnded = false;
    const QDir base(workingFolder);
    // The first argument is the program itself.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (argument.isEmpty() || (!optionsEnded && argument.startsWith(QLatin1Char('-')))) {
            continue;
        }
        QString path = argument;
        if (argument.contains(QLatin1String("://"))) {
            // Desktops may pass URLs; only files on this computer can be opened.
            const QUrl url(argument);
            const bool here = url.host().isEmpty() || url.host() == QLatin1String("localhost");
            if (!url.isLocalFile() || !here) {
                continue;
            }
            path = url.host().isEmpty() ? url.toLocalFile() : url.path(QUrl::FullyDecoded);
        }
        files.append(QDir::cleanPath(base.absoluteFilePath(path)));
    }
    return files;
}
