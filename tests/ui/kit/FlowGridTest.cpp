#include "FlowGrid.h"

#include <QTest>

// As many equal columns as fit at the minimum width, never more than there are cells.
class FlowGridTest : public QObject {
    Q_OBJECT

private slots:
    void columnsForWidth_data()
    {
        QTest::addColumn<qreal>("width");
        QTest::addColumn<int>("items");
        QTest::addColumn<qreal>("minimum");
        QTest::addColumn<qreal>("spacing");
        QTest::addColumn<int>("columns");
        QTest::addColumn<qreal>("cellWidth");
        QTest::newRow("three stretched columns") << 330.0 << 6 << 100.0 << 10.0 << 3 << 310.0 / 3;
        QTest::newRow("narrower than minimum: one full column") << 60.0 << 4 << 100.0 << 10.0 << 1 << 60.0;
        QTest::newRow("limited by the number of items") << 1000.0 << 2 << 100.0 << 10.0 << 2 << 495.0;
        QTest::newRow("exact fit of four") << 344.0 << 4 << 80.0 << 8.0 << 4 << 80.0;
        QTest::newRow("one short of four") << 343.0 << 4 << 80.0 << 8.0 << 3 << (343.0 - 16) / 3;
        QTest::newRow("no items still one column") << 200.0 << 0 << 86.0 << 6.0 << 1 << 200.0;
    }
    void columnsForWidth()
    {
        QFETCH(qreal, width);
        QFETCH(int, items);
        QFETCH(qreal, minimum);
        QFETCH(qreal, spacing);
        QFETCH(int, columns);
        QFETCH(qreal, cellWidth);
        const FlowGrid::Columns result = FlowGrid::columns(width, items, minimum, spacing);
        QCOMPARE(result.count, columns);
        QVERIFY(qAbs(result.cellWidth - cellWidth) < 1e-9);
    }
};

QTEST_APPLESS_MAIN(FlowGridTest)
#include "FlowGridTest.moc"
