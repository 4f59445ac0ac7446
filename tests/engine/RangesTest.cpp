#include "Operations.h"

#include <QTest>

using PDFEngine::Grouping;
using PDFEngine::PageGroup;

// Page groups: fixed-size chunks, the range grammar and its messages, group labels.
class RangesTest : public QObject {
    Q_OBJECT

private slots:
    void parsesRanges_data();
    void parsesRanges();
    void rejectsRanges_data();
    void rejectsRanges();
    void chunks_data();
    void chunks();
    void labels_data();
    void labels();
};

static QString unreadable(const QString& piece)
{
    return QStringLiteral("“%1” anlaşılmadı. Örnek: 1-3, 5, 8-12").arg(piece);
}

void RangesTest::parsesRanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("pageCount");
    QTest::addColumn<Grouping>("groups");

    QTest::newRow("mixed list") << "1-3, 5, 8-12" << qint64(12)
                                << Grouping{{0, 1, 2}, {4}, {7, 8, 9, 10, 11}};
    QTest::newRow("en dash") << "1–3" << qint64(5) << Grouping{{0, 1, 2}};
    QTest::newRow("semicolon") << "1;3" << qint64(5) << Grouping{{0}, {2}};
    QTest::newRow("two lines") << "1\n3" << qint64(5) << Grouping{{0}, {2}};
    QTest::newRow("crlf and unicode line breaks")
        << "1\r\n2\u20283\u20294\u00855" << qint64(5) << Grouping{{0}, {1}, {2}, {3}, {4}};
    QTest::newRow("open end") << "2-" << qint64(5) << Grouping{{1, 2, 3, 4}};
    QTest::newRow("plus sign") << "+2" << qint64(5) << Grouping{{1}};
    QTest::newRow("spaces around hyphen") << "  3 - 4 " << qint64(5) << Grouping{{2, 3}};
    QTest::newRow("no-break space trimmed") << "\u00a02\u2003" << qint64(5) << Grouping{{1}};
    QTest::newRow("overlaps kept") << "1-3, 2-4" << qint64(5) << Grouping{{0, 1, 2}, {1, 2, 3}};
    QTest::newRow("duplicates kept") << "2,2" << qint64(5) << Grouping{{1}, {1}};
    QTest::newRow("empty pieces dropped") << ",,1,, ,2," << qint64(5) << Grouping{{0}, {1}};
}

void RangesTest::parsesRanges()
{
    QFETCH(QString, text);
    QFETCH(qint64, pageCount);
    QFETCH(Grouping, groups);
    QCOMPARE(PDFEngine::parseRanges(text, pageCount), groups);
}

void RangesTest::rejectsRanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("pageCount");
    QTest::addColumn<QString>("message");

    const QString nothing = QStringLiteral("Aralık yaz. Örnek: 1-3, 5, 8-12");
    QTest::newRow("empty") << "" << qint64(5) << nothing;
    QTest::newRow("only separators") << " , ;\n\r\n ," << qint64(5) << nothing;
    QTest::newRow("open end past last page") << "6-" << qint64(5) << unreadable("6-");
    QTest::newRow("outside") << "4-9" << qint64(5)
                             << QStringLiteral("Bu PDF 5 sayfa. “4-9” bunun dışında kalıyor.");
    QTest::newRow("single page outside") << "7" << qint64(5)
                                         << QStringLiteral("Bu PDF 5 sayfa. “7” bunun dışında kalıyor.");
    QTest::newRow("zero") << "0" << qint64(5) << unreadable("0");
    QTest::newRow("reversed") << "5-3" << qint64(5) << unreadable("5-3");
    QTest::newRow("leading hyphen") << "-2" << qint64(5) << unreadable("-2");
    QTest::newRow("three parts") << "1-2-3" << qint64(5) << unreadable("1-2-3");
    QTest::newRow("double hyphen") << "3--5" << qint64(5) << unreadable("3--5");
    QTest::newRow("letter") << "a" << qint64(5) << unreadable("a");
    QTest::newRow("inner space") << "1 2" << qint64(5) << unreadable("1 2");
    QTest::newRow("em dash stays") << "1—3" << qint64(5) << unreadable("1—3");
    QTest::newRow("first failure wins") << "x, 99" << qint64(5) << unreadable("x");
    QTest::newRow("too large for 64 bits")
        << "99999999999999999999" << qint64(5) << unreadable("99999999999999999999");
    QTest::newRow("piece shown after replacements") << "4–9" << qint64(5)
                                                    << QStringLiteral("Bu PDF 5 sayfa. “4-9” bunun dışında kalıyor.");
    QTest::newRow("plus alone") << "+" << qint64(5) << unreadable("+");
    QTest::newRow("non-ascii digits") << "١" << qint64(5) << unreadable("١");
}

void RangesTest::rejectsRanges()
{
    QFETCH(QString, text);
    QFETCH(qint64, pageCount);
    QFETCH(QString, message);
    try {
        PDFEngine::parseRanges(text, pageCount);
        QFAIL("parseRanges accepted the text");
    } catch (const PDFEngine::Failure& failure) {
        QCOMPARE(failure.message(), message);
    }
}

void RangesTest::chunks_data()
{
    QTest::addColumn<qint64>("pageCount");
    QTest::addColumn<qint64>("every");
    QTest::addColumn<Grouping>("groups");

    QTest::newRow("uneven tail") << qint64(5) << qint64(2) << Grouping{{0, 1}, {2, 3}, {4}};
    QTest::newRow("every 0 is one page") << qint64(3) << qint64(0) << Grouping{{0}, {1}, {2}};
    QTest::newRow("every 1") << qint64(3) << qint64(1) << Grouping{{0}, {1}, {2}};
    QTest::newRow("negative") << qint64(2) << qint64(-4) << Grouping{{0}, {1}};
    QTest::newRow("no pages") << qint64(0) << qint64(3) << Grouping{};
    QTest::newRow("larger than document") << qint64(3) << qint64(10) << Grouping{{0, 1, 2}};
}

void RangesTest::chunks()
{
    QFETCH(qint64, pageCount);
    QFETCH(qint64, every);
    QFETCH(Grouping, groups);
    QCOMPARE(PDFEngine::chunks(pageCount, every), groups);
}

void RangesTest::labels_data()
{
    QTest::addColumn<PageGroup>("group");
    QTest::addColumn<QString>("label");
    QTest::newRow("single") << PageGroup{0} << "1";
    QTest::newRow("fifth") << PageGroup{4} << "5";
    QTest::newRow("run") << PageGroup{0, 1, 2} << "1-3";
    QTest::newRow("run from 3") << PageGroup{2, 3, 4, 5, 6} << "3-7";
    QTest::newRow("empty") << PageGroup{} << "";
}

void RangesTest::labels()
{
    QFETCH(PageGroup, group);
    QFETCH(QString, label);
    QCOMPARE(groupLabel(group), label);
}

QTEST_GUILESS_MAIN(RangesTest)
#include "RangesTest.moc"
