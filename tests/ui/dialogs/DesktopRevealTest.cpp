#include "ui/dialogs/DesktopReveal.h"
#include "PrivateBus.h"

#include <QDBusConnection>
#include <QtTest>

// Stands in for the desktop's file manager on a private bus.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QList<QStringList> shown;
public slots:
    void ShowItems(const QStringList& uris, const QString&) { shown << uris; }
};

// Outputs shown by the file manager on a private bus, or their folders opened without one.
class DesktopRevealTest : public QObject {
    Q_OBJECT

    PrivateBus m_bus;
    QList<QUrl> m_opened;  // folders handed to the desktop instead
    bool m_handled = true; // whether the desktop has a handler for folders
    int m_failures = 0;    // reveals reported as failed

    DesktopReveal reveal(const QString& address, const QString& name)
    {
        return DesktopReveal(QDBusConnection::connectToBus(address, name), [this](const QUrl& url) {
            m_opened << url;
            return m_handled;
        });
    }
    FileReveal::Failed failed()
    {
        return [this] { ++m_failures; };
    }

private slots:
    void initTestCase() { QVERIFY(m_bus.start()); }
    void init()
    {
        m_opened.clear();
        m_failures = 0;
    }

    void withoutFileManagerOpensEachFolderOnce_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<bool>("handled");
        QTest::newRow("no bus, no folder handler") << false << false;
        QTest::newRow("nobody answering on the bus") << true << true;
    }
    void withoutFileManagerOpensEachFolderOnce()
    {
        QFETCH(bool, bus);
        QFETCH(bool, handled);
        m_handled = handled;
        const QString name = QStringLiteral("lonely");
        DesktopReveal lonely =
            reveal(bus ? m_bus.address() : QStringLiteral("unix:path=/nonexistent/bus"), name);
        lonely.reveal({}, failed());
        lonely.reveal({QStringLiteral("/data/out/a 1.pdf"), QStringLiteral("/data/out/a 2.pdf"),
                       QStringLiteral("/data/other/b.pdf")},
                      failed());
        QTRY_COMPARE(m_opened, (QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/data/out")),
                                            QUrl::fromLocalFile(QStringLiteral("/data/other"))}));
        QCOMPARE(m_failures, handled ? 0 : 1); // once per reveal, not per folder
        QDBusConnection::disconnectFromBus(name);
    }

    void fileManagerShowsTheFiles()
    {
        QDBusConnection service =
            QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("service"));
        FakeFileManager manager;
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));
        DesktopReveal client = reveal(m_bus.address(), QStringLiteral("client"));
        client.reveal({QStringLiteral("/data/out/Rapor birleşik.pdf"),
                       QStringLiteral("/data/out/b.pdf")},
                      failed());
        QTRY_COMPARE(manager.shown.size(), 1);
        QCOMPARE(manager.shown.first(),
                 (QStringList{QStringLiteral("file:///data/out/Rapor%20birle%C5%9Fik.pdf"),
                              QStringLiteral("file:///data/out/b.pdf")}));
        QVERIFY(m_opened.isEmpty() && m_failures == 0);
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }
};

QTEST_MAIN(DesktopRevealTest)
#include "DesktopRevealTest.moc"
