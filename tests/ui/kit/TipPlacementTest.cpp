#include "TipPlacement.h"

#include <QTest>

class TipPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void placesNearEdges_data()
    {
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<QSizeF>("tip");
        QTest::addColumn<QRectF>("visible");
        QTest::addColumn<QPointF>("origin");
        QTest::addColumn<bool>("arrowUp");

        const QRectF screen(0, 0, 1440, 900);
        QTest::newRow("middle: below, centred")
            << QPointF(700, 400) << QSizeF(100, 40) << screen << QPointF(650, 420) << true;
        QTest::newRow("bottom edge: above, arrow down")
            << QPointF(700, 880) << QSizeF(100, 40) << screen << QPointF(650, 838) << false;
        QTest::newRow("fits exactly at the bottom")
            << QPointF(700, 840) << QSizeF(100, 40) << screen << QPointF(650, 860) << true;
        QTest::newRow("one point too low")
            << QPointF(700, 841) << QSizeF(100, 40) << screen << QPointF(650, 799) << false;
        QTest::newRow("left edge: 4 inside")
            << QPointF(10, 300) << QSizeF(100, 40) << screen << QPointF(4, 320) << true;
        QTest::newRow("right edge: 4 inside")
            << QPointF(1435, 300) << QSizeF(100, 40) << screen << QPointF(1336, 320) << true;
        QTest::newRow("bottom-left corner")
            << QPointF(0, 899) << QSizeF(120, 60) << screen << QPointF(4, 837) << false;
        QTest::newRow("second screen to the right, left edge")
            << QPointF(1445, 100) << QSizeF(100, 40) << QRectF(1440, 0, 1920, 1080)
            << QPointF(1444, 120) << true;
        QTest::newRow("dock area excluded from the visible bottom")
            << QPointF(500, 820) << QSizeF(100, 40) << QRectF(0, 0, 1440, 850)
            << QPointF(450, 778) << false;
        QTest::newRow("wider than the screen: right edge wins")
            << QPointF(50, 100) << QSizeF(300, 40) << QRectF(0, 0, 200, 400)
            << QPointF(-104, 120) << true;
    }

    void placesNearEdges()
    {
        QFETCH(QPointF, pointer);
        QFETCH(QSizeF, tip);
        QFETCH(QRectF, visible);
        QFETCH(QPointF, origin);
        QFETCH(bool, arrowUp);
        const TipPlacement placement = TipGeometry::place(pointer, tip, visible);
        QCOMPARE(placement.origin, origin);
        QCOMPARE(placement.arrowUp, arrowUp);
    }

    void pointerBoxCoversTheArrowCursor()
    {
        QCOMPARE(TipGeometry::pointerBox({100, 200}), QRectF(93, 200, 14, 18));
    }
};

QTEST_APPLESS_MAIN(TipPlacementTest)
#include "TipPlacementTest.moc"
