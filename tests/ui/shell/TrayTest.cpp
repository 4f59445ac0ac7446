#include "Find.h"
#include "StoreTestCase.h"
#include "core/AppLanguage.h"
#include "core/Preferences.h"
#include "store/ToolModel.h"
#include "ui/kit/SymbolView.h"
#include "ui/shell/BackgroundNotice.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/Navigation.h"
#include "ui/shell/NoticePanel.h"
#include "ui/shell/Notifier.h"
#include "ui/shell/Presence.h"
#include "ui/shell/SettingsWindow.h"
#include "ui/shell/ShellWindows.h"
#include "ui/shell/TrayPopup.h"
#include "ui/shell/TrayPresence.h"
#include "ui/shell/TrayWatch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

class RecordedNotifier : public Notifier {
public:
    QStringList summaries;
    void notify(const QString& summary, const QString&, Action) override { summaries << summary; }
};

// Staying in the tray: real windows, the background notice, the popup, the tray coming and going.
class TrayTest : public StoreTestCase {
    Q_OBJECT

    RecordedNotifier m_notifier;

    QList<std::function<void()>> m_scheduled;
    std::unique_ptr<BackgroundNotice> m_notice;
    std::unique_ptr<Presence> m_presence;

    void watch()
    {
        m_scheduled.clear();
        m_notice = std::make_unique<BackgroundNotice>(
            [this](int, std::function<void()> work) { m_scheduled.append(std::move(work)); });
        m_presence = std::make_unique<Presence>(*m_notice);
        m_presence->start();
    }
    static void closeAndSettle(QWidget* window)
    {
        window->close();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
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
    }

    // The notice goes after six seconds or by its buttons; muting it lasts.
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
        if (muted) { // the next launch: a muted notice never shows
            watch();
            m_notice->show();
            QVERIFY(!m_notice->panel());
        }
    }

    // The panel is a window no widget owns: one still shown, or still fading out, goes with
    // the notice instead of outliving it.
    void noticeTakesItsPanelWithIt_data()
    {
        QTest::addColumn<bool>("fading");
        QTest::newRow("shown") << false;
        QTest::newRow("fading out") << true;
    }
    void noticeTakesItsPanelWithIt()
    {
        QFETCH(bool, fading);
        watch();
        m_notice->show();
        QPointer<NoticePanel> panel = m_notice->panel();
        QVERIFY(panel);
        if (fading) {
            m_notice->hide();
            QVERIFY(panel);
        }
        m_presence.reset();
        m_notice.reset();
        QVERIFY(!panel);
    }

    void noticeSitsBesideTheTrayIconOnScreen_data()
    {
        QTest::addColumn<QRect>("icon");
        QTest::newRow("unknown") << QRect();
        QTest::newRow("top panel, right") << QRect(970, 0, 24, 24);
        QTest::newRow("bottom panel, middle") << QRect(490, 776, 24, 24);
        QTest::newRow("left panel") << QRect(0, 400, 24, 24);
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

    // The notice outlasts its six seconds under the pointer; leaving it starts the wait again.
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

    // Each opening shows records as they are now; failed reveals go to the desktop; buttons work.
    void popupListsTheNewestRecordsAndReachesTheWindows()
    {
        MainWindow main(store());
        int shown = 0;
        int quits = 0;
        TrayPresence tray(
            store(), main.windows(), m_notifier, [&shown] { ++shown; }, [&quits] { ++quits; });
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
        QVERIFY(QFile::remove(store().data().history.at(0).outputs.first()));
        QVERIFY(!reveal(open(QStringLiteral("Aç")).at(0))->isEnabled());

        addHistory({"compress"}, true);
        m_fixture->reveal.fails = true;
        reveal(open(QStringLiteral("Aç")).at(0))->click();
        QCOMPARE(m_fixture->reveal.revealed.last(), store().data().history.at(0).outputs);
        QCOMPARE(m_notifier.summaries,
                 QStringList{Store::revealFailure(store().data().history.at(0).outputs)});
        QVERIFY(!store().banner(QStringLiteral("history")));

        QVERIFY(tray.setTrayAvailable(true));
        shown = 0;
        const auto press = [&tray](const QString& name) {
            tray.openPopup();
            Find::named<QAbstractButton>(tray.popup(), name)->click();
        };
        press(QStringLiteral("Çık"));
        QCOMPARE(quits, 1);
        press(QStringLiteral("Sıkıştır"));
        QCOMPARE(shown, 1);
        QCOMPARE(Navigation::current(), QStringLiteral("compress"));
        press(QStringLiteral("Ayarlar"));
        QVERIFY(main.windows().settings()->isVisible());
        QApplication::setQuitOnLastWindowClosed(true);
    }

    // A late tray is used; with none, no notice is promised and closing the last window quits.
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

    // In each language: whole tile titles, Qt's dialogs in it, and no text naming a Mac's parts.
    void wordsInEachLanguage_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QStringList>("fileButtons");
        QTest::newRow("Türkçe") << AppLanguage::tr << QStringList{"&Aç", "İptal"};
        QTest::newRow("English") << AppLanguage::en << QStringList{"&Open", "Cancel"};
        QTest::newRow("Español") << AppLanguage::es << QStringList{"&Abrir", "Cancelar"};
    }
    void wordsInEachLanguage()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QStringList, fileButtons);
        AppLanguages::installTranslator(*QCoreApplication::instance(), language);
        const auto restore = qScopeGuard([] {
            AppLanguages::installTranslator(*QCoreApplication::instance(), AppLanguage::tr);
        });
        addHistory({"merge"}, true);
        MainWindow main(store());
        TrayPresence tray(
            store(), main.windows(), m_notifier, [] {}, [] {});
        // The last test's windows leave the application inactive, which would close a popup.
        QCoreApplication::processEvents();
        tray.openPopup();
        QVERIFY(QTest::qWaitForWindowExposed(tray.popup()));
        for (const ToolModel* tool : store().tools()) {
            auto* tile = Find::named<QAbstractButton>(tray.popup(), tool->title());
            QVERIFY2(tile->width() >= TrayPopup::tileMinimum, qPrintable(tile->text()));
            const QLabel* title = tile->findChild<QLabel*>();
            QVERIFY2(title->fontMetrics().horizontalAdvance(title->text()) <=
                             title->contentsRect().width() &&
                         tile->rect().contains(title->geometry()),
                     qPrintable(title->text()));
        }
        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        QStringList shown;
        for (QAbstractButton* button : files.findChild<QDialogButtonBox*>()->buttons()) {
            shown << button->text();
        }
        QCOMPARE(QSet(shown.begin(), shown.end()), QSet(fileButtons.begin(), fileButtons.end()));

        const QWidget* popup = tray.popup();
        main.windows().showSettings();
        main.windows().showAbout();
        NoticePanel notice;
        QStringList texts;
        for (const QWidget* root : QList<const QWidget*>{&main, popup, &notice}) {
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
