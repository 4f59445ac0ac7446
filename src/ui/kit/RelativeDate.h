#pragma once

#include <QDateTime>
#include <QString>

// A moment described relative to now in the interface language, naming the
// step where a word exists ("dün", "geçen hafta") and counting the largest unit otherwise.
namespace RelativeDate {

// The calendar distance between two moments, split into units from years down to seconds.
struct Distance {
    qint64 years = 0;
    qint64 months = 0;
    qint64 weeks = 0;
    qint64 days = 0;
    qint64 hours = 0;
    qint64 minutes = 0;
    qint64 seconds = 0;
    bool past = true; // the moment lies before now

    bool operator==(const Distance&) const = default;
};

Distance distance(const QDateTime& date, const QDateTime& now);
QString text(const QDateTime& date, const QDateTime& now);

} // namespace RelativeDate
