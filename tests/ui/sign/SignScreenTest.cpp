#include "AccessTree.h"
#include "Find.h"
#include "StoreTestCase.h"
#include "ui/kit/DropZone.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RunButton.h"
#include "ui/screens/sign/InkArea.h"
#include "ui/screens/sign/PlacementView.h"
#include "ui/screens/sign/SignCanvas.h"
#include "ui/screens/sign/SignView.h"
#include "ui/screens/sign/SignatureCard.h"
#include "ui/screens/sign/SignaturePad.h"
#include "ui/screens/sign/SignaturePanel.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

// The sign section driven through its window as the platform delivers mouse events.
class SignScreenTest : public StoreTestCase {
    Q_OBJECT

    std::unique_ptr<SignView> m_view;

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

    void addSignature(const QString& name)
    {
        store().addDrawnSignature(name, {{QPointF(10, 40), QPointF(60, 10), QPointF(120, 45)}}, 2.6,
                                  InkColor::black);
    }

    void openDocument(int pages)
    {
        store().addFiles({m_fixture->pdf(QStringLiteral("Sözleşme.pdf"), pages)},
                         store().tool<SignTool>());
        QVERIFY(store().tool<SignTool>().signFile());
    }

    static void settle()
    {
        // Widgets added a moment ago are shown and laid out before the user can aim at them.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    // Presses at the first point, moves through the others and releases at the last.
    static void trace(QWidget* widget, const QList<QPointF>& points)
    {
        settle();
        QWindow* window = widget->window()->windowHandle();
        const auto at = [widget](QPointF point) {
            return widget->mapTo(widget->window(), point.toPoint());
        };
        QTest::mousePress(window, Qt::LeftButton, {}, at(points.first()));
        for (const QPointF& point : points.mid(1)) {
            QTest::mouseMove(window, at(point));
        }
        QTest::mouseRelease(window, Qt::LeftButton, {}, at(points.last()));
    }
    static void click(QWidget* widget, std::optional<QPointF> at = {})
    {
        settle(); // the widget's own size, once laid out
        trace(widget, {at.value_or(QRectF(widget->rect()).center())});
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

    InkArea* area() { return pad()->findChild<InkArea*>(); }
    QLineEdit* nameField() { return Find::named<QLineEdit>(pad(), QStringLiteral("İmza adı")); }
    QAbstractButton* padButton(const QString& name)
    {
        return Find::named<QAbstractButton>(pad(), name);
    }
    QStringList libraryNames()
    {
        QStringList names;
        for (const SavedSignature& signature : store().data().signatures) {
            names << signature.name;
        }
        return names;
    }

private slots:
    void init() override
    {
        StoreTestCase::init();
        m_view = std::make_unique<SignView>(store().tool<SignTool>(), store());
        m_view->resize(1100, 760);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void cleanup() override
    {
        m_view.reset();
        StoreTestCase::cleanup();
    }

    // A card places and selects; short travels select; paper deselects; keys nudge and delete.
    void selectingAndDeselecting()
    {
        QVERIFY(!run()->isEnabled());
        addSignature(QStringLiteral("İmza 1"));
        openDocument(1);
        click(card(0));
        PlacementView* first = canvas()->placementViews().value(0);
        QVERIFY(first->hasFocus()); // the keys nudge a placement made from the library at once
        QVERIFY(first->isSelected() && first->findChild<ResizeHandle*>()->isVisible());
        QVERIFY(first->findChild<RemoveButton*>()->isVisible() && run()->isEnabled());
        const QRectF start = store().tool<SignTool>().placements().first().rect;
        const QPointF from = centreOf(first);
        click(canvas(), canvas()->pageFrame().topLeft() + QPointF(20, 20));
        QCOMPARE(store().tool<SignTool>().selectedPlacement(), std::nullopt);
        QVERIFY(!first->findChild<ResizeHandle*>()->isVisible());
        drag(canvas(), from, from + QPointF(1, 1), 1);
        QCOMPARE(store().tool<SignTool>().placements().first().rect, start);
        QVERIFY(first->isSelected());
        click(canvas(), canvas()->pageFrame().topLeft() + QPointF(20, 20));
        // A drag moves by the pointer's travel and stops at the edge (bounds: PlacementTest).
        drag(canvas(), from, from + QPointF(30, -20));
        const QRectF dragged = store().tool<SignTool>().placements().first().rect;
        QCOMPARE(dragged, start.translated(30 / pageSize().width(), -20 / pageSize().height()));
        const QRectF page = canvas()->pageFrame();
        QCOMPARE(first->frame(),
                 QRectF(page.x() + dragged.x() * page.width(),
                        page.y() + dragged.y() * page.height(), dragged.width() * page.width(),
                        dragged.height() * page.height()));
        drag(canvas(), centreOf(first), centreOf(first) - QPointF(2000, 2000));
        QVERIFY(first->isSelected() &&
                store().tool<SignTool>().placements().first().rect.topLeft() == QPointF());
        click(card(0));
        PlacementView* second = canvas()->placementViews().value(1);
        QVERIFY(second->isSelected() && !first->isSelected());
        // The second lies 3 % right and down of the first: this point is the first's alone.
        click(canvas(), first->frame().topLeft() + QPointF(4, 4));
        QVERIFY(first->isSelected() && !second->findChild<ResizeHandle*>()->isVisible());
        // The keys move and delete the one clicked.
        QVERIFY(first->hasFocus());
        const QRectF moved = store().tool<SignTool>().placements().first().rect;
        QTest::keyClick(first, Qt::Key_Right);
        QTest::keyClick(first, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(store().tool<SignTool>().placements().first().rect, moved.translated(0.01, 0.1));
        QTest::keyClick(first, Qt::Key_Delete);
        QTRY_COMPARE(canvas()->placementViews(), QList<PlacementView*>{second});
        click(canvas(), centreOf(second)); // the cross shows on the selected one
        click(second->findChild<RemoveButton*>());
        QVERIFY(store().tool<SignTool>().placements().isEmpty());
        QTRY_VERIFY(canvas()->placementViews().isEmpty());
        QVERIFY(!named(QStringLiteral("count"))->isVisible());
    }

    // Neither the count nor the run's banner moves the arrows or resizes the page; the cross
    // takes the document but not the library, whose cards then place nothing.
    void pagerTurnsPagesAndCountsPlacements()
    {
        QVERIFY(named(QStringLiteral("empty"))->isVisible());
        addSignature(QStringLiteral("İmza 1"));
        openDocument(3);
        QWidget* previous = named(QStringLiteral("Önceki sayfa"));
        QWidget* next = named(QStringLiteral("Sonraki sayfa"));
        const auto layout = [&] {
            settle();
            return QList<QRect>{QRect(previous->mapTo(m_view.get(), QPoint()), previous->size()),
                                QRect(next->mapTo(m_view.get(), QPoint()), next->size()),
                                canvas()->geometry()};
        };
        const QList<QRect> before = layout();
        click(card(0));
        QCOMPARE(layout(), before);
        QVERIFY(!previous->isEnabled() && next->isEnabled());
        QCOMPARE(text(QStringLiteral("page")), QStringLiteral("Sayfa 1 / 3"));
        QCOMPARE(text(QStringLiteral("count")), QStringLiteral("Yerleştirilen imza: 1"));
        click(next);
        QCOMPARE(store().tool<SignTool>().signPage(), 1);
        QTRY_VERIFY(canvas()->placementViews().isEmpty());
        click(card(0));
        QCOMPARE(text(QStringLiteral("count")), QStringLiteral("Yerleştirilen imza: 2"));
        click(next);
        QCOMPARE(text(QStringLiteral("page")), QStringLiteral("Sayfa 3 / 3"));
        QVERIFY(!next->isEnabled() && previous->isEnabled());
        click(previous);
        click(previous);
        QCOMPARE(canvas()->placementViews().size(), 1); // the first page's own
        m_fixture->dialogs.saveAnswers << m_fixture->path(QStringLiteral("İmzalı.pdf"));
        click(run()); // the focus waits on "Vazgeç", never on "Başka dosya…", and comes back
        QCOMPARE(m_view->window()->focusWidget(), run()->cancelButton());
        QVERIFY(m_fixture->waitIdle());
        QVERIFY(store().banner(QStringLiteral("sign")) && m_view->window()->focusWidget() == run());
        QCOMPARE(layout(), before);
        click(next);
        click(named(QStringLiteral("Sözleşme.pdf dosyasını kaldır")));
        QVERIFY(!store().tool<SignTool>().signFile() &&
                store().tool<SignTool>().placements().isEmpty());
        QCOMPARE(store().tool<SignTool>().signPage(), 0);
        settle();
        QVERIFY(m_view->findChild<DropZone*>()->isVisible() && !canvas()->isVisible());
        QVERIFY(!named(QStringLiteral("empty"))->isVisible() && !card(0)->isEnabled());
        click(card(0));
        QVERIFY(store().tool<SignTool>().placements().isEmpty() &&
                libraryNames() == QStringList{"İmza 1"});
        click(named(QStringLiteral("Dosya seç…")));
        openDocument(1);
        click(named(QStringLiteral("Başka dosya…")));
        QCOMPARE(m_fixture->dialogs.calls.mid(1),
                 (QStringList{"openPDFs(single)", "openPDFs(single)"}));
    }

    // Without sight: Tab reaches the page, named for the page shown; Enter puts the chosen
    // signature at the cursor; each key's move, resize or removal is in the Store and spoken.
    void signingByKeyboardAlone()
    {
        AccessTree::EventLog log;
        addSignature(QStringLiteral("Ayşe"));
        addSignature(QStringLiteral("Ali"));
        openDocument(3);
        card(1)->setFocus(Qt::TabFocusReason); // chosen
        named(QStringLiteral("Sözleşme.pdf dosyasını kaldır"))->setFocus(Qt::TabFocusReason);
        QCOMPARE(AccessTree::tabOrder(1), QStringList{"Sayfa 1 / 3"});
        QCOMPARE(AccessTree::focused()->role(), QAccessible::Canvas);
        QTest::keyClick(canvas(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(canvas(), Qt::Key_Up);
        QTest::keyClick(canvas(), Qt::Key_Return);
        QCOMPARE(store().tool<SignTool>().placements().size(), 1);
        QCOMPARE(store().tool<SignTool>().placements().first().rect.topLeft(), QPointF(0.6, 0.49));
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            QPointF at;
            QString name;
        } rows[] = {
            {Qt::Key_Tab, {}, {0.6, 0.49}, "1. imza (Ali): soldan %60, üstten %49, genişlik %32"},
            {Qt::Key_Left, {}, {0.59, 0.49}, "1. imza (Ali): soldan %59, üstten %49, genişlik %32"},
            {Qt::Key_Down,
             Qt::ShiftModifier,
             {0.59, 0.59},
             "1. imza (Ali): soldan %59, üstten %59, genişlik %32"},
            {Qt::Key_Plus, {}, {0.59, 0.59}, "1. imza (Ali): soldan %59, üstten %59, genişlik %33"},
            {Qt::Key_Minus,
             Qt::ShiftModifier,
             {0.59, 0.59},
             "1. imza (Ali): soldan %59, üstten %59, genişlik %23"},
        };
        for (const auto& row : rows) {
            log.clear();
            if (row.key != Qt::Key_Tab) { // the new placement has the focus already
                QTest::keyClick(QApplication::focusWidget(), row.key, row.modifiers);
                QCOMPARE(log.names(QAccessible::NameChanged), QStringList{row.name});
            }
            QCOMPARE(store().tool<SignTool>().placements().first().rect.topLeft(), row.at);
            QCOMPARE(AccessTree::name(AccessTree::focused()), row.name);
        }
        QCOMPARE(AccessTree::tabOrder(1), QStringList{"1. imzayı sayfadan kaldır"});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QVERIFY(store().tool<SignTool>().placements().isEmpty() && canvas()->hasFocus());
        QCOMPARE(AccessTree::tabOrder(1), QStringList{"Sonraki sayfa"});
        log.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(log.names(QAccessible::Alert), QStringList{"Sayfa 2 / 3"});
        QVERIFY(log.names(QAccessible::NameChanged).contains("Sayfa 2 / 3"));
        canvas()->setFocus(Qt::BacktabFocusReason);
        QCOMPARE(AccessTree::name(AccessTree::focused()), QStringLiteral("Sayfa 2 / 3"));
        QCOMPARE(AccessTree::tabOrder(2), (QStringList{"Önceki sayfa", "Sonraki sayfa"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // to the last page
        QCOMPARE(QApplication::focusWidget(), named(QStringLiteral("Önceki sayfa")));
    }

    // Tab goes as the eye reads: the header, the page and what is on it, the pager, the
    // library, the run button.
    void tabOrderFollowsTheLayout()
    {
        addSignature(QStringLiteral("Ayşe"));
        addSignature(QStringLiteral("Ali"));
        openDocument(3);
        click(card(0));
        click(card(1));
        named(QStringLiteral("Başka dosya…"))->setFocus(Qt::TabFocusReason);
        QList<QWidget*> expected{named(QStringLiteral("Sözleşme.pdf dosyasını kaldır")), canvas()};
        for (PlacementView* view : canvas()->placementViews()) {
            expected << view << view->removeButton();
        }
        expected << named(QStringLiteral("Sonraki sayfa"));
        for (SignatureCard* card : panel()->cards()) {
            expected << card->findChild<SignaturePreview*>() << card->findChild<Button*>();
        }
        expected << named(QStringLiteral("Yeni imza…")) << run();
        QList<QWidget*> order;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget();
        }
        QCOMPARE(order, expected);
    }

    // Deleting a signature asks first; which placements go with it is the Store's.
    void deletingFromTheLibraryAsksFirst()
    {
        addSignature(QStringLiteral("İki kez"));
        addSignature(QStringLiteral("Bir kez"));
        // The library is a list of signatures, each button naming the one it acts on.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QAccessibleInterface* library =
            AccessTree::find(panel(), QAccessible::List, QStringLiteral("Kayıtlı imzalar"));
        QAccessibleInterface* second = library->child(1);
        QVERIFY(library->childCount() == 2 && second->role() == QAccessible::ListItem &&
                AccessTree::name(second) == QStringLiteral("Bir kez"));
        QVERIFY(AccessTree::find(second->object(), QAccessible::Button,
                                 "Bir kez adlı imzayı sayfaya koy"));
        const auto answer = [this](const QString& button) {
            click(Find::named(panel(), QStringLiteral("İki kez adlı imzayı sil")));
            QMessageBox* box = panel()->findChild<QMessageBox*>();
            QTRY_VERIFY(box && box->isVisible());
            QCOMPARE(box->text(), QStringLiteral("İki kez silinsin mi?"));
            QTest::mouseClick(Find::named<QPushButton>(box, button), Qt::LeftButton);
            QTRY_VERIFY(!panel()->findChild<QMessageBox*>());
        };
        answer(QStringLiteral("Vazgeç"));
        QCOMPARE(libraryNames(), (QStringList{"İki kez", "Bir kez"}));
        QCOMPARE(panel()->cards().size(), 2);
        answer(QStringLiteral("İmzayı sil"));
        QCOMPARE(libraryNames(), QStringList{"Bir kez"});
        QTRY_COMPARE(panel()->cards().size(), 1);
    }

    // The page image has the frame's own pixels, so a table's hairlines survive a resize.
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
            m_view->resize(size);
            QTRY_VERIFY(pageSize() != before);
            QTRY_VERIFY(matches());
        }
    }

    // Saved under the name typed or offered, in the ink picked; or read from an image.
    void padKeysAndButtons_data()
    {
        QTest::addColumn<QString>("answer"); // a key, or a button's name
        QTest::addColumn<bool>("draw");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Return with nothing drawn") << "Return" << false << QString() << false;
        QTest::newRow("Return saves") << "Return" << true << QString() << true;
        QTest::newRow("Kaydet saves the name") << "Kaydet" << true << "Ayşe" << true;
        QTest::newRow("Escape") << "Escape" << true << QString() << false;
        QTest::newRow("an image") << "Görselden al…" << false << "Tarama" << true;
    }
    void padKeysAndButtons()
    {
        QFETCH(QString, answer);
        QFETCH(bool, draw);
        QFETCH(QString, typed);
        QFETCH(bool, saved);
        QImage scan(800, 200, QImage::Format_RGB32);
        scan.fill(Qt::white);
        QVERIFY(scan.save(m_fixture->path("scan.png")));
        m_fixture->dialogs.imageAnswers = {m_fixture->path("scan.png")};
        click(named(QStringLiteral("Yeni imza…")));
        QVERIFY(pad() && QTest::qWaitForWindowExposed(pad()));
        QCOMPARE(pad()->windowModality(), Qt::WindowModal);
        m_view->showPad(); // already open: no second pad
        QCOMPARE(m_view->findChildren<SignaturePad*>().size(), 1);
        QCOMPARE(nameField()->placeholderText(), QStringLiteral("İmza 1"));
        nameField()->insert(typed); // QTest types only ASCII
        // The inks are one choice of two: radio buttons of the group "Mürekkep", moved by arrows.
        padButton(QStringLiteral("Siyah"))->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QStringList inks;
        for (QAccessibleInterface* ink : AccessTree::all(pad(), QAccessible::RadioButton)) {
            QCOMPARE(AccessTree::name(ink->parent()->parent()), QStringLiteral("Mürekkep"));
            inks << AccessTree::name(ink) + (ink->state().checked ? "*" : "");
        }
        QCOMPARE(inks.join(' '), QStringLiteral("Siyah Mavi*"));
        QCOMPARE(AccessTree::name(AccessTree::focused()), QStringLiteral("Mavi"));
        if (draw) {
            trace(area(), {{100, 50}}); // a dot
        }
        if (QAbstractButton* button = padButton(answer)) {
            click(button);
        } else {
            QTest::keyClick(nameField(), answer == "Return" ? Qt::Key_Return : Qt::Key_Escape);
        }
        if (draw || saved) {
            QTRY_VERIFY(!pad());
        } else {
            QVERIFY(pad()->isVisible());
        }
        const QString name = typed.isEmpty() ? QStringLiteral("İmza 1") : typed;
        QCOMPARE(libraryNames(), saved ? QStringList{name} : QStringList());
        if (saved && draw) { // a dot is saved as a square signature
            const SavedSignature dot = store().data().signatures.first();
            QCOMPARE(dot.strokes, std::optional(QList<Stroke>{{QPointF(0.5, 0.5)}}));
            QCOMPARE(dot.ink, std::optional(InkColor::blue));
        } else if (saved) {
            QVERIFY(store().data().signatures.first().imageFile.has_value());
        }
    }
};

QTEST_MAIN(SignScreenTest)
#include "SignScreenTest.moc"
