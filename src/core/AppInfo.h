#pragma once

#include <QString>

// The version, build number and support address this copy was built with.
namespace AppInfo {

// The release version; "1.0" when the build names none.
QString version();
// The build number; "1" when the build names none.
QString build();
// The support mail address; empty when the build was given none.
QString supportAddress();

// The rules above for given build values, so the fallbacks can be checked.
QString versionOr(const QString& configured);
QString buildOr(const QString& configured);

} // namespace AppInfo
