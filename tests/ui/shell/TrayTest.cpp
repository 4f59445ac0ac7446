#include "AppLanguage.h"
#include "BackgroundNotice.h"
#include "Find.h"
#include "MainWindow.h"
#include "NoticePanel.h"
#include "Notifier.h"
#include "Preferences.h"
#include "Presence.h"
#include "SectionText.h"
#include "SettingsWindow.h"
#include "ShellWindows.h"
#include "StoreTestCase.h"
#include "SymbolView.h"
#include "TrayPopup.h"
#include "TrayPresence.h"
#include "TrayWatch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>
#include <QTimer>

// Records what would reach the desktop as notifications.
class RecordedNotifier : public Notifier {
public:
    QStringList summaries;
    void notify(const QString& summary, const QString&, Action) override { summaries << summary; }
};

// Staying in the tray: which windows keep the application a windowed one, the notice shown
// when it leaves (once, unless muted, beside the icon, gone by itself), the popup's content,
// the tray coming and going, and the words a Linux desktop uses for all of it.
class TrayTest : public StoreTestCase {
    Q_OBJECT

    RecordedNotifier m_notifier;

    // The six-second hide, held until the test runs it.
    QList<std::function<void()>> m_scheduled;
    std::unique_ptr<BackgroundNotice> m_notice;
    std::unique_ptr<Presence> m_presence;

    void watch()
    {
        m_scheduled.clear();
        m_notice = std::make_unique<BackgroundNotice>([this](int ms, std::function<void()> work) {
            QCOMPARE(ms, BackgroundNotice::hideAfterMs);
            m_scheduled.append(std::move(work));
        });
        m_presence = std::make_unique<Presence>(*m_notice);
        m_presence->start();
    }
    static void closeAndSettle(QWidget* window)
    {
        window->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    static void languageRows()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::newRow("Türkçe") << AppLanguage::tr;
        QTest::newRow("English") << AppLanguage::en;
        QTest::newRow("Español") << AppLanguage::es;
    }
    // The interface in `language` until the returned guard goes.
    static auto speak(AppLanguage language)
    {
        AppLanguages::installTranslator(*QCoreApplication::instance(), language);
        return qScopeGuard([] {
            AppLanguages::installTranslator(*QCoreApplication::instance(), AppLanguage::tr);
        });
    }
    void addHistory(const QStringList& tools, bool outputsExist)
    {
        AppData data;
        for (const QString& tool : tools) {
            HistoryItem item;
            item.id = QUuid::createUuid();
            item.date = QDateTime::currentDateTimeUtc();
            item.tool = tool;
            item.outputs = {outputsExist ? m_fixture->pdf(tool + QStringLiteral(".pdf"))
                                         : m_fixture->path(QStringLiteral("gone.pdf"))};
            data.recordRun(item);
        }
        store().setData(data);
    }

private slots:
    void cleanup() override
    {
        TrayWatch::shared().start([] { return false; });
        m_notifier.summaries.clear();
        m_presence.reset();
        m_notice.reset();
        StoreTestCase::cleanup();
    }

    void noticeFollowsTheLastRealWindow()
    {
        watch();
        MainWindow main(store());
        main.show();
        main.windows().showSettings();
        SettingsWindow* settings = main.windows().settings();
        // A panel of our own (a tip, the notice) never counts as a window.
        QWidget tipLike(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        tipLike.show();
        // Nor does a message box: it is no place to work in.
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Leaflow"), QStringLiteral("!"));
        box.show();

        closeAndSettle(&main);
        QVERIFY(m_presence->hasWindows());
        QVERIFY(!m_notice->panel());
        closeAndSettle(settings);
        QVERIFY(!m_presence->hasWindows());
        QVERIFY(m_notice->panel() && m_notice->panel()->isVisible());
        QCOMPARE(m_scheduled.size(), 1);

        // Reopening removes the notice at once; its pending hide then finds nothing to do.
        main.show();
        QCoreApplication::processEvents();
        QVERIFY(m_presence->hasWindows());
        QVERIFY(!m_notice->panel());
        m_scheduled.takeFirst()();

        // Once per launch.
        closeAndSettle(&main);
        QVERIFY(!m_presence->hasWindows());
        QVERIFY(!m_notice->panel());
        QVERIFY(m_scheduled.isEmpty());
    }

    void noticeHidesByItselfOrByItsButtons_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("muted");
        QTest::newRow("six seconds pass") << "" << false;
        QTest::newRow("Tamam") << "Tamam" << false;
        QTest::newRow("Bir daha gösterme") << "Bir daha gösterme" << true;
    }
    void noticeHidesByItselfOrByItsButtons()
    {
        QFETCH(QString, action);
        QFETCH(bool, muted);
        watch();
        m_notice->show();
        QPointer<NoticePanel> panel = m_notice->panel();
        QVERIFY(panel);
        QVERIFY(panel->testAttribute(Qt::WA_ShowWithoutActivating));
        if (action.isEmpty()) {
            m_scheduled.takeFirst()();
        } else {
            Find::named<QAbstractButton>(panel, action)->click();
        }
        QVERIFY(!m_notice->panel());
        QTRY_VERIFY(!panel); // faded out, then gone
        QCOMPARE(Preferences::noticeMuted(), muted);
        QCOMPARE(QSettings().value("backgroundNoticeMuted").toBool(), muted);
    }

    void mutedNoticeNeverShows()
    {
        QSettings().setValue("backgroundNoticeMuted", true);
        watch();
        m_notice->show();
        QVERIFY(!m_notice->panel());
        QVERIFY(m_scheduled.isEmpty());
    }

    void noticeSitsBesideTheTrayIconOnScreen_data()
    {
        QTest::addColumn<QRect>("icon");
        QTest::newRow("unknown") << QRect();
        QTest::newRow("top panel, right") << QRect(970, 0, 24, 24);
        QTest::newRow("top panel, left") << QRect(4, 0, 24, 24);
        QTest::newRow("bottom panel, right") << QRect(976, 776, 24, 24);
        QTest::newRow("bottom panel, middle") << QRect(490, 776, 24, 24);
        QTest::newRow("left panel") << QRect(0, 400, 24, 24);
        QTest::newRow("right panel, low") << QRect(976, 770, 24, 24);
        QTest::newRow("reserved top panel") << QRect(970, -24, 24, 24);
    }
    void noticeSitsBesideTheTrayIconOnScreen()
    {
        QFETCH(QRect, icon);
        const QRect screen(0, 0, 1000, 800);
        const QSize size(354, 150);
        const QRect notice(BackgroundNotice::placement(screen, size, icon), size);
        QVERIFY(screen.contains(notice));
        if (icon.isEmpty()) {
            QCOMPARE(notice.topRight(), screen.topRight());
        } else {
            QVERIFY(!notice.intersects(icon));
            QVERIFY(notice.adjusted(-1, -1, 1, 1).intersects(icon)); // right beside it
        }
    }

    // Six seconds pass while the pointer rests on the notice: it stays; leaving it starts
    // the wait again.
    void noticeStaysWhileThePointerIsOnIt()
    {
        watch();
        m_notice->show();
        NoticePanel* panel = m_notice->panel();
        QVERIFY(QTest::qWaitForWindowExposed(panel));
        QCursor::setPos(panel->geometry().center());
        QTRY_VERIFY(panel->hovered());
        m_scheduled.takeFirst()();
        QCOMPARE(m_notice->panel(), panel);
        QCursor::setPos(panel->geometry().bottomLeft() + QPoint(-40, 40));
        QTRY_COMPARE(m_scheduled.size(), 1);
        m_scheduled.takeFirst()();
        QVERIFY(!m_notice->panel());
    }

    void popupPlacesItselfOnScreen_data()
    {
        QTest::addColumn<QRect>("icon");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("icon at the top edge")
            << QRect(900, 0, 24, 24) << QPoint() << QPoint(1000 - 320, 28);
        QTest::newRow("icon at the bottom edge")
            << QRect(100, 776, 24, 24) << QPoint() << QPoint(0, 776 - 4 - 400);
        QTest::newRow("no icon geometry, pointer bottom left")
            << QRect() << QPoint(30, 790) << QPoint(4, 800 - 400 - 4);
    }
    void popupPlacesItselfOnScreen()
    {
        QFETCH(QRect, icon);
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, place);
        QCOMPARE(TrayPresence::popupPlace(QRect(0, 0, 1000, 800), QSize(320, 400), icon, pointer),
                 place);
    }

    // Each opening shows the records as they are now; a reveal that finds no file manager is
    // told through the desktop, not on the history page behind a closed window.
    void popupListsTheFourNewestRecordsAsTheyAreNow()
    {
        MainWindow main(store());
        TrayPresence tray(
            store(), main.windows(), m_notifier, [] {}, [] {});
        const auto open = [&tray](const QString& button = QString()) {
            if (!button.isEmpty()) {
                Find::named<QAbstractButton>(tray.popup(), button)->click();
            }
            tray.openPopup();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return tray.popup()->findChildren<QWidget*>(QStringLiteral("recentRow"));
        };
        const auto reveal = [](QWidget* row) {
            return row->findChild<QAbstractButton*>(QStringLiteral("reveal"));
        };
        QVERIFY(open().isEmpty());
        const QList<QLabel*> labels = tray.popup()->findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
            return label->text() == "Henüz dosya üretmedin. Bir araç seç ve PDF ekle.";
        }));
        addHistory({"merge", "split", "compress", "sign", "pages", "someday", "merge"}, false);
        QList<QWidget*> rows = open(QStringLiteral("Aç"));
        QCOMPARE(rows.size(), TrayPopup::recentCount);
        // Newest first: the last recorded run leads; a tool this version does not know gets "doc".
        QCOMPARE(rows.at(0)->findChild<SymbolView*>()->symbol(),
                 QStringLiteral("arrow.triangle.merge"));
        QCOMPARE(rows.at(1)->findChild<SymbolView*>()->symbol(), QStringLiteral("doc"));
        for (QWidget* row : rows) {
            QVERIFY(!reveal(row)->isEnabled());
        }
        addHistory({"compress"}, true);
        QVERIFY(reveal(open(QStringLiteral("Aç")).at(0))->isEnabled());
        const QStringList outputs = store().data().history.at(0).outputs;
        QVERIFY(QFile::remove(outputs.first()));
        QVERIFY(!reveal(open(QStringLiteral("Aç")).at(0))->isEnabled());

        addHistory({"compress"}, true);
        m_fixture->reveal.fails = true;
        reveal(open(QStringLiteral("Aç")).at(0))->click();
        QCOMPARE(m_fixture->reveal.revealed.last(), store().data().history.at(0).outputs);
        QCOMPARE(m_notifier.summaries,
                 QStringList{Store::revealFailure(store().data().history.at(0).outputs)});
        QVERIFY(!store().banner(AppSection::history));
    }

    // Measured as the tray shows it: every tile at least 86 points wide and every title whole,
    // in each language.
    void popupTilesHoldTheirTitles_data() { languageRows(); }
    void popupTilesHoldTheirTitles()
    {
        QFETCH(AppLanguage, language);
        const auto restore = speak(language);
        MainWindow main(store());
        TrayPresence tray(
            store(), main.windows(), m_notifier, [] {}, [] {});
        // The last test's windows leave the application inactive, which would close a popup.
        QCoreApplication::processEvents();
        tray.openPopup();
        QVERIFY(QTest::qWaitForWindowExposed(tray.popup()));
        for (AppSection section : AppSections::tools) {
            auto* tile = Find::named<QAbstractButton>(tray.popup(), SectionText::title(section));
            QVERIFY(tile);
            QVERIFY2(tile->width() >= TrayPopup::tileMinimum, qPrintable(tile->text()));
            const QLabel* title = tile->findChild<QLabel*>();
            QVERIFY2(title->fontMetrics().horizontalAdvance(title->text()) <=
                             title->contentsRect().width() &&
                         tile->rect().contains(title->geometry()),
                     qPrintable(title->text()));
        }
    }

    void popupButtonsReachTheWindowsAndQuit()
    {
        MainWindow main(store());
        int shown = 0;
        int quits = 0;
        TrayPresence tray(
            store(), main.windows(), m_notifier, [&shown] { ++shown; }, [&quits] { ++quits; });
        QVERIFY(tray.setTrayAvailable(true));
        const auto press = [&tray](const QString& name) {
            tray.openPopup();
            Find::named<QAbstractButton>(tray.popup(), name)->click();
        };
        press(QStringLiteral("Çık")); // no window is open: it still quits
        QCOMPARE(quits, 1);
        press(QStringLiteral("Sıkıştır"));
        QCOMPARE(shown, 1);
        QCOMPARE(AppSections::current(), AppSection::compress);
        press(QStringLiteral("Ayarlar"));
        QVERIFY(main.windows().settings()->isVisible());
        QApplication::setQuitOnLastWindowClosed(true);
    }

    // A tray that appears later is used; where there is none the settings promise no notice,
    // a window closed into a tray that goes comes back, and closing the window quits.
    void closingFollowsTheTrayComingAndGoing()
    {
        Preferences::setNoticeMuted(true);
        bool available = false;
        TrayWatch& watch = TrayWatch::shared();
        watch.start([&available] { return available; });
        MainWindow main(store());
        TrayPresence tray(
            store(), main.windows(), m_notifier, [&main] { main.show(); }, [] {});
        tray.follow(watch);
        main.show();
        main.windows().showSettings();
        SettingsWindow* settings = main.windows().settings();
        const auto noticeShown = [settings] {
            return Find::named<QCheckBox>(settings, "noticeToggle")->isVisibleTo(settings);
        };
        QVERIFY(!noticeShown());
        QVERIFY(QApplication::quitOnLastWindowClosed() && !tray.icon());

        available = true;
        watch.recheck();
        QVERIFY(noticeShown());
        QVERIFY(!QApplication::quitOnLastWindowClosed() && tray.icon());
        closeAndSettle(settings);
        closeAndSettle(&main);
        QVERIFY(!main.isVisible());

        available = false;
        watch.recheck();
        QVERIFY(main.isVisible() && !tray.icon());
        QTimer::singleShot(0, &main, &QWidget::close);
        QCOMPARE(QApplication::exec(), 0); // returns only because the application quit
    }

    // The popup names the busy tool; closing the window while the tray keeps the application
    // asks nothing and the run finishes and is recorded.
    void runGoesOnWhenTheWindowClosesIntoTheTray()
    {
        store().addFiles({m_fixture->imagePdf(QStringLiteral("Tarama.pdf"))}, AppSection::compress);
        MainWindow main(store());
        main.show();
        QApplication::setQuitOnLastWindowClosed(false);
        const auto restore = qScopeGuard([] { QApplication::setQuitOnLastWindowClosed(true); });
        m_fixture->panels.saveAnswers = {m_fixture->path(QStringLiteral("Küçük.pdf"))};
        store().run(AppSection::compress);
        QCOMPARE(store().busy(), std::optional(AppSection::compress));
        TrayPopup popup(store());
        QCOMPARE(Find::named<QLabel>(&popup, QStringLiteral("busyTitle"))->text(),
                 QStringLiteral("Sıkıştır"));
        bool asked = false;
        QTimer::singleShot(0, [&asked] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                box->findChild<QAbstractButton*>(QStringLiteral("keep"))->click();
            }
        });
        QVERIFY(main.close());
        QVERIFY(!asked);
        QTRY_VERIFY_WITH_TIMEOUT(!store().busy(), 60000);
        QCOMPARE(store().data().history.size(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Find::named<QLabel>(&popup, QStringLiteral("busyTitle")));
    }

    void noTextNamesAnotherPlatform_data() { languageRows(); }
    void noTextNamesAnotherPlatform()
    {
        QFETCH(AppLanguage, language);
        const auto restore = speak(language);
        MainWindow main(store());
        main.windows().showSettings();
        main.windows().showAbout();
        TrayPopup popup(store());
        addHistory({"merge"}, true);
        NoticePanel notice;
        QStringList texts;
        for (const QWidget* root : QList<const QWidget*>{&main, &popup, &notice}) {
            for (const QWidget* widget : root->findChildren<QWidget*>()) {
                texts << widget->toolTip() << widget->accessibleName() << widget->windowTitle();
                if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                    texts << label->text();
                } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                    texts << button->text();
                }
            }
        }
        for (const QAction* action : main.findChildren<QAction*>()) {
            texts << action->text();
        }
        const QRegularExpression platform(
            QStringLiteral("\\bMac\\b|Finder|Dock|menü çubuğu|menu bar|barra de menús"));
        for (const QString& text : texts) {
            QVERIFY2(!platform.match(text).hasMatch(), qPrintable(text));
        }
        QVERIFY(texts.size() > 100);
    }
};

QTEST_MAIN(TrayTest)
#include "TrayTest.moc"
