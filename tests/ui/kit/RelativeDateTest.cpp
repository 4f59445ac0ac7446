#include "RelativeDate.h"

#include <QTest>

Q_DECLARE_METATYPE(RelativeDate::Distance)

namespace {

const QDateTime now(QDate(2026, 3, 15), QTime(12, 0, 0));

} // namespace

class RelativeDateTest : public QObject {
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QString>("expected");

        QTest::newRow("same moment") << now << "şimdi";
        QTest::newRow("seconds") << now.addSecs(-5) << "5 saniye önce";
        QTest::newRow("one minute") << now.addSecs(-60) << "1 dakika önce";
        QTest::newRow("minutes round down") << now.addSecs(-(42 * 60 + 59)) << "42 dakika önce";
        QTest::newRow("one hour has no word") << now.addSecs(-3600) << "1 saat önce";
        QTest::newRow("almost a day") << now.addSecs(-(23 * 3600 + 59 * 60)) << "23 saat önce";
        QTest::newRow("one day") << now.addDays(-1) << "dün";
        QTest::newRow("a day and hours") << now.addSecs(-47 * 3600) << "dün";
        QTest::newRow("two days") << now.addDays(-2) << "2 gün önce";
        QTest::newRow("six days") << now.addDays(-6) << "6 gün önce";
        QTest::newRow("one week") << now.addDays(-7) << "geçen hafta";
        QTest::newRow("thirteen days") << now.addDays(-13) << "geçen hafta";
        QTest::newRow("two weeks") << now.addDays(-14) << "2 hafta önce";
        QTest::newRow("one month") << now.addMonths(-1) << "geçen ay";
        QTest::newRow("four months") << now.addMonths(-4).addDays(-3) << "4 ay önce";
        QTest::newRow("one year") << now.addYears(-1) << "geçen yıl";
        QTest::newRow("three years") << now.addYears(-3).addMonths(-2) << "3 yıl önce";
        QTest::newRow("tomorrow") << now.addDays(1) << "yarın";
        QTest::newRow("in hours") << now.addSecs(3 * 3600) << "3 saat sonra";
        QTest::newRow("in two weeks") << now.addDays(15) << "2 hafta sonra";
        QTest::newRow("next year") << now.addYears(1).addDays(2) << "gelecek yıl";
    }

    void text()
    {
        QFETCH(QDateTime, date);
        QFETCH(QString, expected);
        QCOMPARE(RelativeDate::text(date, now), expected);
    }

    // Months are calendar months: from the last day of January a month is over
    // on the last day of February, not thirty days later.
    void distance_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QDateTime>("current");
        QTest::addColumn<RelativeDate::Distance>("expected");

        auto at = [](int year, int month, int day, int hour = 9) {
            return QDateTime(QDate(year, month, day), QTime(hour, 0));
        };
        RelativeDate::Distance monthEnd;
        monthEnd.months = 1;
        monthEnd.days = 1;
        QTest::newRow("end of january to march") << at(2026, 1, 31) << at(2026, 3, 1) << monthEnd;

        RelativeDate::Distance leap;
        leap.years = 1;
        leap.hours = 3;
        QTest::newRow("leap day") << at(2024, 2, 29) << at(2025, 2, 28, 12) << leap;

        RelativeDate::Distance mixed;
        mixed.weeks = 2;
        mixed.days = 3;
        mixed.hours = 4;
        mixed.minutes = 5;
        mixed.seconds = 6;
        const QDateTime start = at(2026, 5, 1);
        QTest::newRow("weeks and the rest")
            << start << start.addDays(17).addSecs(4 * 3600 + 5 * 60 + 6) << mixed;

        RelativeDate::Distance ahead;
        ahead.past = false;
        ahead.days = 2;
        QTest::newRow("future") << at(2026, 5, 3) << at(2026, 5, 1) << ahead;
    }

    void distance()
    {
        QFETCH(QDateTime, date);
        QFETCH(QDateTime, current);
        QFETCH(RelativeDate::Distance, expected);
        const RelativeDate::Distance d = RelativeDate::distance(date, current);
        QCOMPARE(d.years, expected.years);
        QCOMPARE(d.months, expected.months);
        QCOMPARE(d.weeks, expected.weeks);
        QCOMPARE(d.days, expected.days);
        QCOMPARE(d.hours, expected.hours);
        QCOMPARE(d.minutes, expected.minutes);
        QCOMPARE(d.seconds, expected.seconds);
        QCOMPARE(d.past, expected.past);
    }
};

QTEST_GUILESS_MAIN(RelativeDateTest)
#include "RelativeDateTest.moc"
