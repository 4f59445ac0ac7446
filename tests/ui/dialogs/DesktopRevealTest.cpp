#include "DesktopReveal.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

// Stands in for the desktop's file manager on a private bus.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QList<QStringList> shown;
public slots:
    void ShowItems(const QStringList& uris, const QString& startupId)
    {
        Q_UNUSED(startupId);
        shown << uris;
    }
};

// Showing outputs in the file manager over a private bus, and the folders opened when no file
// manager answers.
class DesktopRevealTest : public QObject {
    Q_OBJECT

    QDBusConnection connect(const QString& name)
    {
        return QDBusConnection::connectToBus(m_address, name);
    }
    QProcess m_daemon;
    QString m_address;

private slots:
    void initTestCase()
    {
        // A private bus is what these tests are about; without it they must fail, not pass quietly.
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
            QFAIL("dbus-daemon is not installed (scripts/install-deps installs it)");
        }
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address")});
        QVERIFY(m_daemon.waitForStarted());
        QTRY_VERIFY(m_daemon.canReadLine());
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }

    void cleanupTestCase()
    {
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            m_daemon.waitForFinished();
        }
    }

    void withoutFileManagerOpensEachFolderOnce_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<bool>("handled"); // whether the desktop has a handler for folders
        QTest::newRow("no bus") << false << true;
        QTest::newRow("nobody answering on the bus") << true << true;
        QTest::newRow("nobody answering, no folder handler") << true << false;
    }

    void withoutFileManagerOpensEachFolderOnce()
    {
        QFETCH(bool, bus);
        QFETCH(bool, handled);
        QList<QUrl> opened;
        int failures = 0;
        DesktopReveal reveal(bus ? connect(QStringLiteral("lonely"))
                                 : QDBusConnection::connectToBus(QStringLiteral(
                                                                     "unix:path=/nonexistent/bus"),
                                                                 QStringLiteral("none")),
                             [&opened, handled](const QUrl& url) {
                                 opened << url;
                                 return handled;
                             });
        reveal.reveal({}, [&failures] { ++failures; });
        reveal.reveal({QStringLiteral("/data/out/a 1.pdf"), QStringLiteral("/data/out/a 2.pdf"),
                       QStringLiteral("/data/other/b.pdf")},
                      [&failures] { ++failures; });
        QTRY_COMPARE(opened, (QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/data/out")),
                                          QUrl::fromLocalFile(QStringLiteral("/data/other"))}));
        // A reveal whose folders found no handler is reported once, not once per folder.
        QCOMPARE(failures, handled ? 0 : 1);
        QDBusConnection::disconnectFromBus(QStringLiteral("lonely"));
    }

    void fileManagerShowsTheFiles()
    {
        QDBusConnection service = connect(QStringLiteral("service"));
        QVERIFY(service.isConnected());
        FakeFileManager manager;
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));
        bool fellBack = false;
        DesktopReveal reveal(connect(QStringLiteral("client")), [&fellBack](const QUrl&) {
            fellBack = true;
            return true;
        });
        bool failed = false;
        reveal.reveal({QStringLiteral("/data/out/Rapor birleşik.pdf"),
                       QStringLiteral("/data/out/b.pdf")},
                      [&failed] { failed = true; });
        QTRY_COMPARE(manager.shown.size(), 1);
        QCOMPARE(manager.shown.first(),
                 (QStringList{QStringLiteral("file:///data/out/Rapor%20birle%C5%9Fik.pdf"),
                              QStringLiteral("file:///data/out/b.pdf")}));
        QVERIFY(!fellBack);
        QVERIFY(!failed);
        service.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
        service.unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }
};

QTEST_MAIN(DesktopRevealTest)
#include "DesktopRevealTest.moc"
