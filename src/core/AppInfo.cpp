#include "core/AppInfo.h"

#ifndef LEAFLOW_VERSION
#define LEAFLOW_VERSION ""
#endif
#ifndef LEAFLOW_BUILD
#define LEAFLOW_BUILD ""
#endif
#ifndef LEAFLOW_SUPPORT_ADDRESS
#define LEAFLOW_SUPPORT_ADDRESS ""
#endif

namespace AppInfo {

QString versionOr(const QString& configured)
{
    const QString trimmed = configured.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("1.0") : trimmed;
}

QString buildOr(const QString& configured)
{
    const QString trimmed = configured.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("1") : trimmed;
}

QString version()
{
    return versionOr(QStringLiteral(LEAFLOW_VERSION));
}

QString build()
{
    return buildOr(QStringLiteral(LEAFLOW_BUILD));
}

QString supportAddress()
{
    return QStringLiteral(LEAFLOW_SUPPORT_ADDRESS).trimmed();
}

} // namespace AppInfo
