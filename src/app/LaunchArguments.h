#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Files a relaunch hands back to the tool they were open in.
struct ToolFiles {
    QString tool; // its key
    QStringList files;
    bool operator==(const ToolFiles&) const = default;
};

// The files named on the command line, as absolute paths.
struct LaunchFiles {
    // For the current tool, as a file manager hands them.
    QStringList files;
    // Each after a "--tool=NAME" option, for that tool; only a relaunch writes these.
    QList<ToolFiles> tools;

    // Every file, for handing over to a window already running.
    QStringList all() const;
};

// Arguments that are not options, everything after "--", and file:// URLs as their local paths.
LaunchFiles launchFiles(const QStringList& arguments, const QString& workingFolder);

// The arguments that give a new process these files, each in its tool; paths must be absolute.
QStringList toolArguments(const QList<ToolFiles>& tools);
