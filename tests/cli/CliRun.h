#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs the real leaflow-cli as a child process with the interface language
// pinned to Turkish, a private settings folder and at most 3 GB of memory.
namespace CliRun {

struct Result {
    bool crashed = false;
    bool timedOut = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QString program();
Result run(const QStringList& arguments, const QString& workingFolder, const QString& configHome,
           int timeoutMs = 60000);

} // namespace CliRun
