#pragma once

#include <QString>

// The update machinery's messages to the user, in the interface language.
namespace UpdateText {

QString keyInvalid();
QString addressRefused();
QString redirectRefused();
QString unreachable();
QString serverError(int status);
QString feedTooLarge();
QString feedUnreadable();
QString saveFailed();
QString wrongLength();
QString signatureInvalid();
QString openFailed();
QString installRefused();
QString installFailed(const QString& details);
QString openedInInstaller();
QString installedNotReopened();

} // namespace UpdateText
