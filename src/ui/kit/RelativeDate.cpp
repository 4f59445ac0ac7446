#include "ui/kit/RelativeDate.h"

#include <QCoreApplication>

namespace {

QString translated(const char* text, qint64 count = -1)
{
    return QCoreApplication::translate("RelativeDate", text, nullptr, static_cast<int>(count));
}

// The largest whole number of calendar steps (years or months) from `from`
// that does not pass `to`.
template <typename Step>
qint64 wholeSteps(const QDateTime& from, const QDateTime& to, qint64 estimate, Step step)
{
    qint64 count = std::max<qint64>(estimate, 0);
    while (count > 0 && step(from, count) > to) {
        --count;
    }
    return count;
}

QDateTime addYears(const QDateTime& date, qint64 years)
{
    return date.addYears(static_cast<int>(years));
}

QDateTime addMonths(const QDateTime& date, qint64 months)
{
    return date.addMonths(static_cast<int>(months));
}

} // namespace

namespace RelativeDate {

Distance distance(const QDateTime& date, const QDateTime& now)
{
    Distance d;
    d.past = date <= now;
    // Calendar steps are counted in local time from the earlier moment, so a
    // month is a calendar month and a day keeps its wall-clock hour across DST.
    const QDateTime from = (d.past ? date : now).toLocalTime();
    const QDateTime to = (d.past ? now : date).toLocalTime();

    d.years = wholeSteps(from, to, to.date().year() - from.date().year(), addYears);
    const QDateTime afterYears = addYears(from, d.years);
    const qint64 monthEstimate = (to.date().year() - afterYears.date().year()) * 12 +
                                 to.date().month() - afterYears.date().month();
    d.months = wholeSteps(afterYears, to, monthEstimate, addMonths);
    const QDateTime afterMonths = addMonths(afterYears, d.months);

    qint64 days = afterMonths.daysTo(to);
    if (afterMonths.addDays(days) > to) {
        --days;
    }
    const QDateTime afterDays = afterMonths.addDays(days);
    d.weeks = days / 7;
    d.days = days % 7;
    qint64 seconds = afterDays.secsTo(to);
    d.hours = seconds / 3600;
    seconds %= 3600;
    d.minutes = seconds / 60;
    d.seconds = seconds % 60;
    return d;
}

QString text(const QDateTime& date, const QDateTime& now)
{
    const Distance d = distance(date, now);
    // Per unit: the word for one step back and forward, then the counted forms.
    struct Unit {
        qint64 value;
        const char* last;
        const char* next;
        const char* ago;
        const char* later;
    };
    const Unit units[] = {
        {d.years, QT_TRANSLATE_NOOP("RelativeDate", "geçen yıl"),
         QT_TRANSLATE_NOOP("RelativeDate", "gelecek yıl"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n yıl önce"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n yıl sonra")},
        {d.months, QT_TRANSLATE_NOOP("RelativeDate", "geçen ay"),
         QT_TRANSLATE_NOOP("RelativeDate", "gelecek ay"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n ay önce"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n ay sonra")},
        {d.weeks, QT_TRANSLATE_NOOP("RelativeDate", "geçen hafta"),
         QT_TRANSLATE_NOOP("RelativeDate", "gelecek hafta"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n hafta önce"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n hafta sonra")},
        {d.days, QT_TRANSLATE_NOOP("RelativeDate", "dün"),
         QT_TRANSLATE_NOOP("RelativeDate", "yarın"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n gün önce"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n gün sonra")},
        // Hours, minutes and seconds have no word of their own for one step.
        {d.hours, nullptr, nullptr, QT_TRANSLATE_N_NOOP("RelativeDate", "%n saat önce"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n saat sonra")},
        {d.minutes, nullptr, nullptr, QT_TRANSLATE_N_NOOP("RelativeDate", "%n dakika önce"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n dakika sonra")},
        {d.seconds, nullptr, nullptr, QT_TRANSLATE_N_NOOP("RelativeDate", "%n saniye önce"),
         QT_TRANSLATE_N_NOOP("RelativeDate", "%n saniye sonra")},
    };
    for (const Unit& unit : units) {
        if (unit.value <= 0) {
            continue;
        }
        if (unit.value == 1 && unit.last) {
            return translated(d.past ? unit.last : unit.next);
        }
        return translated(d.past ? unit.ago : unit.later, unit.value);
    }
    return QCoreApplication::translate("RelativeDate", "şimdi");
}

} // namespace RelativeDate
