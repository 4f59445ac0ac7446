#include "Badge.h"
#include "Find.h"
#include "MainWindow.h"
#include "SectionText.h"
#include "Sidebar.h"
#include "SidebarRow.h"
#include "StoreFixture.h"

#include <QDialog>
#include <QLabel>
#include <QSettings>
#include <QStackedWidget>
#include <QTest>

namespace {

void showActive(MainWindow& window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

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

} // namespace

// The main window: sections chosen by shortcut, sidebar and writes made elsewhere, remembered
// across restarts; the sidebar's badges; the File menu; the brand header's buttons.
class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StoreEnvironment> m_environment;

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void init() { m_environment->reset(); }

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
        const AppSection other = section == AppSection::pages ? AppSection::split : AppSection::pages;
        AppSections::setCurrent(other);
        StoreFixture fixture(*m_environment);
        MainWindow window(*fixture.store);
        showActive(window);
        QCOMPARE(shownScreen(window), AppSections::rawValue(other));

        QTest::keyClick(&window, static_cast<Qt::Key>(key), Qt::ControlModifier);
        QCOMPARE(window.section(), section);
        QCOMPARE(shownScreen(window), AppSections::rawValue(section));
        QCOMPARE(storedSection(), AppSections::rawValue(section));
        for (AppSection each : AppSections::all) {
            QCOMPARE(rowOf(window, each)->isSelected(), each == section);
        }
    }

    void sectionSurvivesARestart()
    {
        StoreFixture fixture(*m_environment);
        {
            MainWindow window(*fixture.store);
            // A section chosen elsewhere (a menu, a received file) is shown too.
            AppSections::setCurrent(AppSection::history);
            QCOMPARE(shownScreen(window), QStringLiteral("history"));
            showActive(window);
            QTest::keyClick(&window, Qt::Key_3, Qt::ControlModifier);
        }
        QSettings().sync();
        MainWindow restarted(*fixture.store);
        QCOMPARE(restarted.section(), AppSection::compress);
        QCOMPARE(shownScreen(restarted), QStringLiteral("compress"));
    }

    void sidebarClicksAndArrowKeys()
    {
        AppSections::setCurrent(AppSection::sign);
        StoreFixture fixture(*m_environment);
        MainWindow window(*fixture.store);
        showActive(window);
        QTest::mouseClick(rowOf(window, AppSection::split), Qt::LeftButton);
        QCOMPARE(shownScreen(window), QStringLiteral("split"));
        QCOMPARE(storedSection(), QStringLiteral("split"));
        auto* sidebar = Find::named<Sidebar>(&window, QStringLiteral("sidebar"));
        // A click gives the sidebar the keyboard.
        QVERIFY(sidebar->hasFocus());

        const QList<std::pair<Qt::Key, AppSection>> walk = {
            {Qt::Key_Down, AppSection::compress}, {Qt::Key_Down, AppSection::sign},
            {Qt::Key_Down, AppSection::pages},    {Qt::Key_Down, AppSection::history},
            {Qt::Key_Down, AppSection::history},  {Qt::Key_Up, AppSection::pages},
            {Qt::Key_Home, AppSection::merge},    {Qt::Key_Up, AppSection::merge}};
        for (const auto& [key, section] : walk) {
            QTest::keyClick(sidebar, key);
            QCOMPARE(window.section(), section);
        }
        QCOMPARE(storedSection(), QStringLiteral("merge"));
    }

    void receivedFilesLeaveHistoryForMerge()
    {
        AppSections::setCurrent(AppSection::history);
        StoreFixture fixture(*m_environment);
        MainWindow window(*fixture.store);
        fixture.store->receive({fixture.pdf(QStringLiteral("Alpha.pdf"), 2)});
        QCOMPARE(shownScreen(window), QStringLiteral("merge"));
        QCOMPARE(fixture.store->mergeFiles().size(), 1);
    }

    void badgesCountInputs()
    {
        StoreFixture fixture(*m_environment);
        MainWindow window(*fixture.store);
        showActive(window);
        fixture.store->addFiles({fixture.pdf(QStringLiteral("One.pdf")),
                                 fixture.pdf(QStringLiteral("Two.pdf"))},
                                AppSection::merge);
        fixture.store->addFiles({fixture.pdf(QStringLiteral("Three.pdf"), 3)}, AppSection::split);
        const QMap<AppSection, int> expected = {
            {AppSection::merge, 2}, {AppSection::split, 1}, {AppSection::compress, 0},
            {AppSection::sign, 0},  {AppSection::pages, 0}, {AppSection::history, 0}};
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            auto* badge = rowOf(window, it.key())->findChild<Badge*>();
            QCOMPARE(badge->isVisible(), it.value() != 0);
            if (it.value() != 0) {
                QCOMPARE(badge->text(), QString::number(it.value()));
            }
        }
        fixture.store->clear(AppSection::merge);
        QVERIFY(!rowOf(window, AppSection::merge)->findChild<Badge*>()->isVisible());
    }

    void fileMenuActsOnSelectedSection()
    {
        StoreFixture fixture(*m_environment);
        MainWindow window(*fixture.store);
        showActive(window);
        fixture.store->addFiles({fixture.pdf(QStringLiteral("Lease.pdf")),
                                 fixture.pdf(QStringLiteral("Annex.pdf"))},
                                AppSection::merge);
        // With the history selected, "Sonucu kaydet…" has nothing to run and asks nothing.
        AppSections::setCurrent(AppSection::history);
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(fixture.panels.calls, QStringList());
        AppSections::setCurrent(AppSection::split);
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(fixture.panels.calls, QStringList{QStringLiteral("openPDFs(single)")});
        AppSections::setCurrent(AppSection::merge);
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(fixture.panels.calls.value(1), QStringLiteral("save(Lease birleşik)"));
    }

    void minimumSizes()
    {
        StoreFixture fixture(*m_environment);
        MainWindow window(*fixture.store);
        showActive(window);
        QCOMPARE(window.centralWidget()->size(), MainWindow::defaultSize);
        window.resize(100, 100);
        QTRY_VERIFY(window.centralWidget()->width() >= MainWindow::minimumContentSize.width());
        QVERIFY(window.centralWidget()->height() >= MainWindow::minimumContentSize.height());
        QVERIFY(Find::named(&window, QStringLiteral("sidebar"))->width() >= Sidebar::minimumWidth);
        QVERIFY(window.findChild<QStackedWidget*>()->width() >= MainWindow::detailMinimumWidth);
    }

    void brandHeaderButtonsOpenPlaceholders_data()
    {
        QTest::addColumn<QString>("button"); // accessible name, or a shortcut
        QTest::addColumn<QString>("dialog");
        QTest::newRow("the mark") << QStringLiteral("Leaflow") << QStringLiteral("about");
        QTest::newRow("the gear") << QStringLiteral("Ayarlar") << QStringLiteral("settings");
        QTest::newRow("Ctrl+,") << QString() << QStringLiteral("settings");
    }
    void brandHeaderButtonsOpenPlaceholders()
    {
        QFETCH(QString, button);
        QFETCH(QString, dialog);
        StoreFixture fixture(*m_environment);
        MainWindow window(*fixture.store);
        showActive(window);
        if (button.isEmpty()) {
            QTest::keyClick(&window, Qt::Key_Comma, Qt::ControlModifier);
        } else {
            QTest::mouseClick(Find::named<QAbstractButton>(&window, button), Qt::LeftButton);
        }
        QDialog* shown = nullptr;
        QTRY_VERIFY((shown = Find::named<QDialog>(&window, dialog)) && shown->isVisible());
        QCOMPARE(shown->parentWidget(), &window);
        QVERIFY(Find::named<QLabel>(shown, QStringLiteral("name"))
                    ->text()
                    .startsWith(QStringLiteral("Leaflow")));
        shown->accept();
        QTRY_VERIFY(!Find::named<QDialog>(&window, dialog)); // gone, not just hidden
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
