#include "runner/WorkerStart.h"

#include "process/HelperProcess.h"

#include <QProcess>

namespace WorkerStart {

void prepare(QProcess& process, const ChildLimits::Bounds& bounds)
{
    HelperProcess::prepare(process, Helper::worker, bounds);
    // A fresh process faults in every page of its heap on first touch; with
    // huge pages a long merge takes a few hundred faults instead of tens of
    // thousands, which was most of what running it in a worker cost.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString tunables = environment.value(QStringLiteral("GLIBC_TUNABLES"));
    environment.insert(QStringLiteral("GLIBC_TUNABLES"),
                       (tunables.isEmpty() ? QString() : tunables + u':') +
                           QStringLiteral("glibc.malloc.hugetlb=1"));
    // Recognition reads pages on threads of its own; OpenMP's threads inside Tesseract would only
    // crowd them. The library reads this as it is loaded, before the worker's main begins.
    environment.insert(QStringLiteral("OMP_THREAD_LIMIT"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
}

} // namespace WorkerStart
