#pragma once

#include <QString>

// The messages of a run whose worker did not finish, naming the input it was reading.
namespace RunText {

QString timedOut(const QString& inputName);
QString outOfMemory(const QString& inputName);
QString endedUnexpectedly(const QString& inputName);

} // namespace RunText
