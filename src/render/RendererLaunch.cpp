#include "RendererLaunch.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace RendererLaunch {

QString program()
{
    const QString name = QStringLiteral("leaflow-renderer");
    QString beside = QCoreApplication::applicationDirPath() + u'/' + name;
    if (QFileInfo(beside).isExecutable()) {
        return beside;
    }
    QString configured = qEnvironmentVariable("LEAFLOW_RENDERER");
    if (!configured.isEmpty()) {
        return configured;
    }
    return QCoreApplication::applicationDirPath() + u'/' +
           QStringLiteral(LEAFLOW_RENDERER_FROM_BIN);
}

std::function<void()> childLimits()
{
    return [] {
    // AddressSanitizer reserves terabytes of address space up front, so under it the
    // renderer would not even start with a limit; sanitizer builds run without one.
#ifndef __SANITIZE_ADDRESS__
        const rlimit space{addressSpaceLimit, addressSpaceLimit};
        setrlimit(RLIMIT_AS, &space);
#endif
        // A crash leaves no core file of a document the user may want to keep private.
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        // The renderer never outlives the window, even one that is killed.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
    };
}

} // namespace RendererLaunch
