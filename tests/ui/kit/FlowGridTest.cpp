#include "FlowGrid.h"

#include <QTest>
#include <QWidget>

namespace {

// A cell that asks for a fixed height, or for an area's worth of height when `area` is set.
class Cell : public QWidget {
public:
    Cell(int height, int area = 0) : m_height(height), m_area(area) {}
    QSize sizeHint() const override { return {10, m_height}; }
    bool hasHeightForWidth() const override { return m_area > 0; }
    int heightForWidth(int width) const override { return m_area / std::max(width, 1); }

private:
    int m_height;
    int m_area;
};

} // namespace

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

    void measuresNaturalWidthWithoutProposal()
    {
        QWidget host;
        auto* grid = new FlowGrid(80, 8, &host);
        for (int h : {20, 30, 25, 10}) {
            grid->addWidget(new Cell(h));
        }
        const QSizeF size = grid->measure(std::nullopt);
        QCOMPARE(size.width(), 344.0);
        QCOMPARE(size.height(), 30.0); // one row of four: the tallest
        QCOMPARE(grid->sizeHint(), QSize(344, 30));
    }

    void rowHeightsAreTheTallestOfEachRow()
    {
        QWidget host;
        auto* grid = new FlowGrid(100, 10, &host);
        for (int h : {20, 50, 30, 40, 10}) {
            grid->addWidget(new Cell(h));
        }
        // 210 wide: two columns of 100; rows (20,50) (30,40) (10).
        QCOMPARE(grid->measure(210.0).height(), 50.0 + 40 + 10 + 2 * 10);
        QCOMPARE(grid->heightForWidth(210), 120);
    }

    void heightIsAskedAtTheCellWidth()
    {
        QWidget host;
        auto* grid = new FlowGrid(100, 10, &host);
        grid->addWidget(new Cell(0, 12000));
        grid->addWidget(new Cell(5));
        // Two columns of 120: the first cell asks 12000 / 120 = 100.
        QCOMPARE(grid->measure(250.0).height(), 100.0);
        // One column of 150: 80 for the first row, then 10 spacing and 5.
        QCOMPARE(grid->measure(150.0).height(), 80.0 + 10 + 5);
    }

    void placesRowsAndColumns()
    {
        QWidget host;
        auto* grid = new FlowGrid(100, 10, &host);
        QList<QWidget*> cells;
        for (int h : {20, 50, 30, 40, 10}) {
            cells << new Cell(h);
            grid->addWidget(cells.last());
        }
        const QList<QRectF> frames = grid->place(QRectF(5, 7, 210, 1000));
        QCOMPARE(frames.size(), 5);
        QCOMPARE(frames[0], QRectF(5, 7, 100, 50));
        QCOMPARE(frames[1], QRectF(115, 7, 100, 50));
        QCOMPARE(frames[2], QRectF(5, 67, 100, 40));
        QCOMPARE(frames[3], QRectF(115, 67, 100, 40));
        // The third row holds one cell, at the left.
        QCOMPARE(frames[4], QRectF(5, 117, 100, 10));

        grid->setGeometry(QRect(5, 7, 210, 1000));
        QCOMPARE(cells[4]->geometry(), QRect(5, 117, 100, 10));
        QCOMPARE(cells[1]->geometry(), QRect(115, 7, 100, 50));
    }

    void fractionalCellsTileWithoutGaps()
    {
        QWidget host;
        auto* grid = new FlowGrid(100, 10, &host);
        QList<QWidget*> cells;
        for (int i = 0; i < 3; ++i) {
            cells << new Cell(20);
            grid->addWidget(cells.last());
        }
        grid->setGeometry(QRect(0, 0, 330, 20));
        QCOMPARE(cells[0]->geometry().left(), 0);
        QCOMPARE(cells[1]->geometry().left(), 113); // 103.33 + 10
        QCOMPARE(cells[2]->geometry().right() + 1, 330);
    }

    void hiddenItemsTakeNoCell()
    {
        QWidget host;
        auto* grid = new FlowGrid(100, 10, &host);
        auto* hidden = new Cell(99);
        grid->addWidget(new Cell(20));
        grid->addWidget(hidden);
        grid->addWidget(new Cell(30));
        hidden->setVisible(false);
        hidden->setAttribute(Qt::WA_WState_ExplicitShowHide);
        QCOMPARE(grid->measure(std::nullopt), QSizeF(210, 30));
    }
};

QTEST_MAIN(FlowGridTest)
#include "FlowGridTest.moc"
