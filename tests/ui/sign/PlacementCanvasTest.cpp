#include "Button.h"
#include "Fixtures.h"
#include "PlacementView.h"
#include "RunButton.h"
#include "SignCanvas.h"
#include "SignPager.h"
#include "SignScreenFixture.h"
#include "SignatureCard.h"
#include "SignaturePanel.h"

#include <QLabel>
#include <QTest>
#include <cmath>

namespace {

constexpr double tolerance = 1e-9;

bool near(double a, double b)
{
    return std::abs(a - b) < tolerance;
}

QString describe(const QRectF& r)
{
    return QStringLiteral("(%1, %2, %3, %4)")
        .arg(r.x(), 0, 'g', 12)
        .arg(r.y(), 0, 'g', 12)
        .arg(r.width(), 0, 'g', 12)
        .arg(r.height(), 0, 'g', 12);
}

bool nearRect(const QRectF& a, const QRectF& b)
{
    return near(a.x(), b.x()) && near(a.y(), b.y()) && near(a.width(), b.width()) &&
           near(a.height(), b.height());
}

#define COMPARE_RECT(actual, expected)                                                            \
    QVERIFY2(nearRect(actual, expected),                                                          \
             qPrintable(describe(actual) + QStringLiteral(" != ") + describe(expected)))

} // namespace

// Placing, dragging, resizing, removing and selecting signatures on the page
// view with real mouse and key events, and paging through the document.
class PlacementCanvasTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<SignScreenFixture> m_screen;

    SignScreenFixture& screen() { return *m_screen; }
    SignCanvas* canvas() { return m_screen->view().canvas(); }
    Store& store() { return m_screen->store(); }
    QSizeF pageSize() { return canvas()->pageFrame().size(); }

    // Opens an A4 document and places one signature of aspect 4 on it by clicking its card.
    PlacementView* placeOne(int pages = 1)
    {
        screen().addSignature(QStringLiteral("İmza 1"), 4);
        screen().openDocument(pages);
        SignatureCard* card = screen().view().panel()->cards().value(0);
        screen().click(card->previewButton());
        return canvas()->placementViews().value(0);
    }

    // Whole points, so a drag travels exactly the distance asked for.
    QPointF centreOf(PlacementView* view) { return QPointF(view->frame().center().toPoint()); }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void init()
    {
        m_environment->reset();
        m_screen = std::make_unique<SignScreenFixture>(*m_environment);
    }
    void cleanup() { m_screen.reset(); }

    void pageIsCentredAtTheLargestSizeThatFits_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("rotate");
        QTest::addColumn<double>("shownAspect");
        QTest::newRow("upright A4") << 595.0 << 842.0 << 0 << 595.0 / 842.0;
        QTest::newRow("letter turned a quarter") << 612.0 << 792.0 << 90 << 792.0 / 612.0;
        QTest::newRow("letter turned three quarters") << 612.0 << 792.0 << 270 << 792.0 / 612.0;
        QTest::newRow("landscape upside down") << 842.0 << 595.0 << 180 << 842.0 / 595.0;
    }
    void pageIsCentredAtTheLargestSizeThatFits()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(int, rotate);
        QFETCH(double, shownAspect);
        Fixtures::Page page{QStringLiteral("p1"), width, height, rotate, std::nullopt};
        screen().openDocument({page});
        const QRectF frame = canvas()->pageFrame();
        const QRectF area = QRectF(canvas()->rect());
        QVERIFY(std::abs(frame.width() / frame.height() - shownAspect) < 1e-9);
        QVERIFY(std::abs(frame.center().x() - area.center().x()) < 1e-9);
        QVERIFY(std::abs(frame.center().y() - area.center().y()) < 1e-9);
        // One side fills the space available to it.
        QVERIFY(near(frame.width(), area.width()) || near(frame.height(), area.height()));
        QVERIFY(frame.width() <= area.width() + tolerance);
        QVERIFY(frame.height() <= area.height() + tolerance);
        // The page image arrives off the main thread and is then drawn.
        QTRY_VERIFY(canvas()->hasPageImage());
    }

    void clickingACardPlacesAndSelects()
    {
        PlacementView* view = placeOne();
        QCOMPARE(store().placements().size(), 1);
        const Placement placed = store().placements().first();
        // An upright A4 page and aspect 4: w = 0.32, h = 0.32 × 595 ÷ (842 × 4).
        COMPARE_RECT(placed.rect, QRectF(0.34, 0.62, 0.32, 0.32 * 595 / (842 * 4)));
        QCOMPARE(store().selectedPlacement(), std::optional(placed.id));
        QVERIFY(view);
        const QRectF page = canvas()->pageFrame();
        COMPARE_RECT(view->frame(),
                     QRectF(page.x() + 0.34 * page.width(), page.y() + 0.62 * page.height(),
                            0.32 * page.width(), placed.rect.height() * page.height()));
        QVERIFY(view->isSelected());
        QVERIFY(view->handle()->isVisible());
        QVERIFY(view->removeButton()->isVisible());
        QCOMPARE(view->removeButton()->toolTip(), QStringLiteral("İmzayı sayfadan kaldır"));
        QCOMPARE(view->handle()->accessibleName(), QStringLiteral("Boyutlandır"));
        // Handle: 13 across, its own corner 6 right and 6 below the frame's corner.
        const QRectF handle = QRectF(view->handle()->geometry()).translated(view->pos());
        QVERIFY(std::abs(handle.right() - (view->frame().right() + 6)) <= 1);
        QVERIFY(std::abs(handle.bottom() - (view->frame().bottom() + 6)) <= 1);
        QCOMPARE(view->handle()->width(), 13);
        // Remove button: 15 across, top-right corner 7 right of and 7 above the frame's.
        const QRectF remove = QRectF(view->removeButton()->geometry()).translated(view->pos());
        QVERIFY(std::abs(remove.right() - (view->frame().right() + 7)) <= 1);
        QVERIFY(std::abs(remove.top() - (view->frame().top() - 7)) <= 1);
        QVERIFY(screen().view().runButton()->isEnabled());
    }

    void draggingMovesAndStopsAtTheEdges_data()
    {
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<QString>("expect");
        QTest::newRow("inside the page") << QPoint(30, -20) << QStringLiteral("translated");
        QTest::newRow("far to the left") << QPoint(-2000, 0) << QStringLiteral("left");
        QTest::newRow("past the bottom") << QPoint(0, 2000) << QStringLiteral("bottom");
        QTest::newRow("past the right") << QPoint(2000, 10) << QStringLiteral("right");
        QTest::newRow("past the top left") << QPoint(-2000, -2000) << QStringLiteral("origin");
    }
    void draggingMovesAndStopsAtTheEdges()
    {
        QFETCH(QPoint, by);
        QFETCH(QString, expect);
        PlacementView* view = placeOne();
        const QRectF start = store().placements().first().rect;
        const QPointF from = centreOf(view);
        screen().drag(canvas(), from, from + by);

        const QRectF moved = store().placements().first().rect;
        const QSizeF page = pageSize();
        QRectF expected(start.x() + by.x() / page.width(), start.y() + by.y() / page.height(),
                        start.width(), start.height());
        if (expect == "left") {
            expected.moveLeft(0);
        } else if (expect == "bottom") {
            expected.moveTop(1 - start.height());
        } else if (expect == "right") {
            expected.moveLeft(1 - start.width());
        } else if (expect == "origin") {
            expected.moveTopLeft(QPointF(0, 0));
        }
        COMPARE_RECT(moved, expected);
        // What the canvas shows is what the Store holds.
        const QRectF frame = canvas()->pageFrame();
        COMPARE_RECT(view->frame(),
                     QRectF(frame.x() + moved.x() * frame.width(),
                            frame.y() + moved.y() * frame.height(), moved.width() * frame.width(),
                            moved.height() * frame.height()));
    }

    void draggingAnUnselectedPlacementSelectsIt()
    {
        PlacementView* view = placeOne();
        const QUuid id = store().placements().first().id;
        screen().click(canvas(), canvas()->pageFrame().topLeft() + QPointF(20, 20));
        QCOMPARE(store().selectedPlacement(), std::nullopt);
        QVERIFY(!view->handle()->isVisible());
        const QPointF from = centreOf(view);
        screen().drag(canvas(), from, from + QPointF(15, 15));
        QCOMPARE(store().selectedPlacement(), std::optional(id));
    }

    void aTravelBelowTwoPointsIsAClickNotAMove()
    {
        PlacementView* view = placeOne();
        const QRectF start = store().placements().first().rect;
        screen().click(canvas(), canvas()->pageFrame().topLeft() + QPointF(20, 20));
        const QPointF from = centreOf(view);
        screen().drag(canvas(), from, from + QPointF(1, 1), 1);
        COMPARE_RECT(store().placements().first().rect, start);
        QCOMPARE(store().selectedPlacement(), std::optional(store().placements().first().id));
    }

    void resizingFromTheHandleKeepsTheProportions_data()
    {
        QTest::addColumn<QPointF>("startAt"); // top-left of the placement before resizing
        QTest::addColumn<int>("dx");
        QTest::addColumn<QString>("expect");
        QTest::newRow("wider") << QPointF(0.2, 0.3) << 60 << QStringLiteral("translated");
        QTest::newRow("narrower") << QPointF(0.2, 0.3) << -40 << QStringLiteral("translated");
        QTest::newRow("very small") << QPointF(0.2, 0.3) << -2000 << QStringLiteral("minimum");
        QTest::newRow("past the right edge") << QPointF(0.5, 0.3) << 2000 << QStringLiteral("right");
        QTest::newRow("near the bottom") << QPointF(0.1, 0.9) << 2000 << QStringLiteral("bottom");
    }
    void resizingFromTheHandleKeepsTheProportions()
    {
        QFETCH(QPointF, startAt);
        QFETCH(int, dx);
        QFETCH(QString, expect);
        PlacementView* view = placeOne();
        const QUuid id = store().placements().first().id;
        const QRectF placed = store().placements().first().rect;
        store().movePlacement(id, placed, startAt - placed.topLeft());
        const QRectF start = store().placements().first().rect;
        QCOMPARE(start.topLeft(), startAt);

        const QPointF handle = view->handle()->geometry().center() + view->pos();
        // The vertical part of the drag plays no part.
        screen().drag(canvas(), handle, handle + QPointF(dx, 25));
        const QRectF resized = store().placements().first().rect;
        const QSizeF page = pageSize();
        double w = start.width() + dx / page.width();
        if (expect == "minimum") {
            w = 0.05;
        } else if (expect == "right") {
            w = 1 - start.x();
        }
        double h = start.height() * w / start.width();
        if (expect == "bottom") {
            h = 1 - start.y();
            w = h * start.width() / start.height();
        }
        COMPARE_RECT(resized, QRectF(start.x(), start.y(), w, h));
        // The signature keeps its own proportions in points.
        const double aspect = resized.width() * page.width() / (resized.height() * page.height());
        QVERIFY2(std::abs(aspect - 4) < 1e-9, qPrintable(QString::number(aspect)));
        QVERIFY(resized.right() <= 1 + tolerance);
        QVERIFY(resized.bottom() <= 1 + tolerance);
        QCOMPARE(store().selectedPlacement(), std::optional(id));
    }

    void removeButtonTakesThePlacementOff()
    {
        PlacementView* view = placeOne();
        QVERIFY(screen().view().runButton()->isEnabled());
        screen().click(view->removeButton());
        QVERIFY(store().placements().isEmpty());
        QCOMPARE(store().selectedPlacement(), std::nullopt);
        QTRY_VERIFY(canvas()->placementViews().isEmpty());
        QVERIFY(!screen().view().runButton()->isEnabled());
        QVERIFY(!screen().view().pager()->countLabel()->isVisible());
    }

    void clickingSelectsAndClickingPaperDeselects()
    {
        PlacementView* first = placeOne();
        SignatureCard* card = screen().view().panel()->cards().value(0);
        screen().click(card->previewButton());
        QCOMPARE(store().placements().size(), 2);
        PlacementView* second = canvas()->placementViews().value(1);
        QVERIFY(second->isSelected());
        QVERIFY(!first->isSelected());
        // The second lies 3 % right and down of the first, so a point of the
        // first outside the second picks the first.
        screen().click(canvas(), first->frame().topLeft() + QPointF(4, 4));
        QCOMPARE(store().selectedPlacement(), std::optional(store().placements().first().id));
        QVERIFY(first->isSelected());
        QVERIFY(first->handle()->isVisible());
        QVERIFY(!second->handle()->isVisible());
        screen().click(canvas(), canvas()->pageFrame().topLeft() + QPointF(30, 30));
        QCOMPARE(store().selectedPlacement(), std::nullopt);
        QVERIFY(!first->isSelected());
        // Later placements are drawn in front.
        QCOMPARE(canvas()->placementViews(), (QList<PlacementView*>{first, second}));
    }

    void keysNudgeAndDelete()
    {
        PlacementView* view = placeOne();
        const QUuid id = store().placements().first().id;
        screen().click(canvas(), centreOf(view));
        QVERIFY(canvas()->hasFocus());
        const QRectF start = store().placements().first().rect;
        const QSizeF page = pageSize();
        QTest::keyClick(canvas(), Qt::Key_Right);
        QTest::keyClick(canvas(), Qt::Key_Down, Qt::ShiftModifier);
        COMPARE_RECT(store().placements().first().rect,
                     QRectF(start.x() + 1 / page.width(), start.y() + 10 / page.height(),
                            start.width(), start.height()));
        for (int i = 0; i < 200; ++i) {
            QTest::keyClick(canvas(), Qt::Key_Left, Qt::ShiftModifier);
        }
        QCOMPARE(store().placements().first().rect.x(), 0.0);
        QTest::keyClick(canvas(), Qt::Key_Delete);
        QVERIFY(std::none_of(store().placements().cbegin(), store().placements().cend(),
                             [&id](const Placement& p) { return p.id == id; }));
        QCOMPARE(store().selectedPlacement(), std::nullopt);
    }

    void pagerTurnsPagesAndCountsPlacements()
    {
        PlacementView* first = placeOne(3);
        Q_UNUSED(first);
        SignPager* pager = screen().view().pager();
        QVERIFY(!pager->previousButton()->isEnabled());
        QVERIFY(pager->nextButton()->isEnabled());
        QCOMPARE(pager->pageLabel()->text(), QStringLiteral("Sayfa 1 / 3"));
        QCOMPARE(pager->countLabel()->text(), QStringLiteral("Yerleştirilen imza: 1"));
        QCOMPARE(pager->previousButton()->toolTip(), QStringLiteral("Önceki sayfa"));
        QCOMPARE(pager->nextButton()->toolTip(), QStringLiteral("Sonraki sayfa"));

        screen().click(pager->nextButton());
        QCOMPARE(store().signPage(), 1);
        QCOMPARE(store().selectedPlacement(), std::nullopt);
        QCOMPARE(pager->pageLabel()->text(), QStringLiteral("Sayfa 2 / 3"));
        QTRY_VERIFY(canvas()->placementViews().isEmpty());
        // Placements of other pages still count.
        QVERIFY(pager->countLabel()->isVisible());

        screen().click(screen().view().panel()->cards().value(0)->previewButton());
        QCOMPARE(store().placements().last().page, 1);
        QCOMPARE(pager->countLabel()->text(), QStringLiteral("Yerleştirilen imza: 2"));
        QCOMPARE(canvas()->placementViews().size(), 1);

        screen().click(pager->nextButton());
        QCOMPARE(pager->pageLabel()->text(), QStringLiteral("Sayfa 3 / 3"));
        QVERIFY(!pager->nextButton()->isEnabled());
        QVERIFY(pager->previousButton()->isEnabled());
        screen().click(pager->previousButton());
        screen().click(pager->previousButton());
        QCOMPARE(store().signPage(), 0);
        QCOMPARE(canvas()->placementViews().size(), 1);
        QCOMPARE(canvas()->placementViews().first()->placementId(),
                 store().placements().first().id);
    }

    void aOnePageDocumentHasBothPagerButtonsDisabled()
    {
        screen().openDocument(1);
        SignPager* pager = screen().view().pager();
        QVERIFY(!pager->previousButton()->isEnabled());
        QVERIFY(!pager->nextButton()->isEnabled());
        QCOMPARE(pager->pageLabel()->text(), QStringLiteral("Sayfa 1 / 1"));
        QVERIFY(!pager->countLabel()->isVisible());
    }
};

QTEST_MAIN(PlacementCanvasTest)
#include "PlacementCanvasTest.moc"
