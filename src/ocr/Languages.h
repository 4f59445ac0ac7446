#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tesseract {
class TessBaseAPI;
}

// Which recognition data a request needs, in the order Tesseract is given it, and the check that
// it is installed.
namespace Languages {

// The codes joined for Tesseract ("eng+spa+tur"): the known ones always in that order, whatever
// order they were chosen in (Turkish first loses Spanish accents), any others after them.
QByteArray joined(const QStringList& codes);

// The language's name in the interface language ("İspanyolca"); an unknown code as it is.
QString name(const QString& code);

// Throws std::runtime_error naming the first of codes whose data api, initialised for them, does
// not list: Tesseract only warns about a missing one and reads on without it.
void require(const tesseract::TessBaseAPI& api, const QStringList& codes);

// The error for a language whose data is missing.
[[noreturn]] void missing(const QString& code);

} // namespace Languages
