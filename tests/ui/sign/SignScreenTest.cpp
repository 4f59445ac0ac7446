#include "DropZone.h"
#include "Find.h"
#include "Fixtures.h"
#include "InkArea.h"
#include "Labels.h"
#include "PlacementView.h"
#include "RunButton.h"
#include "SignCanvas.h"
#include "SignView.h"
#include "SignatureArt.h"
#include "SignatureCard.h"
#include "SignaturePad.h"
#include "SignaturePanel.h"
#include "StoreFixture.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabletEvent>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <poppler-qt6.h>

namespace {

constexpr double tolerance = 1e-9;

QString describe(const QRectF& r)
{
    return QStringLiteral("(%1, %2, %3, %4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

#define COMPARE_RECT(actual, expected)                                                             \
    QVERIFY2(QLineF(actual.topLeft(), expected.topLeft()).length() < tolerance &&                  \
                 QLineF(actual.bottomRight(), expected.bottomRight()).length() < tolerance,        \
             qPrintable(describe(actual) + QStringLiteral(" != ") + describe(expected)))

// The bounds and amount of blue ink (the pad's blue, antialiased) in a rendered page.
QRect blueInk(const QImage& image, int* count)
{
    QRect bounds;
    *count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 90 && c.blue() > c.red() + 60 && c.blue() > c.green() + 40) {
                ++*count;
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

} // namespace

// The sign section in its own window over a real Store with scripted dialogs, driven with mouse
// events delivered through the window the way the platform delivers them (the pressed widget
// keeps the mouse while dragging): the page view and its placements, the library, the pager,
// the signature pad, and a signed copy that matches what the page view showed.
class SignScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<SignView> m_view;

    Store& store() { return *m_fixture->store; }
    SignView& view() { return *m_view; }
    SignCanvas* canvas() { return m_view->findChild<SignCanvas*>(); }
    SignaturePanel* panel() { return m_view->findChild<SignaturePanel*>(); }
    RunButton* run() { return m_view->findChild<RunButton*>(); }
    SignaturePad* pad() { return m_view->findChild<SignaturePad*>(); }
    QWidget* named(const QString& name) { return Find::named(m_view.get(), name); }
    QString text(const QString& name) { return Find::named<QLabel>(m_view.get(), name)->text(); }
    QWidget* card(int index)
    {
        return panel()->cards().value(index)->findChild<SignaturePreview*>();
    }
    QSizeF pageSize() { return canvas()->pageFrame().size(); }

    SavedSignature addSignature(const QString& name, double aspect = 4)
    {
        SavedSignature signature;
        signature.id = QUuid::createUuid();
        signature.name = name;
        signature.strokes =
            QList<Stroke>{{QPointF(0.05, 0.6), QPointF(0.5, 0.3), QPointF(0.95, 0.6)}};
        signature.weight = 0.1;
        signature.ink = InkColor::black;
        signature.aspect = aspect;
        AppData data = store().data();
        data.signatures.append(signature);
        store().setData(data);
        return signature;
    }

    void openDocument(QList<Fixtures::Page> pages)
    {
        const QString path = m_fixture->path(QStringLiteral("Sözleşme.pdf"));
        Fixtures::writePdf(path, pages);
        store().addFiles({path}, AppSection::sign);
        QVERIFY(store().signFile());
    }
    void openDocument(int pages)
    {
        QList<Fixtures::Page> a4 = Fixtures::tagged(QStringLiteral("p"), pages);
        std::for_each(a4.begin(), a4.end(), [](Fixtures::Page& page) {
            page.width = 595;
            page.height = 842;
        });
        openDocument(a4);
    }

    // Opens an A4 document and places one signature of aspect 4 on it by clicking its card.
    PlacementView* placeOne(int pages = 1)
    {
        addSignature(QStringLiteral("İmza 1"), 4);
        openDocument(pages);
        click(card(0));
        return canvas()->placementViews().value(0);
    }

    static void settle()
    {
        // Widgets added a moment ago are shown and laid out before the user can aim at them.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    static QPoint inWindow(QWidget* widget, QPointF at)
    {
        return widget->mapTo(widget->window(), at.toPoint());
    }
    static void press(QWidget* widget, QPointF at)
    {
        settle();
        QTest::mousePress(widget->window()->windowHandle(), Qt::LeftButton, {},
                          inWindow(widget, at));
    }
    static void release(QWidget* widget, QPointF at)
    {
        QTest::mouseRelease(widget->window()->windowHandle(), Qt::LeftButton, {},
                            inWindow(widget, at));
    }
    static void click(QWidget* widget, QPointF at)
    {
        press(widget, at);
        release(widget, at);
    }
    static void click(QWidget* widget)
    {
        settle();
        click(widget, QRectF(widget->rect()).center());
    }
    // Presses at the first point, moves through the others and releases at the last.
    static void trace(QWidget* widget, const QList<QPointF>& points)
    {
        press(widget, points.first());
        for (const QPointF& point : points.mid(1)) {
            QTest::mouseMove(widget->window()->windowHandle(), inWindow(widget, point));
        }
        release(widget, points.last());
    }
    static void drag(QWidget* widget, QPointF from, QPointF to, int steps = 4)
    {
        QList<QPointF> points{from};
        for (int i = 1; i <= steps; ++i) {
            points << from + (to - from) * i / steps;
        }
        trace(widget, points);
    }
    // Whole points, so a drag travels exactly the distance asked for.
    static QPointF centreOf(PlacementView* view)
    {
        return QPointF(view->frame().center().toPoint());
    }

    void openPad()
    {
        click(named(QStringLiteral("Yeni imza…")));
        QVERIFY(pad());
        QVERIFY(QTest::qWaitForWindowExposed(pad()));
        QCOMPARE(pad()->windowModality(), Qt::WindowModal);
        view().showPad(); // already open: no second pad
        QCOMPARE(view().findChildren<SignaturePad*>().size(), 1);
    }
    InkArea* area() { return pad()->findChild<InkArea*>(); }
    QLineEdit* nameField() { return Find::named<QLineEdit>(pad(), QStringLiteral("İmza adı")); }
    QAbstractButton* padButton(const QString& name)
    {
        return Find::named<QAbstractButton>(pad(), name);
    }
    void stroke(const QList<QPointF>& points) { trace(area(), points); }

    QStringList libraryNames()
    {
        QStringList names;
        for (const SavedSignature& signature : store().data().signatures) {
            names << signature.name;
        }
        return names;
    }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void init()
    {
        m_environment->reset();
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
        m_view =
            std::make_unique<SignView>(store(), [this] { return m_fixture->panels.openImage(); });
        m_view->resize(1100, 760);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void cleanup()
    {
        m_view.reset();
        m_fixture.reset();
    }

    void pageIsCentredAtTheLargestSizeThatFits_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<int>("rotate");
        QTest::newRow("upright A4") << QSizeF(595, 842) << 0;
        QTest::newRow("letter turned a quarter") << QSizeF(612, 792) << 90;
        QTest::newRow("letter turned three quarters") << QSizeF(612, 792) << 270;
        QTest::newRow("landscape upside down") << QSizeF(842, 595) << 180;
    }
    void pageIsCentredAtTheLargestSizeThatFits()
    {
        QFETCH(QSizeF, size);
        QFETCH(int, rotate);
        openDocument({Fixtures::Page{QStringLiteral("p1"), size.width(), size.height(), rotate,
                                     std::nullopt}});
        const QSizeF shown = rotate % 180 ? size.transposed() : size;
        QRectF expected(QPointF(), shown.scaled(QSizeF(canvas()->size()), Qt::KeepAspectRatio));
        expected.moveCenter(QRectF(canvas()->rect()).center());
        COMPARE_RECT(canvas()->pageFrame(), expected);
        QTRY_VERIFY(canvas()->hasPageImage());
    }

    // The page is drawn from an image with the frame's own pixels on this screen, rendered again
    // whenever the view changes size (a banner takes room, the window shrinks), so a table's
    // hairlines are not lost to a large image scaled down.
    void pageImageFollowsTheViewSize()
    {
        openDocument(1);
        const auto matches = [this] {
            const QSizeF pixels = pageSize() * canvas()->devicePixelRatioF();
            const QSize image = canvas()->pageImageSize();
            return qAbs(image.width() - pixels.width()) <= 2 &&
                   qAbs(image.height() - pixels.height()) <= 2;
        };
        QTRY_VERIFY(matches());
        for (const QSize size : {QSize(700, 420), QSize(1300, 1000)}) {
            const QSizeF before = pageSize();
            view().resize(size);
            QTRY_VERIFY(pageSize() != before);
            QTRY_VERIFY2(matches(), qPrintable(QStringLiteral("%1x%2 for %3x%4")
                                                   .arg(canvas()->pageImageSize().width())
                                                   .arg(canvas()->pageImageSize().height())
                                                   .arg(pageSize().width())
                                                   .arg(pageSize().height())));
        }
    }

    void clickingACardPlacesAndSelects()
    {
        QVERIFY(!run()->isEnabled());
        PlacementView* view = placeOne();
        QCOMPARE(store().placements().size(), 1);
        const Placement placed = store().placements().first();
        // An upright A4 page and aspect 4: w = 0.32, h = 0.32 × 595 ÷ (842 × 4).
        COMPARE_RECT(placed.rect, QRectF(0.34, 0.62, 0.32, 0.32 * 595 / (842 * 4)));
        QCOMPARE(store().selectedPlacement(), std::optional(placed.id));
        QVERIFY(view->isSelected() && view->findChild<ResizeHandle*>()->isVisible());
        QVERIFY(view->findChild<RemoveButton*>()->isVisible());
        QVERIFY(run()->isEnabled());
    }

    // Where a drag stops: a fraction of the free room (0 at the left or top edge, 1 at the right
    // or bottom edge), or -1 where it follows the pointer.
    void draggingMovesAndStopsAtTheEdges_data()
    {
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<QPointF>("stop");
        QTest::newRow("inside the page") << QPoint(30, -20) << QPointF(-1, -1);
        QTest::newRow("far to the left") << QPoint(-2000, 0) << QPointF(0, -1);
        QTest::newRow("past the bottom") << QPoint(0, 2000) << QPointF(-1, 1);
        QTest::newRow("past the right") << QPoint(2000, 10) << QPointF(1, -1);
        QTest::newRow("past the top left") << QPoint(-2000, -2000) << QPointF(0, 0);
    }
    void draggingMovesAndStopsAtTheEdges()
    {
        QFETCH(QPoint, by);
        QFETCH(QPointF, stop);
        PlacementView* view = placeOne();
        const QRectF start = store().placements().first().rect;
        drag(canvas(), centreOf(view), centreOf(view) + by);
        const QRectF moved = store().placements().first().rect;
        const QPointF expected(stop.x() < 0 ? start.x() + by.x() / pageSize().width()
                                            : stop.x() * (1 - start.width()),
                               stop.y() < 0 ? start.y() + by.y() / pageSize().height()
                                            : stop.y() * (1 - start.height()));
        COMPARE_RECT(moved, QRectF(expected, start.size()));
        // What the canvas shows is what the Store holds.
        const QRectF frame = canvas()->pageFrame();
        COMPARE_RECT(view->frame(),
                     QRectF(frame.x() + moved.x() * frame.width(),
                            frame.y() + moved.y() * frame.height(), moved.width() * frame.width(),
                            moved.height() * frame.height()));
    }

    // The new width: dx points wider, the smallest width, or as far as the right or bottom edge.
    void resizingFromTheHandleKeepsTheProportions_data()
    {
        QTest::addColumn<QPointF>("startAt"); // top-left of the placement before resizing
        QTest::addColumn<int>("dx");
        QTest::addColumn<QString>("stop");
        QTest::newRow("wider") << QPointF(0.2, 0.3) << 60 << QString();
        QTest::newRow("narrower") << QPointF(0.2, 0.3) << -40 << QString();
        QTest::newRow("very small") << QPointF(0.2, 0.3) << -2000 << QStringLiteral("minimum");
        QTest::newRow("past the right edge")
            << QPointF(0.5, 0.3) << 2000 << QStringLiteral("right");
        QTest::newRow("near the bottom") << QPointF(0.1, 0.9) << 2000 << QStringLiteral("bottom");
    }
    void resizingFromTheHandleKeepsTheProportions()
    {
        QFETCH(QPointF, startAt);
        QFETCH(int, dx);
        QFETCH(QString, stop);
        PlacementView* view = placeOne();
        const Placement placed = store().placements().first();
        store().movePlacement(placed.id, placed.rect, startAt - placed.rect.topLeft());
        const QRectF start = store().placements().first().rect;
        const double aspect = start.width() / start.height();
        const QPointF handle = view->findChild<ResizeHandle*>()->geometry().center() + view->pos();
        // The vertical part of the drag plays no part.
        drag(canvas(), handle, handle + QPointF(dx, 25));
        const double w = stop == "minimum"  ? 0.05
                         : stop == "right"  ? 1 - start.x()
                         : stop == "bottom" ? (1 - start.y()) * aspect
                                            : start.width() + dx / pageSize().width();
        const QRectF resized = store().placements().first().rect;
        COMPARE_RECT(resized, QRectF(startAt, QSizeF(w, w / aspect)));
        // The signature keeps its own proportions in points.
        QVERIFY(std::abs(resized.width() * pageSize().width() /
                             (resized.height() * pageSize().height()) -
                         4) < tolerance);
        QCOMPARE(store().selectedPlacement(), std::optional(placed.id));
    }

    // Clicks and short travels select; paper deselects; below two points a press is a click.
    void selectingAndDeselecting()
    {
        PlacementView* first = placeOne();
        const QRectF start = store().placements().first().rect;
        const QPointF from = centreOf(first);
        click(canvas(), canvas()->pageFrame().topLeft() + QPointF(20, 20));
        QCOMPARE(store().selectedPlacement(), std::nullopt);
        QVERIFY(!first->findChild<ResizeHandle*>()->isVisible());
        drag(canvas(), from, from + QPointF(1, 1), 1);
        COMPARE_RECT(store().placements().first().rect, start);
        QVERIFY(first->isSelected());
        click(canvas(), canvas()->pageFrame().topLeft() + QPointF(20, 20));
        drag(canvas(), from, from - QPointF(15, 15));
        QVERIFY(first->isSelected() && store().placements().first().rect.x() < start.x());
        click(card(0));
        PlacementView* second = canvas()->placementViews().value(1);
        QVERIFY(second->isSelected() && !first->isSelected());
        // The second lies 3 % right and down of the first: this point is the first's alone.
        click(canvas(), first->frame().topLeft() + QPointF(4, 4));
        QCOMPARE(store().selectedPlacement(), std::optional(store().placements().first().id));
        QVERIFY(first->isSelected() && !second->findChild<ResizeHandle*>()->isVisible());
        click(canvas(), canvas()->pageFrame().topLeft() + QPointF(30, 30));
        QCOMPARE(store().selectedPlacement(), std::nullopt);
        // Later placements are drawn in front.
        QCOMPARE(canvas()->placementViews(), (QList<PlacementView*>{first, second}));
    }

    void keysNudgeAndDeleteAndTheCrossRemoves()
    {
        PlacementView* view = placeOne();
        click(canvas(), centreOf(view));
        QVERIFY(canvas()->hasFocus());
        const QRectF start = store().placements().first().rect;
        QTest::keyClick(canvas(), Qt::Key_Right);
        QTest::keyClick(canvas(), Qt::Key_Down, Qt::ShiftModifier);
        COMPARE_RECT(store().placements().first().rect,
                     QRectF(start.x() + 1 / pageSize().width(),
                            start.y() + 10 / pageSize().height(), start.width(), start.height()));
        for (int i = 0; i < 200; ++i) {
            QTest::keyClick(canvas(), Qt::Key_Left, Qt::ShiftModifier);
        }
        QCOMPARE(store().placements().first().rect.x(), 0.0);
        QTest::keyClick(canvas(), Qt::Key_Delete);
        QVERIFY(store().placements().isEmpty());
        QVERIFY(!run()->isEnabled());
        click(card(0));
        click(canvas()->placementViews().value(0)->findChild<RemoveButton*>());
        QVERIFY(store().placements().isEmpty());
        QTRY_VERIFY(canvas()->placementViews().isEmpty());
        QVERIFY(!named(QStringLiteral("count"))->isVisible());
    }

    void pagerTurnsPagesAndCountsPlacements()
    {
        placeOne(3);
        QWidget* previous = named(QStringLiteral("Önceki sayfa"));
        QWidget* next = named(QStringLiteral("Sonraki sayfa"));
        QVERIFY(!previous->isEnabled() && next->isEnabled());
        QCOMPARE(text(QStringLiteral("page")), QStringLiteral("Sayfa 1 / 3"));
        QCOMPARE(text(QStringLiteral("count")), QStringLiteral("Yerleştirilen imza: 1"));
        click(next);
        QCOMPARE(store().signPage(), 1);
        QCOMPARE(store().selectedPlacement(), std::nullopt);
        QTRY_VERIFY(canvas()->placementViews().isEmpty());
        click(card(0));
        QCOMPARE(store().placements().last().page, 1);
        QCOMPARE(text(QStringLiteral("count")), QStringLiteral("Yerleştirilen imza: 2"));
        click(next);
        QCOMPARE(text(QStringLiteral("page")), QStringLiteral("Sayfa 3 / 3"));
        QVERIFY(!next->isEnabled() && previous->isEnabled());
        click(previous);
        click(previous);
        QCOMPARE(store().signPage(), 0);
        QCOMPARE(canvas()->placementViews().size(), 1);
        QCOMPARE(canvas()->placementViews().first()->placementId(),
                 store().placements().first().id);
    }

    void deletingFromTheLibraryAsksFirst_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("confirmed") << QStringLiteral("İmzayı sil") << QStringList{"Bir kez"};
        QTest::newRow("cancelled") << QStringLiteral("Vazgeç") << QStringList{"İki kez", "Bir kez"};
    }
    void deletingFromTheLibraryAsksFirst()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, left);
        addSignature(QStringLiteral("İki kez"));
        const SavedSignature once = addSignature(QStringLiteral("Bir kez"), 2);
        openDocument(3);
        click(card(0));
        click(named(QStringLiteral("Sonraki sayfa")));
        click(card(0));
        click(card(1));
        QCOMPARE(text(QStringLiteral("count")), QStringLiteral("Yerleştirilen imza: 3"));
        click(Find::named(panel()->cards().value(0), QStringLiteral("İmzayı sil")));
        QMessageBox* box = panel()->findChild<QMessageBox*>();
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("İki kez silinsin mi?"));
        QTest::mouseClick(Find::named<QPushButton>(box, answer), Qt::LeftButton);
        QTRY_VERIFY(!panel()->findChild<QMessageBox*>());
        QCOMPARE(libraryNames(), left);
        // Deleting a signature takes its placements off the document too.
        const int placements = left.size() == 1 ? 1 : 3;
        QCOMPARE(store().placements().size(), placements);
        QTRY_COMPARE(panel()->cards().size(), left.size());
        QCOMPARE(text(QStringLiteral("count")),
                 QStringLiteral("Yerleştirilen imza: %1").arg(placements));
        QCOMPARE(store().placements().first().signatureID,
                 placements == 1 ? once.id : store().data().signatures.first().id);
    }

    // Without a document the cards show, at 52 points high, but place nothing.
    void theCrossRemovesTheDocumentButNotTheLibrary()
    {
        QVERIFY(named(QStringLiteral("empty"))->isVisible());
        placeOne(2);
        addSignature(QStringLiteral("Geniş"), 3);
        click(named(QStringLiteral("Sonraki sayfa")));
        click(named(QStringLiteral("Dosyayı kaldır")));
        QVERIFY(!store().signFile() && store().placements().isEmpty());
        QCOMPARE(store().signPage(), 0);
        settle();
        QVERIFY(view().findChild<DropZone*>()->isVisible() && !canvas()->isVisible());
        QVERIFY(!named(QStringLiteral("empty"))->isVisible());
        QCOMPARE(libraryNames(), (QStringList{"İmza 1", "Geniş"}));
        QCOMPARE(text(QStringLiteral("nextStep")),
                 QStringLiteral("İmzalamak için önce bir PDF ekle."));
        QVERIFY(!card(1)->isEnabled());
        click(card(1));
        QVERIFY(store().placements().isEmpty());
        const QRectF shown = static_cast<SignaturePreview*>(card(1))->imageRect();
        QVERIFY(std::abs(shown.height() - 52) < tolerance &&
                std::abs(shown.width() / shown.height() - 3) < 0.02);
        click(named(QStringLiteral("Dosya seç…")));
        openDocument(1);
        click(named(QStringLiteral("Başka dosya…")));
        QCOMPARE(m_fixture->panels.calls, (QStringList{"openPDFs(single)", "openPDFs(single)"}));
    }

    // Clamped to the area's edges; a click is a dot; Clear takes everything away.
    void padStrokes_data()
    {
        QTest::addColumn<QList<QPointF>>("drawn");
        QTest::addColumn<Stroke>("kept");
        QTest::newRow("inside") << QList<QPointF>{{40, 100}, {120, 80}}
                                << Stroke{{40, 100}, {120, 80}};
        QTest::newRow("leaving the area runs along its edge")
            << QList<QPointF>{{500, 100}, {560, 150}, {600, 260}, {-30, -40}}
            << Stroke{{500, 100}, {520, 150}, {520, 200}, {0, 0}};
        QTest::newRow("a click is a dot") << QList<QPointF>{{100, 50}} << Stroke{{100, 50}};
    }
    void padStrokes()
    {
        QFETCH(QList<QPointF>, drawn);
        QFETCH(Stroke, kept);
        openPad();
        QVERIFY(!padButton(QStringLiteral("Kaydet"))->isEnabled());
        stroke(drawn);
        QCOMPARE(area()->strokes(), QList<Stroke>{kept});
        const QImage shown = area()->grab().toImage();
        QVERIFY(shown.pixelColor(kept.first().toPoint() * shown.devicePixelRatio()).lightness() <
                80);
        QVERIFY(padButton(QStringLiteral("Kaydet"))->isEnabled());
        click(padButton(QStringLiteral("Temizle")));
        QVERIFY(area()->strokes().isEmpty());
        QVERIFY(!padButton(QStringLiteral("Kaydet"))->isEnabled());
    }

    void aPenDrawsLikeTheMouse()
    {
        openPad();
        const QList<std::pair<QEvent::Type, QPointF>> events = {{QEvent::TabletPress, {60, 60}},
                                                                {QEvent::TabletMove, {120, 90}},
                                                                {QEvent::TabletMove, {700, 90}},
                                                                {QEvent::TabletRelease, {700, 90}}};
        for (const auto& [type, point] : events) {
            const Qt::MouseButton button = type == QEvent::TabletRelease ? Qt::NoButton
                                                                         : Qt::LeftButton;
            QTabletEvent event(type, QPointingDevice::primaryPointingDevice(), point,
                               area()->mapToGlobal(point), 0.5, 0, 0, 0, 0, 0, {}, button, button);
            QApplication::sendEvent(area(), &event);
            QVERIFY(event.isAccepted());
        }
        QCOMPARE(area()->strokes(),
                 (QList<Stroke>{{QPointF(60, 60), QPointF(120, 90), QPointF(520, 90)}}));
    }

    void padKeysAndButtons_data()
    {
        QTest::addColumn<bool>("draw");
        QTest::addColumn<QString>("answer"); // a key, or a button's name
        QTest::addColumn<bool>("saved");
        QTest::newRow("Return with nothing drawn") << false << "Return" << false;
        QTest::newRow("Return saves") << true << "Return" << true;
        QTest::newRow("Escape") << true << "Escape" << false;
        QTest::newRow("Vazgeç") << true << "Vazgeç" << false;
    }
    void padKeysAndButtons()
    {
        QFETCH(bool, draw);
        QFETCH(QString, answer);
        QFETCH(bool, saved);
        openPad();
        if (draw) {
            stroke({{100, 50}}); // a dot
        }
        if (answer == "Vazgeç") {
            click(padButton(answer));
        } else {
            QTest::keyClick(nameField(), answer == "Return" ? Qt::Key_Return : Qt::Key_Escape);
        }
        if (draw) {
            QTRY_VERIFY(!pad());
        } else {
            QVERIFY(pad()->isVisible());
        }
        QCOMPARE(store().data().signatures.size(), saved ? 1 : 0);
        if (saved) { // a dot is saved as a square signature
            const SavedSignature dot = store().data().signatures.first();
            QCOMPARE(dot.strokes, std::optional(QList<Stroke>{{QPointF(0.5, 0.5)}}));
            QCOMPARE(dot.aspect, 1.0);
            QCOMPARE(dot.weight, std::optional(2.6 / 24));
        }
    }

    void padSavesNameAndInk_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<bool>("blueFirst");
        QTest::newRow("empty gives the default") << QString() << QStringLiteral("İmza 3") << false;
        QTest::newRow("blanks stay blanks")
            << QStringLiteral("   ") << QStringLiteral("   ") << true;
        QTest::newRow("a name") << QStringLiteral("Ayşe") << QStringLiteral("Ayşe") << false;
    }
    void padSavesNameAndInk()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QFETCH(bool, blueFirst);
        for (int i = 0; i < 2; ++i) {
            store().addDrawnSignature(QString(), {{QPointF(10, 10), QPointF(50, 30)}}, 2.6,
                                      InkColor::black);
        }
        openPad();
        QCOMPARE(nameField()->placeholderText(), QStringLiteral("İmza 3"));
        nameField()->insert(typed); // QTest types only ASCII
        if (blueFirst) {
            click(padButton(QStringLiteral("Mavi")));
        }
        stroke({{40, 100}, {480, 100}});
        // Blue picked before or after drawing colours the whole drawing.
        if (!blueFirst) {
            click(padButton(QStringLiteral("Mavi")));
        }
        const QImage drawn = area()->grab().toImage();
        QCOMPARE(drawn.pixelColor(QPoint(240, 100) * drawn.devicePixelRatio()).name(),
                 SignatureArt::inkColor(InkColor::blue).name());
        click(padButton(QStringLiteral("Kaydet")));
        QTRY_VERIFY(!pad());
        const SavedSignature last = store().data().signatures.last();
        QCOMPARE(last.name, saved);
        QCOMPARE(last.ink, std::optional(InkColor::blue));
    }

    void padImportsImagesAndSaysWhenItCannot()
    {
        openPad();
        stroke({{30, 30}, {90, 60}});
        auto* hint = Find::named<ToneLabel>(pad(), QStringLiteral("hint"));
        click(padButton(QStringLiteral("Görselden al…"))); // cancelled: nothing changes
        QCOMPARE(m_fixture->panels.calls, QStringList{"openImage()"});
        QCOMPARE(hint->tone(), Tone::secondary);
        m_fixture->panels.imageAnswers = {m_fixture->file("notes.png", "not an image at all")};
        click(padButton(QStringLiteral("Görselden al…")));
        QCOMPARE(hint->text(), QStringLiteral("Görsel okunamadı. PNG ya da JPEG bir dosya seç."));
        QCOMPARE(hint->tone(), Tone::down);
        QCOMPARE(area()->strokes().size(), 1);
        QImage scan(800, 200, QImage::Format_RGB32);
        scan.fill(Qt::white);
        QVERIFY(scan.save(m_fixture->path("scan.png")));
        m_fixture->panels.imageAnswers = {m_fixture->path("scan.png")};
        nameField()->insert(QStringLiteral("Tarama"));
        click(padButton(QStringLiteral("Görselden al…")));
        QTRY_VERIFY(!pad());
        const SavedSignature saved = store().data().signatures.value(0);
        QCOMPARE(saved.name, QStringLiteral("Tarama"));
        QVERIFY(saved.imageFile.has_value());
        QCOMPARE(saved.aspect, 4.0);
    }

    // From the pad to the file: a signature drawn in the window, placed on the turned second
    // page of a document and moved there, lands in the signed copy exactly inside the
    // rectangle the page view showed.
    void drawPlaceMoveAndSave()
    {
        openPad();
        click(padButton(QStringLiteral("Mavi")));
        auto* area = pad()->findChild<InkArea*>();
        drag(area, QPointF(40, 130), QPointF(480, 70), 12);
        drag(area, QPointF(60, 60), QPointF(300, 150), 8);
        click(Find::named(pad(), QStringLiteral("Kaydet")));
        QTRY_VERIFY(!pad());
        QCOMPARE(store().data().signatures.size(), 1);
        QList<Fixtures::Page> pages = Fixtures::tagged(QStringLiteral("t"), 3);
        pages[1].rotate = 90;
        openDocument(pages);
        click(named(QStringLiteral("Sonraki sayfa")));
        const QRectF page = canvas()->pageFrame();
        click(card(0));
        PlacementView* placed = canvas()->placementViews().value(0);
        QVERIFY(placed);
        const QPointF from = centreOf(placed);
        drag(canvas(), from, from + QPointF(-140, -90));
        QCOMPARE(store().placements().first().page, 1);

        // The rectangle the page view shows, as fractions of the page.
        const QRectF shown = placed->frame();
        const QRectF fraction((shown.x() - page.x()) / page.width(),
                              (shown.y() - page.y()) / page.height(), shown.width() / page.width(),
                              shown.height() / page.height());
        QVERIFY(fraction.x() < 0.29 && fraction.y() < 0.57); // it really moved left and up
        const QString output = m_fixture->path(QStringLiteral("imzalı.pdf"));
        m_fixture->panels.saveAnswers = {output};
        click(run());
        QVERIFY(m_fixture->waitIdle());
        QCOMPARE(m_fixture->panels.calls.last(), QStringLiteral("save(Sözleşme imzalı)"));
        std::unique_ptr<Poppler::Document> document = Poppler::Document::load(output);
        QVERIFY(document);
        QCOMPARE(document->numPages(), 3);
        int count = 0;
        for (int index : {0, 2}) {
            blueInk(document->page(index)->renderToImage(144, 144), &count);
            QCOMPARE(count, 0);
        }
        const QImage rendered = document->page(1)->renderToImage(144, 144);
        // Poppler shows the page turned, as the canvas does.
        QCOMPARE(rendered.size(), QSize(792 * 2, 612 * 2));
        const QRectF expected(fraction.x() * rendered.width(), fraction.y() * rendered.height(),
                              fraction.width() * rendered.width(),
                              fraction.height() * rendered.height());
        const QRect ink = blueInk(rendered, &count);
        QVERIFY2(count > 200, qPrintable(QString::number(count)));
        QVERIFY2(expected.adjusted(-2, -2, 2, 2).contains(QRectF(ink)),
                 qPrintable(describe(QRectF(ink)) + QStringLiteral(" outside ") +
                            describe(expected)));
        // And it fills the rectangle, upright: the long stroke spans its width.
        QVERIFY(ink.width() > 0.9 * expected.width());
        QVERIFY(ink.height() > 0.7 * expected.height());
    }
};

QTEST_MAIN(SignScreenTest)
#include "SignScreenTest.moc"
