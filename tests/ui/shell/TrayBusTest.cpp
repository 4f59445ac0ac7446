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

// The tray over the desktop's own protocol, on the private session bus CTest gives this test:
// the icon registers with the desktop's watcher and the desktop's activation opens the popup;
// without a watcher (and, offscreen, no X tray) there is no tray and the last window quits.
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
            TrayPresence tray(
                store(), main.windows(), [] {}, [] {});
            QVERIFY(tray.start(QSystemTrayIcon::isSystemTrayAvailable()));
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

    void withoutWatcherTheLastWindowQuits()
    {
        MainWindow main(store());
        TrayPresence tray(
            store(), main.windows(), [] {}, [] {});
        QVERIFY(!tray.start(QSystemTrayIcon::isSystemTrayAvailable()));
        main.show();
        QTimer::singleShot(0, &main, &QWidget::close);
        QCOMPARE(QApplication::exec(), 0); // returns only because the application quit
    }
};

QTEST_MAIN(TrayBusTest)
#include "TrayBusTest.moc"
