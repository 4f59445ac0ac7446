#include "AppSection.h"
#include "DesktopNotifier.h"
#include "MainWindow.h"
#include "StoreTestCase.h"
#include "TrayPopup.h"
#include "TrayPresence.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QScopeGuard>
#include <QSystemTrayIcon>
#include <QTest>
#include <QThread>
#include <QTimer>

// Stands in for the desktop's tray. Qt asks it questions while the asking thread waits, so
// it answers from a thread of its own and hands each registration to the main thread.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    QObject* m_inbox; // on the main thread; a call still queued for it dies with it
    QStringList* m_registered;

public:
    FakeWatcher(QObject* inbox, QStringList* registered) : m_inbox(inbox), m_registered(registered)
    {
    }
    static bool hostRegistered() { return true; }
public slots:
    void RegisterStatusNotifierItem(const QString& service)
    {
        QMetaObject::invokeMethod(m_inbox, [list = m_registered, service] { *list << service; });
    }
};

// Stands in for the desktop's notification service; answers on the main thread, since the
// application only ever calls it without waiting.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QList<QVariantList> calls; // application, icon, summary, actions
public slots:
    uint Notify(const QString& application, uint, const QString& icon, const QString& summary,
                const QString&, const QStringList& actions, const QVariantMap&, int)
    {
        calls << QVariantList{application, icon, summary, actions};
        return static_cast<uint>(calls.size());
    }
};

// The tray over the desktop's own protocol, on the private session bus CTest gives this test:
// the icon registers with the desktop's watcher and the desktop's activation opens the popup;
// a run that ends while the window is closed is told by a desktop notification whose action
// shows the result's page; without a watcher (and, offscreen, no X tray) there is no tray and the
// last window quits.
class TrayBusTest : public StoreTestCase {
    Q_OBJECT

private slots:
    // First: Qt looks for the desktop's tray once per process.
    void desktopActivatesTheRegisteredIcon()
    {
        QDBusConnection desktop =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("desktop"));
        QStringList items;
        QObject inbox;
        FakeWatcher watcher(&inbox, &items);
        QThread thread;
        watcher.moveToThread(&thread);
        thread.start();
        const auto stop = qScopeGuard([&thread] {
            QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
            thread.quit();
            thread.wait();
        });
        QVERIFY(desktop.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                                       QDBusConnection::ExportAllSlots |
                                           QDBusConnection::ExportAllProperties));
        // Fails on a desktop's real bus rather than putting an icon in its tray.
        QVERIFY(desktop.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
        {
            MainWindow main(store());
            DesktopNotifier notifier;
            TrayPresence tray(
                store(), main.windows(), notifier, [] {}, [] {});
            QVERIFY(tray.setTrayAvailable(QSystemTrayIcon::isSystemTrayAvailable()));
            QTRY_COMPARE(items.size(), 1);
            QVERIFY(!tray.popup());
            desktop.send(
                QDBusMessage::createMethodCall(items.first(), QStringLiteral("/StatusNotifierItem"),
                                               QStringLiteral("org.kde.StatusNotifierItem"),
                                               QStringLiteral("Activate"))
                << 0 << 0);
            QTRY_VERIFY(tray.popup() && tray.popup()->isVisible());
        }
        QVERIFY(desktop.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    }

    void runEndingUnseenIsNotified()
    {
        QDBusConnection desktop = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                                QStringLiteral("notifications"));
        const auto stop = qScopeGuard(
            [] { QDBusConnection::disconnectFromBus(QStringLiteral("notifications")); });
        FakeNotifications service;
        QVERIFY(desktop.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(desktop.registerService(QStringLiteral("org.freedesktop.Notifications")));
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Leaflow"));
        QGuiApplication::setDesktopFileName(QStringLiteral("leaflow"));
        MainWindow main(store());
        DesktopNotifier notifier;
        TrayPresence tray(
            store(), main.windows(), notifier, [&main] { main.show(); }, [] {});
        store().addFiles({m_fixture->pdf(QStringLiteral("a.pdf")),
                          m_fixture->pdf(QStringLiteral("b.pdf"))},
                         AppSection::merge);
        m_fixture->panels.saveAnswers = {m_fixture->path(QStringLiteral("Birleşik.pdf"))};
        store().run(AppSection::merge);
        AppSections::setCurrent(AppSection::split);
        QTRY_COMPARE_WITH_TIMEOUT(service.calls.size(), 1, 60000);
        QCOMPARE(service.calls.first(),
                 (QVariantList{"Leaflow", "leaflow", store().banner(AppSection::merge)->text,
                               QStringList{"default", "Göster"}}));
        QVERIFY(!main.isVisible());
        desktop.send(QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                QStringLiteral("org.freedesktop.Notifications"),
                                                QStringLiteral("ActionInvoked"))
                     << 1U << QStringLiteral("default"));
        QTRY_VERIFY(main.isVisible());
        QCOMPARE(AppSections::current(), AppSection::merge);
    }

    void withoutWatcherTheLastWindowQuits()
    {
        MainWindow main(store());
        DesktopNotifier notifier;
        TrayPresence tray(
            store(), main.windows(), notifier, [] {}, [] {});
        QVERIFY(!tray.setTrayAvailable(QSystemTrayIcon::isSystemTrayAvailable()));
        main.show();
        QTimer::singleShot(0, &main, &QWidget::close);
        QCOMPARE(QApplication::exec(), 0); // returns only because the application quit
    }
};

QTEST_MAIN(TrayBusTest)
#include "TrayBusTest.moc"
