#include "Fixtures.h"
#include "StoreTestCase.h"
#include "store/PlacementMath.h"

#include <QSignalSpy>
#include <QTest>
#include <limits>

namespace {

SavedSignature signatureOf(double aspect)
{
    SavedSignature signature;
    signature.id = QUuid::createUuid();
    signature.strokes = QList<Stroke>{{QPointF(0.1, 0.5), QPointF(0.9, 0.5)}};
    signature.aspect = aspect;
    return signature;
}

} // namespace

// Where signatures land on a page and how drags move and resize them (stamping: RunsTest).
class PlacementTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void placedRect_data()
    {
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<double>("aspect");
        QTest::addColumn<int>("existing");
        QTest::addColumn<QRectF>("expected");

        const QSizeF a4(595, 842);
        const QSizeF landscape(842, 595);
        const double wideH = 0.32 * 595 / (842 * 4);
        QTest::newRow("aspect 4 upright") << a4 << 4.0 << 0 << QRectF(0.34, 0.62, 0.32, wideH);
        const double cappedW = 0.3 * 595 / 842;
        QTest::newRow("aspect 1 landscape capped")
            << landscape << 1.0 << 0 << QRectF(0.5 - cappedW / 2, 0.62, cappedW, 0.3);
        QTest::newRow("fourth on a page shifted by 0.09")
            << a4 << 4.0 << 3 << QRectF(0.34 + 0.09, 0.62 + 0.09, 0.32, wideH);
        QTest::newRow("shift stops at both edges")
            << a4 << 4.0 << 20 << QRectF(1 - 0.32, 1 - wideH, 0.32, wideH);
        const double squareH = 0.32 * 595 / 842;
        QTest::newRow("negative aspect counts as square")
            << a4 << -2.0 << 0 << QRectF(0.34, 0.62, 0.32, squareH);
        QTest::newRow("NaN aspect counts as square")
            << a4 << std::numeric_limits<double>::quiet_NaN() << 0
            << QRectF(0.34, 0.62, 0.32, squareH);
        QTest::newRow("empty page counts as A4")
            << QSizeF(0, 0) << 4.0 << 0 << QRectF(0.34, 0.62, 0.32, wideH);
    }

    void placedRect()
    {
        QFETCH(QSizeF, page);
        QFETCH(double, aspect);
        QFETCH(int, existing);
        QFETCH(QRectF, expected);
        QCOMPARE(PlacementMath::placed(page, aspect, existing), expected);
    }

    // A move keeps the size inside the page; a resize keeps proportions and the top-left corner.
    void draggedRect_data()
    {
        QTest::addColumn<bool>("resize");
        QTest::addColumn<QRectF>("start");
        QTest::addColumn<QPointF>("drag");
        QTest::addColumn<QRectF>("expected");

        const QRectF start(0.3, 0.4, 0.2, 0.1);
        QTest::newRow("move inside the page")
            << false << start << QPointF(0.1, 0.05) << QRectF(0.4, 0.45, 0.2, 0.1);
        QTest::newRow("move past the bottom right stops at 1 - size")
            << false << start << QPointF(3, 5) << QRectF(0.8, 0.9, 0.2, 0.1);
        QTest::newRow("move into a corner")
            << false << start << QPointF(-1, -1) << QRectF(0, 0, 0.2, 0.1);
        QTest::newRow("resize grows in proportion")
            << true << start << QPointF(0.1, 0.4) << QRectF(0.3, 0.4, 0.3, 0.15);
        QTest::newRow("resize stops at width 0.05")
            << true << start << QPointF(-1, 0) << QRectF(0.3, 0.4, 0.05, 0.025);
        QTest::newRow("resize near the right edge stops at x + w = 1")
            << true << QRectF(0.7, 0.2, 0.2, 0.1) << QPointF(0.5, 0) << QRectF(0.7, 0.2, 0.3, 0.15);
        QTest::newRow("resize near the bottom stops there, width in proportion")
            << true << QRectF(0.1, 0.85, 0.2, 0.1) << QPointF(0.2, 0)
            << QRectF(0.1, 0.85, 0.3, 0.15);
        QTest::newRow("resize of an empty start leaves it alone")
            << true << QRectF(0.1, 0.1, 0, 0) << QPointF(0.2, 0) << QRectF(0.1, 0.1, 0, 0);
    }

    void draggedRect()
    {
        QFETCH(bool, resize);
        QFETCH(QRectF, start);
        QFETCH(QPointF, drag);
        QFETCH(QRectF, expected);
        const QRectF result = resize ? PlacementMath::resized(start, drag.x())
                                     : PlacementMath::moved(start, drag);
        QCOMPARE(result, expected);
        QVERIFY(result.right() <= 1 + 1e-12 && result.bottom() <= 1 + 1e-12);
    }

    // Turned Letter pages show as 792 x 612, which decides the height; no document, no placing.
    void placeCascadesOnTheShownPageAndSelects()
    {
        const SavedSignature signature = signatureOf(4);
        QSignalSpy changed(&store(), &Store::changed);
        store().tool<SignTool>().place(signature);
        QCOMPARE(changed.count(), 0);
        QList<Fixtures::Page> turned = Fixtures::tagged(QStringLiteral("s"), 3);
        for (Fixtures::Page& page : turned) {
            page.rotate = 90;
        }
        admit(turned);
        store().tool<SignTool>().place(signature);
        store().tool<SignTool>().place(signature);
        store().tool<SignTool>().setSignPage(2);
        store().tool<SignTool>().place(signature);
        store().tool<SignTool>().place(signature);
        store().tool<SignTool>().setSignPage(0);
        store().tool<SignTool>().place(signature);

        const QList<Placement>& placements = store().tool<SignTool>().placements();
        QCOMPARE(placements.size(), 5);
        QCOMPARE(placements[0].signatureID, signature.id);
        QVERIFY(!placements[0].id.isNull() && placements[0].id != placements[1].id);
        // Page and top-left corner of each; all are 0.32 wide and as high as the aspect makes it.
        const QList<std::pair<int, QPointF>> expected{{0, {0.34, 0.62}},
                                                      {0, {0.37, 0.65}},
                                                      {2, {0.34, 0.62}},
                                                      {2, {0.37, 0.65}},
                                                      {0, {0.40, 0.68}}};
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(placements[i].page, expected[i].first);
            QCOMPARE(placements[i].rect,
                     QRectF(expected[i].second, QSizeF(0.32, 0.32 * 792 / (612 * 4))));
        }
        QCOMPARE(store().tool<SignTool>().selectedPlacement(), std::optional(placements[4].id));
    }

    // Drags change only their placement; removal clears the selection; drags of it do nothing.
    void moveResizeAndRemoveChangeOnlyTheirPlacement()
    {
        admit(Fixtures::tagged(QStringLiteral("s"), 1));
        store().tool<SignTool>().place(signatureOf(2));
        store().tool<SignTool>().place(signatureOf(2));
        const Placement first = store().tool<SignTool>().placements()[0];
        const Placement second = store().tool<SignTool>().placements()[1];

        // A drag reports its translation so far each time, always from the same start.
        store().tool<SignTool>().movePlacement(first.id, first.rect, QPointF(0.01, 0.01));
        store().tool<SignTool>().movePlacement(first.id, first.rect, QPointF(-5, 0.1));
        QCOMPARE(store().tool<SignTool>().placements()[0].rect,
                 QRectF(0, first.rect.y() + 0.1, first.rect.width(), first.rect.height()));
        QCOMPARE(store().tool<SignTool>().placements()[1], second);

        const QRectF start = store().tool<SignTool>().placements()[0].rect;
        store().tool<SignTool>().resizePlacement(first.id, start, QPointF(-1, 0.4));
        QCOMPARE(store().tool<SignTool>().placements()[0].rect, PlacementMath::resized(start, -1));
        QCOMPARE(store().tool<SignTool>().placements()[1], second);

        const Placement kept = store().tool<SignTool>().placements()[0];
        store().tool<SignTool>().setSelectedPlacement(kept.id);
        store().tool<SignTool>().removePlacement(second.id);
        QCOMPARE(store().tool<SignTool>().placements(), QList<Placement>{kept});
        QVERIFY(!store().tool<SignTool>().selectedPlacement());
        QSignalSpy changed(&store().tool<SignTool>(), &SignTool::placementsChanged);
        store().tool<SignTool>().movePlacement(second.id, second.rect, QPointF(0.1, 0.1));
        store().tool<SignTool>().resizePlacement(second.id, second.rect, QPointF(0.1, 0));
        QCOMPARE(store().tool<SignTool>().placements(), QList<Placement>{kept});
        QCOMPARE(changed.count(), 0);
    }

private:
    // Admits a document of the given pages for signing.
    void admit(const QList<Fixtures::Page>& pages)
    {
        const QString path = m_fixture->path(QStringLiteral("Sözleşme.pdf"));
        Fixtures::writePdf(path, pages);
        store().addFiles({path}, store().tool<SignTool>());
        QVERIFY(store().tool<SignTool>().signFile());
    }
};

QTEST_GUILESS_MAIN(PlacementTest)
#include "PlacementTest.moc"
