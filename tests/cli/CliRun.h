#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs the real leaflow-cli as a child process with the interface language
// pinned to Turkish and a private settings folder.
namespace CliRun {

struct Result {
    bool crashed = false;
    bool timedOut = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QString program();
// The environment the child gets: Turkish language, settings under configHome.
QProcessEnvironment environment(const QString& configHome);
Result run(const QStringList& arguments, const QString& workingFolder, const QString& configHome,
           int timeoutMs = 60000);

} // namespace CliRun
