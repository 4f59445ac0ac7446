#pragma once

#include <QLocale>
#include <QString>

// Numbers as the interface shows them, in the given locale's digits and separators.
namespace Formatting {

// A size in file-size style: decimal units (1 kB = 1000 bytes), the unit chosen by
// magnitude, whole bytes and kB, one fraction digit for MB, two from GB upwards,
// trailing zeros dropped, and zero spelled out.
QString fileSize(qint64 bytes, const QLocale& locale);
// A fraction (0.5) as a whole-number percentage with the locale's sign placement.
QString percent(double fraction, const QLocale& locale);
// A count with the locale's digit grouping.
QString count(qint64 value, const QLocale& locale);

} // namespace Formatting
