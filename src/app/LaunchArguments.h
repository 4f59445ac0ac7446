#pragma once

#include <QString>
#include <QStringList>

// The files named on the command line, as absolute paths: arguments that are
// not options, everything after "--", and file:// URLs as their local paths.
QStringList launchFiles(const QStringList& arguments, const QString& workingFolder);
