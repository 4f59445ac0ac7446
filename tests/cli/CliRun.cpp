#include "CliRun.h"

#include <QProcess>

namespace CliRun {

QString program()
{
    return qEnvironmentVariable("LEAFLOW_CLI");
}

QProcessEnvironment environment(const QString& configHome)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES"}) {
        env.remove(QString::fromLatin1(name));
    }
    env.insert(QStringLiteral("LANG"), QStringLiteral("tr_TR.UTF-8"));
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("tr"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    return env;
}

Result run(const QStringList& arguments, const QString& workingFolder, const QString& configHome,
           int timeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(environment(configHome));
    process.setWorkingDirectory(workingFolder);
    process.start(program(), arguments);
    process.closeWriteChannel();
    Result result;
    if (!process.waitForFinished(timeoutMs)) {
        result.timedOut = true;
        process.kill();
        process.waitForFinished();
    }
    result.crashed = process.exitStatus() == QProcess::CrashExit && !result.timedOut;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace CliRun
