#include "process/HelperProcess.h"

#include <QCoreApplication>
#include <QProcess>

namespace HelperProcess {

namespace {

// How the dynamic loader ends a program it cannot load (a library missing), and how the child
// ends when its parent died before it could run; no helper ends with it by itself.
constexpr int couldNotRun = 127;

} // namespace

void prepare(QProcess& process, Helper helper, const ChildLimits::Bounds& bounds)
{
    process.setProgram(HelperPath::find(helper));
    process.setChildProcessModifier(ChildLimits::modifier(bounds));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

std::optional<QString> startFailure(const QProcess& process, Helper helper)
{
    const QString name = HelperPath::programName(helper);
    if (process.error() == QProcess::FailedToStart && process.program().isEmpty()) {
        return QCoreApplication::translate("HelperProcess",
                                           "Leaflow eksik kurulmuş: %1 bulunamadı.")
            .arg(name);
    }
    const bool neverRan = process.state() == QProcess::NotRunning &&
                          process.exitStatus() == QProcess::NormalExit &&
                          process.exitCode() == couldNotRun;
    if (process.error() == QProcess::FailedToStart || neverRan) {
        return QCoreApplication::translate("HelperProcess",
                                           "Leaflow eksik kurulmuş: %1 başlatılamadı.")
            .arg(name);
    }
    return std::nullopt;
}

} // namespace HelperProcess
