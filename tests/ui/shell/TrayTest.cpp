#include "AppLanguage.h"
#include "BackgroundNotice.h"
#include "Find.h"
#include "MainWindow.h"
#include "NoticePanel.h"
#include "Preferences.h"
#include "Presence.h"
#include "SettingsWindow.h"
#include "ShellWindows.h"
#include "StoreTestCase.h"
#include "SymbolView.h"
#include "TrayPopup.h"
#include "TrayPresence.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// Staying in the tray: which windows keep the application a windowed one, the notice shown
// when it leaves (once, unless muted, gone by itself), the popup's content, and the words a
// Linux desktop uses for all of it.
class TrayTest : public StoreTestCase {
    Q_OBJECT

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

    void noticeSitsInTheCornerOfTheTray_data()
    {
        QTest::addColumn<QRect>("tray");
        QTest::addColumn<QPoint>("cardCorner");
        QTest::newRow("unknown: top right") << QRect() << QPoint(1000 - 8, 8);
        QTest::newRow("bottom right panel") << QRect(960, 780, 20, 20) << QPoint(1000 - 8, 800 - 8);
        QTest::newRow("top left panel") << QRect(10, 0, 20, 20) << QPoint(8, 8);
    }
    void noticeSitsInTheCornerOfTheTray()
    {
        QFETCH(QRect, tray);
        QFETCH(QPoint, cardCorner);
        const QRect screen(0, 0, 1000, 800);
        const QSize size(354, 150);
        const QRect card = QRect(BackgroundNotice::placement(screen, size, tray), size)
                               .adjusted(NoticePanel::shadowRoom, NoticePanel::shadowRoom,
                                         -NoticePanel::shadowRoom, -NoticePanel::shadowRoom);
        // The card's corner nearest the tray is 8 points from the screen's corner.
        const QPoint corner(cardCorner.x() < 500 ? card.left() : card.right() + 1,
                            cardCorner.y() < 400 ? card.top() : card.bottom() + 1);
        QCOMPARE(corner, cardCorner);
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

    void popupListsTheFourNewestRecords()
    {
        TrayPopup popup(store());
        const auto texts = [&popup] {
            QStringList all;
            for (const QLabel* label : popup.findChildren<QLabel*>()) {
                all << label->text();
            }
            return all;
        };
        QVERIFY(texts().contains("Henüz dosya üretmedin. Bir araç seç ve PDF ekle."));
        addHistory({"merge", "split", "compress", "sign", "pages", "someday", "merge"}, false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QList<QWidget*> rows = popup.findChildren<QWidget*>(QStringLiteral("recentRow"));
        QCOMPARE(rows.size(), TrayPopup::recentCount);
        // Newest first: the last recorded run leads; a tool this version does not know gets "doc".
        QCOMPARE(rows.at(0)->findChild<SymbolView*>()->symbol(),
                 QStringLiteral("arrow.triangle.merge"));
        QCOMPARE(rows.at(1)->findChild<SymbolView*>()->symbol(), QStringLiteral("doc"));
        for (QWidget* row : rows) {
            QVERIFY(!row->findChild<QAbstractButton*>(QStringLiteral("reveal"))->isEnabled());
        }
        addHistory({"compress"}, true);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        rows = popup.findChildren<QWidget*>(QStringLiteral("recentRow"));
        QCOMPARE(rows.size(), 1);
        auto* reveal = rows.at(0)->findChild<QAbstractButton*>(QStringLiteral("reveal"));
        QVERIFY(reveal->isEnabled());
        reveal->click();
        QCOMPARE(m_fixture->reveal.revealed,
                 QList<QStringList>{store().data().history.at(0).outputs});
    }

    void popupButtonsReachTheWindowsAndQuit()
    {
        MainWindow main(store());
        int shown = 0;
        int quits = 0;
        TrayPresence tray(
            store(), main.windows(), [&shown] { ++shown; }, [&quits] { ++quits; });
        QVERIFY(!tray.start(false));
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QVERIFY(tray.start(true));
        QVERIFY(!QApplication::quitOnLastWindowClosed());
        // No window is open: "Çık" still quits.
        tray.openPopup();
        Find::named<QAbstractButton>(tray.popup(), QStringLiteral("Çık"))->click();
        QCOMPARE(quits, 1);
        tray.openPopup();
        Find::named<QAbstractButton>(tray.popup(), QStringLiteral("Sıkıştır"))->click();
        QCOMPARE(shown, 1);
        QCOMPARE(AppSections::current(), AppSection::compress);
        tray.openPopup();
        Find::named<QAbstractButton>(tray.popup(), QStringLiteral("Ayarlar"))->click();
        QVERIFY(main.windows().settings()->isVisible());
        QApplication::setQuitOnLastWindowClosed(true);
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

    void noTextNamesAnotherPlatform_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::newRow("Türkçe") << AppLanguage::tr;
        QTest::newRow("English") << AppLanguage::en;
        QTest::newRow("Español") << AppLanguage::es;
    }
    void noTextNamesAnotherPlatform()
    {
        QFETCH(AppLanguage, language);
        AppLanguages::installTranslator(*QCoreApplication::instance(), language);
        const auto restore = qScopeGuard([] {
            AppLanguages::installTranslator(*QCoreApplication::instance(), AppLanguage::tr);
        });
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
