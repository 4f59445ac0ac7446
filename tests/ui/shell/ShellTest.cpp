#include "AccessTree.h"
#include "BoxAnswers.h"
#include "Find.h"
#include "Fixtures.h"
#include "HostileFixtures.h"
#include "StoreTestCase.h"
#include "core/AppLanguage.h"
#include "store/ToolModel.h"
#include "ui/dialogs/ModalDialogs.h"
#include "ui/kit/Badge.h"
#include "ui/kit/BannerView.h"
#include "ui/kit/RunButton.h"
#include "ui/kit/Theme.h"
#include "ui/kit/ToolPage.h"
#include "ui/screens/HistoryScreen.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/Navigation.h"
#include "ui/shell/Sidebar.h"
#include "ui/shell/SidebarRow.h"

#include <QLabel>
#include <QScopeGuard>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <csignal>

// The main window over a real Store: sections, sidebar, badges, the File menu and a long run.
class ShellTest : public StoreTestCase {
    Q_OBJECT

    std::unique_ptr<MainWindow> m_window;

    MainWindow& window() { return *m_window; }
    QString shownScreen()
    {
        return m_window->findChild<QStackedWidget*>()->currentWidget()->objectName();
    }
    SidebarRow* rowOf(const QString& page)
    {
        return Find::named<SidebarRow>(m_window.get(), titleOf(page));
    }
    QString titleOf(const QString& page)
    {
        const ToolModel* tool = store().tool(page);
        return tool ? tool->title() : HistoryScreen::page().title;
    }
    void open(std::optional<QString> section = std::nullopt)
    {
        if (section) {
            Navigation::setCurrent(*section);
        }
        m_window = std::make_unique<MainWindow>(store());
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    // Stops the worker at the run's first report, so the run lasts as long as the test needs.
    bool held()
    {
        const QList<qint64> workers =
            QTest::qWaitFor([this] { return store().runProgress().total > 0; }, 60000)
                ? runWorkers()
                : QList<qint64>{};
        return workers.size() == 1 && ::kill(pid_t(workers.first()), SIGSTOP) == 0;
    }

private slots:
    void initTestCase() override
    {
        StoreTestCase::initTestCase();
        // As the application does: the window has the keyboard back once a question closes.
        ModalDialogs::install();
    }

    void cleanup() override
    {
        m_window.reset();
        StoreTestCase::cleanup();
    }

    // Ctrl+1…8 in sidebar order, then sidebar clicks and arrow keys; the last survives a restart.
    void sectionsByShortcutClickAndArrowKeys()
    {
        open(QStringLiteral("pages"));
        const QStringList pages = window().pages();
        QCOMPARE(pages.size(), 8);
        for (int digit = 1; digit <= pages.size(); ++digit) {
            const QString& section = pages.at(digit - 1);
            QTest::keyClick(&window(), Qt::Key(Qt::Key_0 + digit), Qt::ControlModifier);
            QCOMPARE(window().page(), section);
            QCOMPARE(shownScreen(), section);
            for (const QString& each : pages) {
                QCOMPARE(rowOf(each)->isSelected(), each == section);
            }
        }
        QTest::mouseClick(rowOf(QStringLiteral("split")), Qt::LeftButton);
        QCOMPARE(shownScreen(), QStringLiteral("split"));
        // A click gives the keyboard to the row; it is the sidebar's one stop in the Tab order.
        QCOMPARE(QApplication::focusWidget(), rowOf(QStringLiteral("split")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QVERIFY(!qobject_cast<SidebarRow*>(QApplication::focusWidget()));
        QCOMPARE(AccessTree::tabOrder(1), QStringList{titleOf(QStringLiteral("split"))});
        // Each move is spoken: the focus, and the selected state, go to the row just chosen.
        const QList<std::pair<Qt::Key, QString>> walk = {{Qt::Key_Down, QStringLiteral("compress")},
                                                         {Qt::Key_Home, QStringLiteral("merge")},
                                                         {Qt::Key_Up, QStringLiteral("merge")},
                                                         {Qt::Key_End, QStringLiteral("history")},
                                                         {Qt::Key_Down, QStringLiteral("history")},
                                                         {Qt::Key_Up, QStringLiteral("ocr")}};
        AccessTree::EventLog log;
        for (const auto& [key, section] : walk) {
            const QString before = AccessTree::name(AccessTree::focused());
            log.clear();
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(window().page(), section);
            QAccessibleInterface* focused = AccessTree::focused();
            const QString title = titleOf(section);
            QCOMPARE(AccessTree::name(focused), title);
            QCOMPARE(focused->role(), QAccessible::ListItem);
            QVERIFY(focused->state().focused && focused->state().selected);
            const bool moved = before != title;
            QCOMPARE(log.names(QAccessible::Focus), moved ? QStringList{title} : QStringList{});
            QCOMPARE(log.names(QAccessible::StateChanged).contains(title), moved);
        }
        // Its action chooses the row as a click does.
        QAccessibleInterface* split = AccessTree::of(rowOf(QStringLiteral("split")));
        split->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(window().page(), QStringLiteral("split"));
        Navigation::setCurrent(QStringLiteral("pages"));
        m_window.reset();
        QSettings().sync();
        QCOMPARE(MainWindow(store()).page(), QStringLiteral("pages"));
    }

    // A banner is as tall as its lines need on every tool page (one was 70 px here, 43 px there).
    void bannersFitTheirLinesOnEveryPage()
    {
        open(QStringLiteral("merge"));
        const QStringList texts = {QStringLiteral("Hazır: Rapor birleşik.pdf · 1,2 MB"),
                                   QStringLiteral("Hazır: 4 dosya\nçıktılar klasöründe"),
                                   QStringLiteral("bir.pdf açılamadı.\niki.pdf açılamadı.\nüç")};
        int shorter = 0;
        for (const QString& text : texts) {
            std::optional<int> height;
            for (int digit = 1; digit <= static_cast<int>(store().tools().size()); ++digit) {
                QTest::keyClick(&window(), Qt::Key(Qt::Key_0 + digit), Qt::ControlModifier);
                auto* stack = window().findChild<QStackedWidget*>();
                auto* page = qobject_cast<ToolPage*>(stack->currentWidget());
                page = page ? page : stack->currentWidget()->findChild<ToolPage*>();
                page->setBanner(
                    Banner{text, {QStringLiteral("/tmp/çıktı.pdf")}, Banner::Kind::success});
                const BannerView* banner = page->bannerView();
                const auto* label = banner->findChild<QLabel*>(QStringLiteral("text"));
                // Shown and laid out from the event loop; the fitted height takes a second pass.
                QTRY_VERIFY(banner->isVisible());
                for (int pass = 0; pass < 3; ++pass) {
                    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                }
                QVERIFY(label->height() >= label->heightForWidth(label->width()));
                QCOMPARE(banner->height(), height.value_or(banner->height()));
                height = banner->height();
                QVERIFY(label->y() > 0);
                QVERIFY(label->geometry().bottom() < banner->height() - Metrics::headerBottom);
            }
            QVERIFY2(*height > shorter, qPrintable(text));
            shorter = *height;
        }
    }

    // At the smallest window, in every language, wrapped lines get the height and width they need.
    void smallestWindowCutsNoText_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::newRow("Türkçe") << AppLanguage::tr;
        QTest::newRow("English") << AppLanguage::en;
        QTest::newRow("Español") << AppLanguage::es;
    }
    void smallestWindowCutsNoText()
    {
        QFETCH(AppLanguage, language);
        AppLanguages::installTranslator(*QCoreApplication::instance(), language);
        // A desktop whose text is a size larger than Qt's default, as the window was tried on.
        const QFont font = QApplication::font();
        QFont larger = font;
        larger.setPointSizeF(font.pointSizeF() + 2);
        QApplication::setFont(larger);
        const auto restore = qScopeGuard([font] {
            AppLanguages::installTranslator(*QCoreApplication::instance(), AppLanguage::tr);
            QApplication::setFont(font);
        });
        open(QStringLiteral("merge"));
        window().resize(window().minimumSizeHint());
        QTest::keyClick(&window(), Qt::Key_4, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        // No text widens the window past its own minimum.
        QCOMPARE(window().width(), MainWindow::minimumContentSize.width());
        auto* stack = window().findChild<QStackedWidget*>();
        for (const QLabel* label :
             {Find::named<QLabel>(&window(), QStringLiteral("privacy")),
              Find::named<QLabel>(stack->currentWidget(), QStringLiteral("subtitle"))}) {
            QVERIFY(label->isVisible());
            QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                     qPrintable(label->text()));
            QVERIFY2(label->width() >= label->minimumSizeHint().width(), qPrintable(label->text()));
            const QRect shown(label->mapTo(&window(), QPoint()), label->size());
            QVERIFY2(window().rect().contains(shown), qPrintable(label->text()));
        }
    }

    // The divider between the sidebar and the screen drags, held within the sidebar's limits.
    void sidebarDividerDragsWithinLimits_data()
    {
        QTest::addColumn<int>("by");
        QTest::addColumn<int>("width");
        QTest::newRow("a little wider") << 30 << Sidebar::idealWidth + 30;
        QTest::newRow("far right stops at the widest") << 400 << Sidebar::maximumWidth;
        QTest::newRow("far left stops at the narrowest") << -400 << Sidebar::minimumWidth;
    }
    void sidebarDividerDragsWithinLimits()
    {
        QFETCH(int, by);
        QFETCH(int, width);
        open();
        auto* sidebar = Find::named<Sidebar>(&window(), QStringLiteral("sidebar"));
        auto* columns = Find::named<QSplitter>(&window(), QStringLiteral("columns"));
        QSplitterHandle* handle = columns->handle(1);
        const QPoint grip = handle->mapToGlobal(handle->rect().center());
        const auto at = [handle, grip](int dx) {
            return handle->mapFromGlobal(grip + QPoint(dx, 0));
        };
        QTest::mousePress(handle, Qt::LeftButton, {}, at(0));
        QTest::mouseMove(handle, at(by / 2));
        QTest::mouseMove(handle, at(by));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, at(by));
        // The thin divider's grab area reaches 2 px either side of it, which the drag keeps.
        QVERIFY2(qAbs(sidebar->width() - width) <= 2,
                 qPrintable(QString::number(sidebar->width())));
        // The screen takes the rest; a wider window widens the screen, not the sidebar.
        const QWidget* detail = columns->widget(1);
        QVERIFY(detail->x() > sidebar->geometry().right());
        const int dragged = sidebar->width();
        const int wide = columns->width();
        window().resize(window().width() + 100, window().height());
        QTRY_COMPARE(columns->width(), wide + 100);
        QCOMPARE(detail->geometry().right(), columns->width() - 1);
        QCOMPARE(sidebar->width(), dragged);
    }

    // The pointer waits while an added file is opened and counted; each row counts its files.
    void addingShowsABusyPointerAndBadges()
    {
        open(QStringLiteral("history"));
        store().addFiles({m_fixture->pdf(QStringLiteral("Alpha.pdf"), 2),
                          m_fixture->pdf(QStringLiteral("Beta.pdf"))},
                         store().tool<MergeTool>());
        QList<Qt::CursorShape> seen;
        QObject context;
        connect(&store(), &Store::probingChanged, &context, [&seen] {
            const QCursor* cursor = QApplication::overrideCursor();
            seen << (cursor ? cursor->shape() : Qt::ArrowCursor);
        });
        store().addFiles({m_fixture->pdf(QStringLiteral("Three.pdf"), 3)},
                         store().tool<SplitTool>());
        QCOMPARE(seen, (QList<Qt::CursorShape>{Qt::BusyCursor, Qt::ArrowCursor, Qt::BusyCursor,
                                               Qt::ArrowCursor}));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        // Each list is named by its heading; a count is spoken in its row's name, not apart.
        const auto rows = [this] {
            QStringList named;
            for (const QString list : {"Araçlar", "Kayıtlar"}) {
                named << AccessTree::name(AccessTree::find(&window(), QAccessible::Heading, list));
                AccessTree::walk(AccessTree::find(&window(), QAccessible::List, list),
                                 [&named](QAccessibleInterface* node) {
                                     if (node->role() == QAccessible::ListItem) {
                                         named << node->text(QAccessible::Name);
                                     }
                                 });
            }
            return named;
        };
        const QStringList others = {"Sıkıştır",     "İmzala",   "Sayfa sil", "Düzenle",
                                    "Metin tanıma", "Kayıtlar", "Geçmiş"};
        QCOMPARE(rows(), QStringList({"Araçlar", "Birleştir, 2 dosya", "Böl, 1 dosya"}) + others);
        store().clear(store().tool<MergeTool>());
        QCOMPARE(rows(), QStringList({"Araçlar", "Birleştir", "Böl, 1 dosya"}) + others);
        QVERIFY(!rowOf(QStringLiteral("merge"))->findChild<Badge*>()->isVisible());
        AccessTree::walk(AccessTree::of(Find::named<Sidebar>(&window(), QStringLiteral("sidebar"))),
                         [](QAccessibleInterface* node) {
                             QVERIFY(!qobject_cast<Badge*>(node->object())); // not on its own
                         });
    }

    void fileMenuActsOnSelectedSection()
    {
        open();
        store().addFiles({m_fixture->pdf(QStringLiteral("Lease.pdf")),
                          m_fixture->pdf(QStringLiteral("Annex.pdf"))},
                         store().tool<MergeTool>());
        // With the history selected, "Sonucu kaydet…" has nothing to run and asks nothing.
        Navigation::setCurrent(QStringLiteral("history"));
        QTest::keyClick(&window(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_fixture->dialogs.calls, QStringList());
        Navigation::setCurrent(QStringLiteral("split"));
        QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
        Navigation::setCurrent(QStringLiteral("merge"));
        QTest::keyClick(&window(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_fixture->dialogs.calls,
                 (QStringList{"openPDFs(single)", "save(Lease birleşik)"}));
    }

    // A long merge shows progress in place; closing asks; Escape or "Durdur ve çık" leave nothing.
    void longRunShowsProgressAsksBeforeClosingAndCancels()
    {
        HostileFixtures::writeBulky(m_fixture->path("Büyük.pdf"), 40, 1);
        store().addFiles({m_fixture->path("Büyük.pdf"), m_fixture->pdf("Ek.pdf")},
                         store().tool<MergeTool>());
        open(QStringLiteral("merge"));
        auto* run =
            Find::named<QWidget>(&window(), QStringLiteral("merge"))->findChild<RunButton*>();
        auto* clear = Find::named<QAbstractButton>(run->parentWidget(), QStringLiteral("Temizle"));
        const auto places = [run, clear] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            return QList<QRect>{run->geometry(), clear->geometry()};
        };
        const QRect idle = places().first();
        m_fixture->dialogs.saveAnswers = {m_fixture->path("Birleşik.pdf")};
        QTest::mouseClick(run, Qt::LeftButton);
        QVERIFY(held());
        QVERIFY(run->cancelButton()->isVisible());
        QTRY_VERIFY(run->busyFraction().has_value());
        QCOMPARE(*run->busyFraction(),
                 qreal(store().runProgress().done) / qreal(store().runProgress().total));
        const QList<QRect> shown = places();
        QCOMPARE(shown.first(), idle);
        for (const qint64 done : {0, 9, 10, 99, 100}) {
            run->setProgress(done, 100);
            QCOMPARE(run->busyPercent(), QStringLiteral("%%1").arg(done));
            QCOMPARE(places(), shown);
        }
        QCOMPARE(QApplication::focusWidget(), run->cancelButton());

        BoxAnswers::click(QStringLiteral("keep"));
        QVERIFY(!window().close());
        QCOMPARE(store().busy(), std::optional(QStringLiteral("merge")));

        QVERIFY(QTest::qWaitForWindowActive(&window()));
        QTest::keyClick(&window(), Qt::Key_Escape);
        QVERIFY(!store().busy());
        QVERIFY(!run->cancelButton()->isVisible());
        QCOMPARE(QApplication::focusWidget(), run);
        QCOMPARE(places().first(), idle);
        QCOMPARE(runWorkers(), QList<qint64>{});
        QVERIFY(!QFileInfo::exists(m_fixture->path("Birleşik.pdf")));
        QVERIFY(store().data().history.isEmpty());
        QVERIFY(!store().banner(QStringLiteral("merge")));

        m_fixture->dialogs.saveAnswers = {m_fixture->path("Birleşik.pdf")};
        store().run(store().tool<MergeTool>());
        QVERIFY(held());
        BoxAnswers::click(QStringLiteral("quit"));
        QVERIFY(window().close());
        QVERIFY(!store().busy());
        QCOMPARE(runWorkers(), QList<qint64>{});
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
