#include "Badge.h"
#include "MainWindow.h"
#include "Sidebar.h"
#include "SidebarRow.h"
#include "StoreFixture.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

// The main window: sections chosen by shortcut, sidebar, menus and writes made
// elsewhere, remembered across restarts; the sidebar's badges; the File menu's commands.
class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void init() { m_environment->reset(); }

    void controlDigitChoosesSection_data();
    void controlDigitChoosesSection();
    void controlThreeFromHistorySurvivesRestart();
    void sidebarClickChoosesSection();
    void arrowKeysWalkTheSidebar();
    void sectionWrittenElsewhereIsShown();
    void receivedFilesLeaveHistoryForMerge();
    void badgesCountInputs();
    void fileMenuActsOnSelectedSection();
    void minimumSizes();

private:
    static void showActive(MainWindow& window)
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    static QString storedSection() { return QSettings().value(QStringLiteral("section")).toString(); }

    std::unique_ptr<StoreEnvironment> m_environment;
};

void MainWindowTest::controlDigitChoosesSection_data()
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

void MainWindowTest::controlDigitChoosesSection()
{
    QFETCH(int, key);
    QFETCH(AppSection, section);
    // Start from a different section, so the shortcut has something to change.
    const AppSection other = section == AppSection::pages ? AppSection::split : AppSection::pages;
    AppSections::setCurrent(other);
    StoreFixture fixture(*m_environment);
    MainWindow window(*fixture.store);
    showActive(window);
    QCOMPARE(window.section(), other);

    QTest::keyClick(&window, static_cast<Qt::Key>(key), Qt::ControlModifier);

    QCOMPARE(window.section(), section);
    QCOMPARE(window.sidebar()->selected(), section);
    QCOMPARE(window.currentScreen(), window.screen(section));
    QCOMPARE(storedSection(), AppSections::rawValue(section));
    for (AppSection each : AppSections::all) {
        QCOMPARE(window.sidebar()->row(each)->isSelected(), each == section);
    }
}

void MainWindowTest::controlThreeFromHistorySurvivesRestart()
{
    AppSections::setCurrent(AppSection::history);
    StoreFixture fixture(*m_environment);
    {
        MainWindow window(*fixture.store);
        showActive(window);
        QCOMPARE(window.currentScreen(), window.screen(AppSection::history));
        QTest::keyClick(&window, Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(window.section(), AppSection::compress);
        QCOMPARE(window.currentScreen(), window.screen(AppSection::compress));
    }
    QSettings().sync();
    MainWindow restarted(*fixture.store);
    QCOMPARE(restarted.section(), AppSection::compress);
    QCOMPARE(restarted.sidebar()->selected(), AppSection::compress);
    QCOMPARE(restarted.currentScreen(), restarted.screen(AppSection::compress));
}

void MainWindowTest::sidebarClickChoosesSection()
{
    StoreFixture fixture(*m_environment);
    MainWindow window(*fixture.store);
    showActive(window);
    QCOMPARE(window.section(), AppSection::merge);

    QTest::mouseClick(window.sidebar()->row(AppSection::split), Qt::LeftButton);
    QCOMPARE(window.section(), AppSection::split);
    QCOMPARE(storedSection(), QStringLiteral("split"));
    QCOMPARE(window.currentScreen(), window.screen(AppSection::split));

    QTest::mouseClick(window.sidebar()->row(AppSection::history), Qt::LeftButton);
    QCOMPARE(window.section(), AppSection::history);
    QCOMPARE(window.currentScreen(), window.screen(AppSection::history));
    // A click gives the sidebar the keyboard, which it shows by the accent selection.
    QVERIFY(window.sidebar()->hasFocus());
}

void MainWindowTest::arrowKeysWalkTheSidebar()
{
    AppSections::setCurrent(AppSection::sign);
    StoreFixture fixture(*m_environment);
    MainWindow window(*fixture.store);
    showActive(window);
    window.sidebar()->setFocus();

    QTest::keyClick(window.sidebar(), Qt::Key_Down);
    QCOMPARE(window.section(), AppSection::pages);
    QTest::keyClick(window.sidebar(), Qt::Key_Down);
    QCOMPARE(window.section(), AppSection::history);
    QTest::keyClick(window.sidebar(), Qt::Key_Down); // stays on the last row
    QCOMPARE(window.section(), AppSection::history);
    QTest::keyClick(window.sidebar(), Qt::Key_Up);
    QCOMPARE(window.section(), AppSection::pages);
    QTest::keyClick(window.sidebar(), Qt::Key_Home);
    QCOMPARE(window.section(), AppSection::merge);
    QTest::keyClick(window.sidebar(), Qt::Key_Up); // stays on the first row
    QCOMPARE(window.section(), AppSection::merge);
    QCOMPARE(storedSection(), QStringLiteral("merge"));
}

void MainWindowTest::sectionWrittenElsewhereIsShown()
{
    StoreFixture fixture(*m_environment);
    MainWindow window(*fixture.store);
    AppSections::setCurrent(AppSection::pages);
    QCOMPARE(window.section(), AppSection::pages);
    QCOMPARE(window.currentScreen(), window.screen(AppSection::pages));
    window.sectionAction(AppSection::sign)->trigger();
    QCOMPARE(window.section(), AppSection::sign);
    QCOMPARE(storedSection(), QStringLiteral("sign"));
}

void MainWindowTest::receivedFilesLeaveHistoryForMerge()
{
    AppSections::setCurrent(AppSection::history);
    StoreFixture fixture(*m_environment);
    MainWindow window(*fixture.store);
    const QString a = fixture.pdf(QStringLiteral("Alpha.pdf"), 2);

    fixture.store->receive({a});

    QCOMPARE(window.section(), AppSection::merge);
    QCOMPARE(window.currentScreen(), window.screen(AppSection::merge));
    QCOMPARE(fixture.store->mergeFiles().size(), 1);
    QCOMPARE(window.sidebar()->row(AppSection::merge)->count(), 1);
}

void MainWindowTest::badgesCountInputs()
{
    StoreFixture fixture(*m_environment);
    MainWindow window(*fixture.store);
    showActive(window);
    for (AppSection section : AppSections::all) {
        QVERIFY2(!window.sidebar()->row(section)->badge()->isVisible(),
                 qPrintable(AppSections::rawValue(section)));
    }

    fixture.store->addFiles({fixture.pdf(QStringLiteral("One.pdf")),
                             fixture.pdf(QStringLiteral("Two.pdf"))},
                            AppSection::merge);
    fixture.store->addFiles({fixture.pdf(QStringLiteral("Three.pdf"), 3)}, AppSection::split);

    const QMap<AppSection, int> expected = {
        {AppSection::merge, 2},    {AppSection::split, 1}, {AppSection::compress, 0},
        {AppSection::sign, 0},     {AppSection::pages, 0}, {AppSection::history, 0}};
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        SidebarRow* row = window.sidebar()->row(it.key());
        QCOMPARE(row->count(), it.value());
        QCOMPARE(row->badge()->isVisible(), it.value() != 0);
        if (it.value() != 0) {
            QCOMPARE(row->badge()->text(), QString::number(it.value()));
        }
    }

    // A finished run adds history, never a history badge; clearing a tool removes its badge.
    fixture.store->clear(AppSection::merge);
    QCOMPARE(window.sidebar()->row(AppSection::merge)->count(), 0);
    QVERIFY(!window.sidebar()->row(AppSection::merge)->badge()->isVisible());
    QCOMPARE(window.sidebar()->row(AppSection::split)->count(), 1);
}

void MainWindowTest::fileMenuActsOnSelectedSection()
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
    QCOMPARE(fixture.panels.calls.size(), 2);
    QVERIFY2(fixture.panels.calls.last().startsWith(QStringLiteral("save(Lease")),
             qPrintable(fixture.panels.calls.last()));

    QCOMPARE(window.fileMenu()->actions().first()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(window.quitAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QStringList tools;
    for (QAction* action : window.toolsMenu()->actions()) {
        tools << action->text() + QLatin1Char(' ') + action->shortcut().toString();
    }
    QCOMPARE(tools, (QStringList{QStringLiteral("Birleştir Ctrl+1"), QStringLiteral("Böl Ctrl+2"),
                                 QStringLiteral("Sıkıştır Ctrl+3"), QStringLiteral("İmzala Ctrl+4"),
                                 QStringLiteral("Sayfa sil Ctrl+5"),
                                 QStringLiteral("Geçmiş Ctrl+6")}));
}

void MainWindowTest::minimumSizes()
{
    StoreFixture fixture(*m_environment);
    MainWindow window(*fixture.store);
    showActive(window);
    QCOMPARE(window.centralWidget()->size(), MainWindow::defaultSize);

    window.resize(100, 100);
    QTRY_VERIFY(window.centralWidget()->width() >= 760);
    QVERIFY(window.centralWidget()->height() >= 520);
    QVERIFY(window.sidebar()->width() >= Sidebar::minimumWidth);
    QVERIFY(window.sidebar()->width() <= Sidebar::maximumWidth);
    QVERIFY(window.currentScreen()->width() >= MainWindow::detailMinimumWidth);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
