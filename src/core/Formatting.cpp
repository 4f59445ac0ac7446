#include "core/Formatting.h"

#include <QCoreApplication>
#include <array>
#include <cmath>

namespace Formatting {

namespace {

struct Unit {
    const char* symbol;
    int fractionDigits;
};

constexpr std::array<Unit, 6> units = {
    {{"kB", 0}, {"MB", 1}, {"GB", 2}, {"TB", 2}, {"PB", 2}, {"EB", 2}}};

QString withoutTrailingZeros(const QString& number, const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    if (!number.contains(point)) {
        return number;
    }
    QString trimmed = number;
    while (trimmed.endsWith(locale.zeroDigit())) {
        trimmed.chop(locale.zeroDigit().size());
    }
    if (trimmed.endsWith(point)) {
        trimmed.chop(point.size());
    }
    return trimmed;
}

QString bytesText(qint64 bytes, const QLocale& locale)
{
    if (bytes == 0) {
        return QCoreApplication::translate("Formatting", "Sıfır bayt");
    }
    if (bytes == 1) {
        return QCoreApplication::translate("Formatting", "1 bayt");
    }
    return QCoreApplication::translate("Formatting", "%1 bayt").arg(count(bytes, locale));
}

} // namespace

QString fileSize(qint64 bytes, const QLocale& locale)
{
    if (std::llabs(bytes) < 1000) {
        return bytesText(bytes, locale);
    }
    double value = static_cast<double>(bytes) / 1000.0;
    std::size_t unit = 0;
    for (;;) {
        const double scale = std::pow(10.0, units[unit].fractionDigits);
        const double rounded = std::round(value * scale) / scale;
        // 999 999 bytes round to 1000 kB, which reads better as 1 MB.
        if (std::fabs(rounded) < 1000.0 || unit + 1 == units.size()) {
            value = rounded;
            break;
        }
        value /= 1000.0;
        ++unit;
    }
    const QString number = locale.toString(value, 'f', units[unit].fractionDigits);
    return withoutTrailingZeros(number, locale) + QLatin1Char(' ') +
           QLatin1String(units[unit].symbol);
}

QString percent(double fraction, const QLocale& locale)
{
    const QString number = count(std::llround(fraction * 100.0), locale);
    const QString sign = locale.percent();
    switch (locale.language()) {
    case QLocale::Turkish: return sign + number;
    case QLocale::Spanish:
    case QLocale::French:
    case QLocale::German: return number + QChar(0x00A0) + sign;
    default: return number + sign;
    }
}

QString count(qint64 value, const QLocale& locale)
{
    // Qt 6.4 groups Spanish numbers wrongly ("1234.567"), so the grouping is ours:
    // threes from the right, and Spanish leaves four-digit numbers whole.
    const QString digits =
        locale.toString(static_cast<qlonglong>(std::llabs(value))).remove(locale.groupSeparator());
    const bool ungrouped = digits.size() <= 3 ||
                           (locale.language() == QLocale::Spanish && digits.size() <= 4);
    QString text = digits;
    if (!ungrouped) {
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3) {
            text.insert(at, locale.groupSeparator());
        }
    }
    return value < 0 ? locale.negativeSign() + text : text;
}

} // namespace Formatting
