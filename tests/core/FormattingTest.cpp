#include "Formatting.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

// Byte counts, percentages and counts in Turkish, English and Spanish.
class FormattingTest : public QObject {
    Q_OBJECT

private slots:
    void fileSizes_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");

        QTest::newRow("tr zero") << "tr_TR" << qint64(0) << "Sıfır bayt";
        QTest::newRow("tr bytes") << "tr_TR" << qint64(999) << "999 bayt";
        QTest::newRow("tr exactly 1 kB") << "tr_TR" << qint64(1000) << "1 kB";
        QTest::newRow("tr kB rounds to whole") << "tr_TR" << qint64(1500) << "2 kB";
        QTest::newRow("tr rolls over into MB") << "tr_TR" << qint64(999'999) << "1 MB";
        QTest::newRow("tr MB one digit") << "tr_TR" << qint64(1'234'567) << "1,2 MB";
        QTest::newRow("tr MB trailing zero dropped") << "tr_TR" << qint64(3'000'400) << "3 MB";
        QTest::newRow("tr GB two digits") << "tr_TR" << qint64(1'234'567'890) << "1,23 GB";
        QTest::newRow("tr TB") << "tr_TR" << qint64(2'000'000'000'000) << "2 TB";
        QTest::newRow("en MB") << "en_US" << qint64(1'234'567) << "1.2 MB";
        QTest::newRow("es GB") << "es_ES" << qint64(9'876'543'210) << "9,88 GB";
        QTest::newRow("en zero") << "en_US" << qint64(0) << "Zero bytes";
        QTest::newRow("en one") << "en_US" << qint64(1) << "1 byte";
        QTest::newRow("es zero") << "es_ES" << qint64(0) << "Cero bytes";
        QTest::newRow("es several") << "es_ES" << qint64(999) << "999 bytes";
    }

    // Outside Turkish the byte words come from the shipped catalogue of that language.
    void fileSizes()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QTranslator catalogue;
        if (!locale.startsWith("tr")) {
            QVERIFY(catalogue.load(":/i18n/leaflow_" + locale.left(2) + ".qm"));
            QCoreApplication::installTranslator(&catalogue);
        }
        const QString formatted = Formatting::fileSize(bytes, QLocale(locale));
        QCoreApplication::removeTranslator(&catalogue);
        QCOMPARE(formatted, text);
    }

    void percentages_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<QString>("text");

        QTest::newRow("tr sign first") << "tr_TR" << 0.5 << "%50";
        QTest::newRow("tr rounds up") << "tr_TR" << 0.996 << "%100";
        QTest::newRow("en sign last") << "en_US" << 0.5 << "50%";
        QTest::newRow("en whole number") << "en_US" << 0.375 << "38%";
        QTest::newRow("es spaced sign") << "es_ES" << 0.5 << "50\u00a0%";
    }

    void percentages()
    {
        QFETCH(QString, locale);
        QFETCH(double, fraction);
        QFETCH(QString, text);
        QCOMPARE(Formatting::percent(fraction, QLocale(locale)), text);
    }

    void counts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("text");

        QTest::newRow("tr four digits") << "tr_TR" << qint64(1234) << "1.234";
        QTest::newRow("es four digits whole") << "es_ES" << qint64(1234) << "1234";
        QTest::newRow("es five digits") << "es_ES" << qint64(12'345) << "12.345";
        QTest::newRow("negative") << "en_US" << qint64(-1'234) << "-1,234";
    }

    void counts()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, value);
        QFETCH(QString, text);
        QCOMPARE(Formatting::count(value, QLocale(locale)), text);
    }
};

QTEST_GUILESS_MAIN(FormattingTest)
#include "FormattingTest.moc"
