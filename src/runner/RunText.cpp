#include "runner/RunText.h"

#include <QCoreApplication>

namespace RunText {

QString timedOut(const QString& inputName)
{
    return QCoreApplication::translate("ContainedRun", "%1 işlenemedi: süre doldu.").arg(inputName);
}

QString outOfMemory(const QString& inputName)
{
    return QCoreApplication::translate("ContainedRun", "%1 işlenemedi: bellek yetmedi.")
        .arg(inputName);
}

QString endedUnexpectedly(const QString& inputName)
{
    return QCoreApplication::translate("ContainedRun",
                                       "%1 işlenemedi: işlem beklenmedik biçimde sona erdi.")
        .arg(inputName);
}

} // namespace RunText
