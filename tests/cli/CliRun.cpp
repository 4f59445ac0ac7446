#include "CliRun.h"

#include <QProcess>

#include <sys/resource.h>

namespace CliRun {

QString program()
{
    return qEnvironmentVariable("LEAFLOW_CLI");
}

Result run(const QStringList& arguments, const QString& workingFolder, const QString& configHome,
           int timeoutMs)
{
    // Turkish language, settings under configHome.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("tr_TR.UTF-8"));
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("tr"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingFolder);
    // A bound on memory turns a runaway child into a crash the caller sees; the
    // sanitizer runtime reserves far more address space than any bound allows.
    if (!qEnvironmentVariableIsSet("ASAN_OPTIONS")) {
        process.setChildProcessModifier([] {
            constexpr rlim_t bound = rlim_t(3) << 30;
            const rlimit limit{bound, bound};
            setrlimit(RLIMIT_AS, &limit);
        });
    }
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
