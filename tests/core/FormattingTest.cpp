#include "core/Formatting.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

// Byte counts, percentages and counts in Turkish, English and Spanish.
class FormattingTest : public QObject {
    Q_OBJECT

private slots:
    void formats_data()
    {
        QTest::addColumn<char>("kind"); // s: file size, p: percentage, c: count
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");

        const auto row = [](char kind, const char* locale, double value, const char* text) {
            QTest::addRow("%c %s %s", kind, locale, text)
                << kind << QString::fromLatin1(locale) << value << QString::fromUtf8(text);
        };
        row('s', "tr_TR", 0, "Sıfır bayt");
        row('s', "tr_TR", 999, "999 bayt");
        row('s', "tr_TR", 1000, "1 kB");
        row('s', "tr_TR", 1500, "2 kB");        // rounds to whole
        row('s', "tr_TR", 999'999, "1 MB");     // rolls over
        row('s', "tr_TR", 1'234'567, "1,2 MB"); // one digit
        row('s', "tr_TR", 3'000'400, "3 MB");   // trailing zero dropped
        row('s', "tr_TR", 1'234'567'890, "1,23 GB");
        row('s', "tr_TR", 2'000'000'000'000, "2 TB");
        row('s', "en_US", 1'234'567, "1.2 MB");
        row('s', "en_US", 0, "Zero bytes");
        row('s', "en_US", 1, "1 byte");
        row('s', "es_ES", 0, "Cero bytes");
        row('p', "tr_TR", 0.5, "%50");
        row('p', "tr_TR", 0.996, "%100");
        row('p', "en_US", 0.5, "50%");
        row('p', "es_ES", 0.5, "50\u00a0%");
        row('c', "tr_TR", 1234, "1.234");
        row('c', "es_ES", 1234, "1234"); // four digits stay whole
        row('c', "es_ES", 12'345, "12.345");
        row('c', "en_US", -1'234, "-1,234");
    }

    // Outside Turkish the byte words come from the shipped catalogue of that language.
    void formats()
    {
        QFETCH(char, kind);
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QTranslator catalogue;
        if (!locale.startsWith("tr")) {
            QVERIFY(catalogue.load(":/i18n/leaflow_" + locale.left(2) + ".qm"));
            QCoreApplication::installTranslator(&catalogue);
        }
        const QLocale l(locale);
        const QString formatted = kind == 's'   ? Formatting::fileSize(qint64(value), l)
                                  : kind == 'p' ? Formatting::percent(value, l)
                                                : Formatting::count(qint64(value), l);
        QCoreApplication::removeTranslator(&catalogue);
        QCOMPARE(formatted, text);
    }
};

QTEST_GUILESS_MAIN(FormattingTest)
#include "FormattingTest.moc"
