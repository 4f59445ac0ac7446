#include "Find.h"
#include "StoreTestCase.h"
#include "ui/shell/DesktopNotifier.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/Navigation.h"
#include "ui/shell/TrayPopup.h"
#include "ui/shell/TrayPresence.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QLabel>
#include <QMessageBox>
#include <QScopeGuard>
#include <QSystemTrayIcon>
#include <QTest>
#include <QThread>
#include <QTimer>

// The desktop's tray; Qt waits on its answers, so it answers from a thread of its own.
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

// The desktop's notification service; the application never waits on it.
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

// The tray and notifications over the desktop's own protocols, on a private session bus.
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
        MainWindow main(store());
        DesktopNotifier notifier;
        TrayPresence tray(
            store(), main.windows(), notifier, [] {}, [] {});
        QVERIFY(tray.setTrayAvailable(QSystemTrayIcon::isSystemTrayAvailable()));
        QTRY_COMPARE(items.size(), 1);
        QVERIFY(!tray.popup());
        desktop.send(QDBusMessage::createMethodCall(items.first(),
                                                    QStringLiteral("/StatusNotifierItem"),
                                                    QStringLiteral("org.kde.StatusNotifierItem"),
                                                    QStringLiteral("Activate"))
                     << 0 << 0);
        QTRY_VERIFY(tray.popup() && tray.popup()->isVisible());
    }

    // Closing into the tray mid-run asks nothing; its unseen end is notified, the action shows it.
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
                         store().tool<MergeTool>());
        main.show();
        QApplication::setQuitOnLastWindowClosed(false); // as while the tray keeps the application
        const auto restore = qScopeGuard([] { QApplication::setQuitOnLastWindowClosed(true); });
        m_fixture->dialogs.saveAnswers = {m_fixture->path(QStringLiteral("Birleşik.pdf"))};
        store().run(store().tool<MergeTool>());
        TrayPopup popup(store());
        QCOMPARE(Find::named<QLabel>(&popup, QStringLiteral("busyTitle"))->text(),
                 QStringLiteral("Birleştir"));
        QTimer::singleShot(0, [] { // a question, answered "Sürdür", would keep the window open
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->findChild<QAbstractButton*>(QStringLiteral("keep"))->click();
            }
        });
        QVERIFY(main.close());
        Navigation::setCurrent(QStringLiteral("split"));
        QTRY_COMPARE_WITH_TIMEOUT(service.calls.size(), 1, 60000);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Find::named<QLabel>(&popup, QStringLiteral("busyTitle")));
        QCOMPARE(service.calls.first(),
                 (QVariantList{"Leaflow", "leaflow", store().banner(QStringLiteral("merge"))->text,
                               QStringList{"default", "Göster"}}));
        QVERIFY(!main.isVisible());
        desktop.send(QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                QStringLiteral("org.freedesktop.Notifications"),
                                                QStringLiteral("ActionInvoked"))
                     << 1U << QStringLiteral("default"));
        QTRY_VERIFY(main.isVisible());
        QCOMPARE(Navigation::current(), QStringLiteral("merge"));
    }
};

QTEST_MAIN(TrayBusTest)
#include "TrayBusTest.moc"
