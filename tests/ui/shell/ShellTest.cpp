#include "Badge.h"
#include "Find.h"
#include "MainWindow.h"
#include "SectionText.h"
#include "Sidebar.h"
#include "SidebarRow.h"
#include "SignCanvas.h"
#include "SignatureCard.h"
#include "SignaturePanel.h"
#include "StoreFixture.h"
#include "WindowPresenter.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSettings>
#include <QStackedWidget>
#include <QTest>

namespace {

// The raw value of the section whose screen is showing.
QString shownScreen(const MainWindow& window)
{
    return window.findChild<QStackedWidget*>()->currentWidget()->objectName();
}

SidebarRow* rowOf(const MainWindow& window, AppSection section)
{
    return Find::named<SidebarRow>(&window, SectionText::title(section));
}

QString storedSection()
{
    return QSettings().value(QStringLiteral("section")).toString();
}

// Holds what the presenter asked to run later, instead of a real timer.
struct ScriptedClock {
    QList<int> delays;
    QList<std::function<void()>> work;
    WindowPresenter::Schedule schedule()
    {
        return [this](int ms, std::function<void()> job) {
            delays.append(ms);
            work.append(std::move(job));
        };
    }
    void elapse()
    {
        for (const auto& job : std::exchange(work, {})) {
            job();
        }
    }
};

} // namespace

// The main window over a real Store: sections chosen by shortcut, sidebar and writes made
// elsewhere, remembered across restarts; badges; the File menu; the brand header's buttons; and
// bringing the window forward when files arrive from outside.
class ShellTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<MainWindow> m_window;

    Store& store() { return *m_fixture->store; }
    MainWindow& window() { return *m_window; }
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

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void init()
    {
        m_environment->reset();
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
    }
    void cleanup()
    {
        m_window.reset();
        m_fixture.reset();
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
        QCOMPARE(shownScreen(window()), AppSections::rawValue(other));
        QTest::keyClick(&window(), static_cast<Qt::Key>(key), Qt::ControlModifier);
        QCOMPARE(window().section(), section);
        QCOMPARE(shownScreen(window()), AppSections::rawValue(section));
        QCOMPARE(storedSection(), AppSections::rawValue(section));
        for (AppSection each : AppSections::all) {
            QCOMPARE(rowOf(window(), each)->isSelected(), each == section);
        }
        // And it survives a restart.
        m_window.reset();
        QSettings().sync();
        QCOMPARE(MainWindow(store()).section(), section);
    }

    void sidebarClicksAndArrowKeys()
    {
        open(AppSection::sign);
        QTest::mouseClick(rowOf(window(), AppSection::split), Qt::LeftButton);
        QCOMPARE(shownScreen(window()), QStringLiteral("split"));
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
        QCOMPARE(storedSection(), QStringLiteral("merge"));
    }

    // Placing a signature from the library hands the keyboard to the page: the arrow keys nudge
    // the new placement, and the sidebar, which had the keyboard before, keeps its section.
    void placedSignatureTakesTheArrowKeys()
    {
        AppData data = store().data();
        data.signatures.append(SavedSignature{QUuid::createUuid(), QStringLiteral("İmza"),
                                              QList<Stroke>{{QPointF(0.1, 0.5), QPointF(0.9, 0.5)}},
                                              0.05, InkColor::black, std::nullopt, 4});
        store().setData(data);
        open(AppSection::pages);
        QTest::mouseClick(rowOf(window(), AppSection::sign), Qt::LeftButton);
        QVERIFY(Find::named<Sidebar>(&window(), QStringLiteral("sidebar"))->hasFocus());
        store().addFiles({m_fixture->pdf(QStringLiteral("Sözleşme.pdf"))}, AppSection::sign);
        auto* panel = window().findChild<SignaturePanel*>();
        QTest::mouseClick(panel->cards().value(0)->findChild<SignaturePreview*>(), Qt::LeftButton);
        QCOMPARE(store().placements().size(), 1);
        const QRectF placed = store().placements().first().rect;
        const QSizeF page = window().findChild<SignCanvas*>()->pageFrame().size();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(window().section(), AppSection::sign);
        const QRectF moved = store().placements().first().rect;
        QVERIFY(qAbs((moved.y() - placed.y()) * page.height() - SignCanvas::bigNudge) < 1e-6);
        QVERIFY(qAbs((placed.x() - moved.x()) * page.width() - SignCanvas::nudge) < 1e-6);
    }

    void receivedFilesGoToMergeAndBadgesCountThem()
    {
        open(AppSection::history);
        store().receive({m_fixture->pdf(QStringLiteral("Alpha.pdf"), 2),
                         m_fixture->pdf(QStringLiteral("Beta.pdf"))});
        QCOMPARE(shownScreen(window()), QStringLiteral("merge"));
        store().addFiles({m_fixture->pdf(QStringLiteral("Three.pdf"), 3)}, AppSection::split);
        const QMap<AppSection, int> expected = {{AppSection::merge, 2},
                                                {AppSection::split, 1},
                                                {AppSection::compress, 0}};
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            auto* badge = rowOf(window(), it.key())->findChild<Badge*>();
            QCOMPARE(badge->isVisible(), it.value() != 0);
            QCOMPARE(badge->isVisible() ? badge->text() : QString("0"),
                     QString::number(it.value()));
        }
        store().clear(AppSection::merge);
        QVERIFY(!rowOf(window(), AppSection::merge)->findChild<Badge*>()->isVisible());
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

    void shrinkingStopsAtTheMinimum()
    {
        open();
        QCOMPARE(window().centralWidget()->size(), MainWindow::defaultSize);
        window().resize(100, 100);
        QTRY_VERIFY(window().centralWidget()->width() >= MainWindow::minimumContentSize.width());
        QVERIFY(window().centralWidget()->height() >= MainWindow::minimumContentSize.height());
        QVERIFY(window().findChild<QStackedWidget*>()->width() >= MainWindow::detailMinimumWidth);
    }

    void brandHeaderButtonsOpenPlaceholders_data()
    {
        QTest::addColumn<QString>("button"); // accessible name, or empty for Ctrl+,
        QTest::addColumn<QString>("dialog");
        QTest::newRow("the mark") << QStringLiteral("Leaflow") << QStringLiteral("about");
        QTest::newRow("the gear") << QStringLiteral("Ayarlar") << QStringLiteral("settings");
        QTest::newRow("Ctrl+,") << QString() << QStringLiteral("settings");
    }
    void brandHeaderButtonsOpenPlaceholders()
    {
        QFETCH(QString, button);
        QFETCH(QString, dialog);
        open();
        if (button.isEmpty()) {
            QTest::keyClick(&window(), Qt::Key_Comma, Qt::ControlModifier);
        } else {
            QTest::mouseClick(Find::named<QAbstractButton>(&window(), button), Qt::LeftButton);
        }
        QDialog* shown = nullptr;
        QTRY_VERIFY((shown = Find::named<QDialog>(&window(), dialog)) && shown->isVisible());
        QVERIFY(Find::named<QLabel>(shown, QStringLiteral("name"))
                    ->text()
                    .startsWith(QStringLiteral("Leaflow")));
        shown->accept();
        QTRY_VERIFY(!Find::named<QDialog>(&window(), dialog)); // gone, not just hidden
    }

    void presenterRaisesAVisibleOrMinimisedWindowAtOnce()
    {
        ScriptedClock clock;
        WindowPresenter presenter(clock.schedule());
        QWidget shown;
        presenter.setWindow(&shown);
        shown.showMinimized();
        presenter.showForExternalEvent();
        presenter.showForExternalEvent();
        QVERIFY(clock.delays.isEmpty());
        QVERIFY(!shown.isMinimized() && shown.isVisible());
        QTRY_VERIFY(shown.isActiveWindow());
    }

    // A hidden window reopens after one delay however many opens arrive, and then allows the next.
    void presenterReopensAHiddenWindowOnce()
    {
        ScriptedClock clock;
        WindowPresenter presenter(clock.schedule());
        QWidget hidden;
        presenter.setWindow(&hidden);
        presenter.showForExternalEvent();
        presenter.showForExternalEvent();
        QCOMPARE(clock.delays, QList<int>{1000});
        QVERIFY(!hidden.isVisible());
        clock.elapse();
        QVERIFY(hidden.isVisible() && !presenter.waiting());
        hidden.hide();
        presenter.showForExternalEvent();
        QCOMPARE(clock.delays.size(), 2);
        clock.elapse();
        QVERIFY(hidden.isVisible());
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
