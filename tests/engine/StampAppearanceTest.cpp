#include "StampAppearance.h"

#include <QTest>
#include <limits>

// The stamp's appearance stream: plain decimals, stroke operators, and the turn
// that keeps the art upright on a rotated page.
class StampAppearanceTest : public QObject {
    Q_OBJECT

private slots:
    void decimal_data();
    void decimal();
    void strokeContent_data();
    void strokeContent();
    void artToPage_data();
    void artToPage();
};

void StampAppearanceTest::decimal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("whole number") << 300.0 << QByteArray("300");
    QTest::newRow("fraction") << 0.07 << QByteArray("0.07");
    QTest::newRow("negative") << -3.25 << QByteArray("-3.25");
    QTest::newRow("cosine of a quarter turn") << 6.123233995736766e-17 << QByteArray("0");
    QTest::newRow("tiny negative") << -1e-9 << QByteArray("0");
    QTest::newRow("negative zero") << -0.0 << QByteArray("0");
    QTest::newRow("rounded to four places") << 1.23456789 << QByteArray("1.2346");
    QTest::newRow("large") << 1e20 << QByteArray("100000000000000000000");
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QByteArray("0");
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << QByteArray("0");
}

void StampAppearanceTest::decimal()
{
    QFETCH(double, value);
    QFETCH(QByteArray, text);
    QCOMPARE(StampAppearance::decimal(value), text);
}

void StampAppearanceTest::strokeContent_data()
{
    QTest::addColumn<SignatureArt::Strokes>("art");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<QByteArray>("content");

    const QByteArray round = "1 J 1 j\n";
    QTest::newRow("curve, 30 high at 0.04: width 1.2, black")
        << SignatureArt::Strokes{{{{0, 0}, {1, 0}, {1, 1}}}, 0.04, InkColor::black}
        << QSizeF(30, 30)
        << round + "1.2 w\n0.07 0.07 0.09 RG\n0 0 m\n20 0 30 5 30 15 c\n30 30 l\nS\n";
    QTest::newRow("10 high: the 0.5 minimum, blue")
        << SignatureArt::Strokes{{{{0, 0.5}, {1, 0.5}}}, 0.04, InkColor::blue} << QSizeF(40, 10)
        << round + "0.5 w\n0.06 0.18 0.62 RG\n0 5 m\n40 5 l\nS\n";
    QTest::newRow("a single point is a zero-length line, empty strokes skipped")
        << SignatureArt::Strokes{{{}, {{0.5, 0.25}}}, 0.1, InkColor::black} << QSizeF(20, 40)
        << round + "4 w\n0.07 0.07 0.09 RG\n10 10 m\n10 10 l\nS\n";
    QTest::newRow("several strokes, one stroking")
        << SignatureArt::Strokes{{{{0, 0}, {1, 1}}, {{0, 1}, {1, 0}}}, 0.05, InkColor::black}
        << QSizeF(100, 20) << round + "1 w\n0.07 0.07 0.09 RG\n0 0 m\n100 20 l\n0 20 m\n100 0 l\nS\n";
    QTest::newRow("no points draws nothing")
        << SignatureArt::Strokes{{{}}, 0.04, InkColor::black} << QSizeF(10, 10) << QByteArray();
}

void StampAppearanceTest::strokeContent()
{
    QFETCH(SignatureArt::Strokes, art);
    QFETCH(QSizeF, size);
    QFETCH(QByteArray, content);
    QCOMPARE(StampAppearance::strokeContent(art, size), content);
}

void StampAppearanceTest::artToPage_data()
{
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSizeF>("artSize");
    // Where the art's top-left, top-right and bottom-left corners land in page space.
    QTest::addColumn<QList<QPointF>>("corners");

    // The bounds of the normalised rectangle (0, 0, 0.5, 0.25) on a 600 x 800
    // page; each expected corner is the page point the reader displays at the
    // matching corner of the displayed rectangle.
    QTest::newRow("0") << QRectF(0, 600, 300, 200) << 0 << QSizeF(300, 200)
                       << QList<QPointF>{{0, 800}, {300, 800}, {0, 600}};
    QTest::newRow("90") << QRectF(0, 0, 150, 400) << 90 << QSizeF(400, 150)
                        << QList<QPointF>{{0, 0}, {0, 400}, {150, 0}};
    QTest::newRow("180") << QRectF(300, 0, 300, 200) << 180 << QSizeF(300, 200)
                         << QList<QPointF>{{600, 0}, {300, 0}, {600, 200}};
    QTest::newRow("270") << QRectF(450, 400, 150, 400) << 270 << QSizeF(400, 150)
                         << QList<QPointF>{{600, 800}, {600, 400}, {450, 800}};
    QTest::newRow("-90 turns like 270") << QRectF(450, 400, 150, 400) << -90 << QSizeF(400, 150)
                                        << QList<QPointF>{{600, 800}, {600, 400}, {450, 800}};
}

void StampAppearanceTest::artToPage()
{
    QFETCH(QRectF, bounds);
    QFETCH(int, rotation);
    QFETCH(QSizeF, artSize);
    QFETCH(QList<QPointF>, corners);

    QCOMPARE(StampAppearance::artSize(bounds, rotation), artSize);
    const QTransform t = StampAppearance::artToPage(bounds, rotation);
    QCOMPARE(t.map(QPointF(0, 0)), corners[0]);
    QCOMPARE(t.map(QPointF(artSize.width(), 0)), corners[1]);
    QCOMPARE(t.map(QPointF(0, artSize.height())), corners[2]);
    // Quarter turns are exact, so no matrix entry is a rounding residue.
    for (double entry : {t.m11(), t.m12(), t.m21(), t.m22()}) {
        QVERIFY(entry == 0 || entry == 1 || entry == -1);
    }
}

QTEST_MAIN(StampAppearanceTest)
#include "StampAppearanceTest.moc"
