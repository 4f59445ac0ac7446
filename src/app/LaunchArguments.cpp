#include "app/LaunchArguments.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <optional>

namespace {

const QString toolOption = QStringLiteral("--tool=");

// A local path for an argument, or none for a URL of another computer.
std::optional<QString> localPath(const QString& argument, const QDir& base)
{
    QString path = argument;
    if (argument.contains(QLatin1String("://"))) {
        // Desktops may pass URLs; only files on this computer can be opened.
        const QUrl url(argument);
        const bool here = url.host().isEmpty() || url.host() == QLatin1String("localhost");
        if (!url.isLocalFile() || !here) {
            return std::nullopt;
        }
        path = url.host().isEmpty() ? url.toLocalFile() : url.path(QUrl::FullyDecoded);
    }
    return QDir::cleanPath(base.absoluteFilePath(path));
}

} // namespace

QStringList LaunchFiles::all() const
{
    QStringList every = files;
    for (const ToolFiles& tool : tools) {
        every += tool.files;
    }
    return every;
}

LaunchFiles launchFiles(const QStringList& arguments, const QString& workingFolder)
{
    LaunchFiles launch;
    QStringList* into = &launch.files;
    bool optionsEnded = false;
    const QDir base(workingFolder);
    // The first argument is the program itself.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            into = &launch.files;
            continue;
        }
        if (!optionsEnded && argument.startsWith(toolOption)) {
            // Which names are tools is for the window to say; the history takes no files.
            const QString tool = argument.mid(toolOption.size());
            if (!tool.isEmpty() && tool != QLatin1String("history")) {
                launch.tools.append({tool, {}});
                into = &launch.tools.last().files;
            } else {
                into = &launch.files;
            }
            continue;
        }
        if (argument.isEmpty() || (!optionsEnded && argument.startsWith(QLatin1Char('-')))) {
            continue;
        }
        if (const auto path = localPath(argument, base)) {
            into->append(*path);
        }
    }
    return launch;
}

QStringList toolArguments(const QList<ToolFiles>& tools)
{
    QStringList arguments;
    for (const ToolFiles& tool : tools) {
        if (!tool.files.isEmpty()) {
            arguments << toolOption + tool.tool << tool.files;
        }
    }
    return arguments;
}
