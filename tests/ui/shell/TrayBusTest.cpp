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
// it answers from a thread of its own.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)

public:
    static bool hostRegistered() { return true; }
signals:
    void registered(const QString& service);
public slots:
    void RegisterStatusNotifierItem(const QString& service) { emit registered(service); }
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
        FakeWatcher watcher;
        QThread thread;
        watcher.moveToThread(&thread);
        thread.start();
        const auto stop = qScopeGuard([&thread] {
            QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
            thread.quit();
            thread.wait();
        });
        QStringList items; // filled on this thread: the watcher's signal arrives queued
        connect(&watcher, &FakeWatcher::registered, this,
                [&items](const QString& s) { items << s; });
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
