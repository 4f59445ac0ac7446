#include "BrandMark.h"
#include "Theme.h"

#include <QApplication>
#include <QTest>

class BrandMarkTest : public QObject {
    Q_OBJECT

private slots:
    void mapsDesignPoints_data()
    {
        QTest::addColumn<QPointF>("design");
        QTest::addColumn<qreal>("size");
        QTest::addColumn<QPointF>("expected");
        QTest::newRow("fold corner at full size") << QPointF(640, 610) << 824.0 << QPointF(540, 314);
        QTest::newRow("visible top-left") << QPointF(100, 924) << 824.0 << QPointF(0, 0);
        QTest::newRow("visible bottom-right") << QPointF(924, 100) << 824.0 << QPointF(824, 824);
        QTest::newRow("fold corner at sidebar size")
            << QPointF(640, 610) << 22.0 << QPointF(540 * 22.0 / 824, 314 * 22.0 / 824);
        QTest::newRow("front page tip at half size") << QPointF(530, 720) << 412.0 << QPointF(215, 102);
    }

    void mapsDesignPoints()
    {
        QFETCH(QPointF, design);
        QFETCH(qreal, size);
        QFETCH(QPointF, expected);
        const QPointF mapped = BrandMark::map(design, size);
        QVERIFY2(qAbs(mapped.x() - expected.x()) < 1e-9 && qAbs(mapped.y() - expected.y()) < 1e-9,
                 qPrintable(QStringLiteral("%1,%2").arg(mapped.x()).arg(mapped.y())));
    }

    // Pixels of a full-size mark, sampled at design points well inside each shape.
    void drawsEachShapeWhereItsGeometrySays_data()
    {
        QTest::addColumn<QPointF>("design");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("fold triangle") << QPointF(560, 650) << QColor::fromRgbF(1.0F, 0.8F, 0.76F);
        QTest::newRow("front page") << QPointF(310, 600) << QColor(Qt::white);
        QTest::newRow("front page lower edge") << QPointF(620, 250) << QColor(Qt::white);
    }

    void drawsEachShapeWhereItsGeometrySays()
    {
        QFETCH(QPointF, design);
        QFETCH(QColor, expected);
        const QImage image = BrandMark::image(824);
        const QPoint at = BrandMark::map(design, 824).toPoint();
        const QColor actual = image.pixelColor(at);
        QVERIFY2(qAbs(actual.red() - expected.red()) <= 2 && qAbs(actual.green() - expected.green()) <= 2 &&
                     qAbs(actual.blue() - expected.blue()) <= 2 && actual.alpha() == 255,
                 qPrintable(actual.name(QColor::HexArgb)));
    }

    void cutCornerShowsTheBackPage()
    {
        const QImage image = BrandMark::image(824);
        // Beyond the fold's diagonal the front page is cut away: the translucent
        // back page over the tile shows, neither white nor the fold's colour.
        const QColor beyond = image.pixelColor(BrandMark::map({620, 700}, 824).toPoint());
        QVERIFY(beyond.red() > 220);
        QVERIFY(beyond.green() < 200 && beyond.green() > 100);
        const QColor fold = QColor::fromRgbF(1.0F, 0.8F, 0.76F);
        QVERIFY(qAbs(beyond.green() - fold.green()) > 15);
        // Inside the fold, just on its side of the diagonal, the fold colour.
        const QColor inside = image.pixelColor(BrandMark::map({600, 630}, 824).toPoint());
        QCOMPARE(inside.green(), fold.green());
    }

    void tileHasTheGradientAndRoundCorners()
    {
        const QImage image = BrandMark::image(824);
        QCOMPARE(image.pixelColor(2, 2).alpha(), 0);
        QCOMPARE(image.pixelColor(821, 821).alpha(), 0);
        const QColor top = image.pixelColor(412, 1);
        const QColor bottom = image.pixelColor(412, 822);
        QVERIFY(qAbs(top.red() - Brand::crimson2().red()) <= 2);
        QVERIFY(qAbs(bottom.red() - Brand::crimson().red()) <= 2);
        QVERIFY(qAbs(bottom.green() - Brand::crimson().green()) <= 2);
    }

    void textLinesAreTranslucentCrimsonOverThePage()
    {
        const QImage image = BrandMark::image(824);
        const QColor line = image.pixelColor(BrandMark::map({400, 450}, 824).toPoint());
        // 30 % crimson over white.
        QVERIFY(qAbs(line.green() - qRound(255 * 0.7 + Brand::crimson().green() * 0.3)) <= 2);
        const QColor pastEnd = image.pixelColor(BrandMark::map({540, 520}, 824).toPoint());
        QCOMPARE(pastEnd, QColor(Qt::white));
    }
};

QTEST_MAIN(BrandMarkTest)
#include "BrandMarkTest.moc"
