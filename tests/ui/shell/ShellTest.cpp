#include "AppLanguage.h"
#include "Badge.h"
#include "BannerView.h"
#include "BoxAnswers.h"
#include "Find.h"
#include "Fixtures.h"
#include "HostileFixtures.h"
#include "MainWindow.h"
#include "ModalDialogs.h"
#include "RunButton.h"
#include "SectionText.h"
#include "Sidebar.h"
#include "SidebarRow.h"
#include "StoreTestCase.h"
#include "Theme.h"
#include "ToolPage.h"

#include <QLabel>
#include <QScopeGuard>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <csignal>

// The main window over a real Store: sections chosen by shortcut and sidebar, remembered across
// restarts; badges; the File menu; and bringing the window forward when files arrive from outside.
// Where received files go is the Store's.
class ShellTest : public StoreTestCase {
    Q_OBJECT

    std::unique_ptr<MainWindow> m_window;

    MainWindow& window() { return *m_window; }
    // The raw value of the section whose screen is showing.
    QString shownScreen()
    {
        return m_window->findChild<QStackedWidget*>()->currentWidget()->objectName();
    }
    SidebarRow* rowOf(AppSection section)
    {
        return Find::named<SidebarRow>(m_window.get(), SectionText::title(section));
    }
    void open(std::optional<AppSection> section = std::nullopt)
    {
        if (section) {
            AppSections::setCurrent(*section);
        }
        m_window = std::make_unique<MainWindow>(store());
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    // Waits for the run's first report, then stops its worker where it is, so the run goes on
    // for as long as the test needs.
    bool held()
    {
        const QList<qint64> workers =
            QTest::qWaitFor([this] { return store().runProgress().total > 0; }, 60000)
                ? Fixtures::childProcesses("leaflow-worker")
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

    void controlDigitChoosesSection_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<AppSection>("section");
        QTest::newRow("1 merge") << int(Qt::Key_1) << AppSection::merge;
        QTest::newRow("2 split") << int(Qt::Key_2) << AppSection::split;
        QTest::newRow("3 compress") << int(Qt::Key_3) << AppSection::compress;
        QTest::newRow("4 sign") << int(Qt::Key_4) << AppSection::sign;
        QTest::newRow("5 pages") << int(Qt::Key_5) << AppSection::pages;
        QTest::newRow("6 history") << int(Qt::Key_6) << AppSection::history;
    }
    void controlDigitChoosesSection()
    {
        QFETCH(int, key);
        QFETCH(AppSection, section);
        // Start elsewhere, so the shortcut has something to change.
        const AppSection other = section == AppSection::pages ? AppSection::split
                                                              : AppSection::pages;
        open(other);
        QCOMPARE(shownScreen(), AppSections::rawValue(other));
        QTest::keyClick(&window(), static_cast<Qt::Key>(key), Qt::ControlModifier);
        QCOMPARE(window().section(), section);
        QCOMPARE(shownScreen(), AppSections::rawValue(section));
        QCOMPARE(QSettings().value("section").toString(), AppSections::rawValue(section));
        for (AppSection each : AppSections::all) {
            QCOMPARE(rowOf(each)->isSelected(), each == section);
        }
        // And it survives a restart.
        m_window.reset();
        QSettings().sync();
        QCOMPARE(MainWindow(store()).section(), section);
    }

    // One height rule on every tool page: a banner is as tall as its lines need, with room
    // around them, whatever holds it (a one-line banner was 70 px high on one page, 43 px on
    // another, and three lines were squeezed together).
    void bannersFitTheirLinesOnEveryPage()
    {
        open(AppSection::merge);
        const QStringList texts = {QStringLiteral("Hazır: Rapor birleşik.pdf · 1,2 MB"),
                                   QStringLiteral("Hazır: 4 dosya\nçıktılar klasöründe"),
                                   QStringLiteral("bir.pdf açılamadı.\niki.pdf açılamadı.\nüç")};
        int shorter = 0;
        for (const QString& text : texts) {
            std::optional<int> height;
            for (AppSection section : AppSections::tools) {
                QTest::keyClick(&window(), Qt::Key(Qt::Key_1 + int(section)), Qt::ControlModifier);
                auto* stack = window().findChild<QStackedWidget*>();
                auto* page = qobject_cast<ToolPage*>(stack->currentWidget());
                page = page ? page : stack->currentWidget()->findChild<ToolPage*>();
                page->setBanner(
                    Banner{text, {QStringLiteral("/tmp/çıktı.pdf")}, Banner::Kind::success});
                const BannerView* banner = page->bannerView();
                const auto* label = banner->findChild<QLabel*>(QStringLiteral("text"));
                // A new child shows from the event loop, and layout passes run from there too; the
                // fitted height asks for a second one.
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

    // At the smallest window, in every language, the sidebar's privacy line and the sign page's
    // subtitle get the height their wrapped lines need and the width of their longest word.
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
        open(AppSection::merge);
        window().resize(window().minimumSizeHint());
        QTest::keyClick(&window(), Qt::Key_4, Qt::ControlModifier);
        QCOMPARE(window().section(), AppSection::sign);
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

    void sidebarClicksAndArrowKeys()
    {
        open(AppSection::sign);
        QTest::mouseClick(rowOf(AppSection::split), Qt::LeftButton);
        QCOMPARE(shownScreen(), QStringLiteral("split"));
        auto* sidebar = Find::named<Sidebar>(&window(), QStringLiteral("sidebar"));
        // A click gives the sidebar the keyboard.
        QVERIFY(sidebar->hasFocus());
        const QList<std::pair<Qt::Key, AppSection>> walk = {{Qt::Key_Down, AppSection::compress},
                                                            {Qt::Key_End, AppSection::history},
                                                            {Qt::Key_Down, AppSection::history},
                                                            {Qt::Key_Up, AppSection::pages},
                                                            {Qt::Key_Home, AppSection::merge},
                                                            {Qt::Key_Up, AppSection::merge}};
        for (const auto& [key, section] : walk) {
            QTest::keyClick(sidebar, key);
            QCOMPARE(window().section(), section);
        }
        QCOMPARE(QSettings().value("section").toString(), QStringLiteral("merge"));
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
        QCOMPARE(sidebar->width(), Sidebar::idealWidth);
        auto* columns = Find::named<QSplitter>(&window(), QStringLiteral("columns"));
        QSplitterHandle* handle = columns->handle(1);
        // Positions on the screen: the handle moves under the pointer as it is dragged.
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
        QCOMPARE(detail->geometry().right(), columns->width() - 1);
        const int dragged = sidebar->width();
        const int wide = columns->width();
        window().resize(window().width() + 100, window().height());
        QTRY_COMPARE(columns->width(), wide + 100);
        QCOMPARE(detail->geometry().right(), columns->width() - 1);
        QCOMPARE(sidebar->width(), dragged);
    }

    void badgesCountEachToolsFiles()
    {
        open(AppSection::history);
        store().addFiles({m_fixture->pdf(QStringLiteral("Alpha.pdf"), 2),
                          m_fixture->pdf(QStringLiteral("Beta.pdf"))},
                         AppSection::merge);
        store().addFiles({m_fixture->pdf(QStringLiteral("Three.pdf"), 3)}, AppSection::split);
        const auto badge = [this](AppSection section) {
            const Badge* shown = rowOf(section)->findChild<Badge*>();
            return shown->isVisible() ? shown->text() : QString();
        };
        QCOMPARE(badge(AppSection::merge), QStringLiteral("2"));
        QCOMPARE(badge(AppSection::split), QStringLiteral("1"));
        QCOMPARE(badge(AppSection::compress), QString());
        store().clear(AppSection::merge);
        QCOMPARE(badge(AppSection::merge), QString());
    }

    // While an added file is opened by the renderer and counted by a worker, the pointer waits.
    void addingShowsABusyPointer()
    {
        open();
        QList<Qt::CursorShape> seen;
        QObject context;
        connect(&store(), &Store::probingChanged, &context, [&seen] {
            const QCursor* cursor = QApplication::overrideCursor();
            seen << (cursor ? cursor->shape() : Qt::ArrowCursor);
        });
        store().addFiles({m_fixture->pdf(QStringLiteral("A.pdf"))}, AppSection::merge);
        QCOMPARE(seen, (QList<Qt::CursorShape>{Qt::BusyCursor, Qt::ArrowCursor, Qt::BusyCursor,
                                               Qt::ArrowCursor}));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void fileMenuActsOnSelectedSection()
    {
        open();
        store().addFiles({m_fixture->pdf(QStringLiteral("Lease.pdf")),
                          m_fixture->pdf(QStringLiteral("Annex.pdf"))},
                         AppSection::merge);
        // With the history selected, "Sonucu kaydet…" has nothing to run and asks nothing.
        AppSections::setCurrent(AppSection::history);
        QTest::keyClick(&window(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_fixture->panels.calls, QStringList());
        AppSections::setCurrent(AppSection::split);
        QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
        AppSections::setCurrent(AppSection::merge);
        QTest::keyClick(&window(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_fixture->panels.calls,
                 (QStringList{"openPDFs(single)", "save(Lease birleşik)"}));
    }

    // A long merge shows how far it has come on its button, which keeps its width and its
    // neighbours' places whatever the percentage. Closing the window mid-run asks first:
    // "Sürdür" keeps the window and the run; Escape then stops the run, nothing is written,
    // recorded or shown, and the focus is back on the run button.
    void longRunShowsProgressAsksBeforeClosingAndCancels()
    {
        HostileFixtures::writeBulky(m_fixture->path("Büyük.pdf"), 40, 1);
        store().addFiles({m_fixture->path("Büyük.pdf"), m_fixture->pdf("Ek.pdf")},
                         AppSection::merge);
        open(AppSection::merge);
        RunButton* run = nullptr;
        for (RunButton* each : window().findChildren<RunButton*>()) {
            run = each->section() == AppSection::merge ? each : run;
        }
        auto* clear = Find::named<QAbstractButton>(run->parentWidget(), QStringLiteral("Temizle"));
        const auto places = [run, clear] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            return QList<QRect>{run->geometry(), clear->geometry()};
        };
        const QRect idle = places().first();
        m_fixture->panels.saveAnswers = {m_fixture->path("Birleşik.pdf")};
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
        QVERIFY(window().isVisible());
        QCOMPARE(store().busy(), std::optional(AppSection::merge));

        QVERIFY(QTest::qWaitForWindowActive(&window()));
        QTest::keyClick(&window(), Qt::Key_Escape);
        QVERIFY(!store().busy());
        QVERIFY(!run->cancelButton()->isVisible());
        QCOMPARE(QApplication::focusWidget(), run);
        QCOMPARE(places().first(), idle);
        QCOMPARE(Fixtures::childProcesses("leaflow-worker"), QList<qint64>{});
        QVERIFY(!QFileInfo::exists(m_fixture->path("Birleşik.pdf")));
        QVERIFY(store().data().history.isEmpty());
        QVERIFY(!store().banner(AppSection::merge));

        // Asked again, "Durdur ve çık" stops the run the same way and lets the window close.
        m_fixture->panels.saveAnswers = {m_fixture->path("Birleşik.pdf")};
        store().run(AppSection::merge);
        QVERIFY(held());
        BoxAnswers::click(QStringLiteral("quit"));
        QVERIFY(window().close());
        QVERIFY(!store().busy());
        QCOMPARE(Fixtures::childProcesses("leaflow-worker"), QList<qint64>{});
        QVERIFY(!QFileInfo::exists(m_fixture->path("Birleşik.pdf")));
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
