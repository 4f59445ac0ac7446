#include "AppProcess.h"
#include "Fixtures.h"
#include "LaunchArguments.h"
#include "SingleInstance.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
#include <thread>

// Files named on the command line, and the channel that hands them from a second launch to the
// first: in one process with a client on another thread, and between two real launches.
class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void commandLineFiles_data();
    void commandLineFiles();
    void handOverReachesTheListener_data();
    void handOverReachesTheListener();
    void nobodyListening();
    void oversizedMessageIsDropped();
    void secondLaunchHandsItsFilesToTheFirst();

private:
    QString socketName() const { return m_folder.filePath(QStringLiteral("leaflow.socket")); }
    QTemporaryDir m_folder;
};

void SingleInstanceTest::commandLineFiles_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("relative paths, in order") << QStringList{"b.pdf", "sub/a.pdf"}
                                              << QStringList{"/home/ada/b.pdf", "/home/ada/sub/a.pdf"};
    QTest::newRow("absolute and dotted paths") << QStringList{"/tmp/x.pdf", "../y.pdf", "./z.pdf"}
                                               << QStringList{"/tmp/x.pdf", "/home/y.pdf", "/home/ada/z.pdf"};
    QTest::newRow("options and empty arguments are not files")
        << QStringList{"--verbose", "-x", "", "c.pdf"} << QStringList{"/home/ada/c.pdf"};
    QTest::newRow("after -- everything is a file")
        << QStringList{"--", "-odd.pdf", "--"} << QStringList{"/home/ada/-odd.pdf", "/home/ada/--"};
    QTest::newRow("file URLs") << QStringList{"file:///tmp/Kira%20s%C3%B6zle%C5%9Fmesi.pdf", "file://localhost/tmp/f.pdf"}
                               << QStringList{QStringLiteral("/tmp/Kira sözleşmesi.pdf"), "/tmp/f.pdf"};
    QTest::newRow("other URLs are skipped")
        << QStringList{"file://server/share/a.pdf", "https://example.org/f.pdf", "d.pdf"}
        << QStringList{"/home/ada/d.pdf"};
}

void SingleInstanceTest::commandLineFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, files);
    QCOMPARE(launchFiles(QStringList{"/usr/bin/leaflow"} + arguments, QStringLiteral("/home/ada")), files);
}

void SingleInstanceTest::handOverReachesTheListener_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<bool>("stale"); // a file left at the name by a crashed instance
    QTest::newRow("none") << QStringList{} << false;
    QTest::newRow("several, in order, with spaces and accents")
        << QStringList{"/tmp/z.pdf", "/home/ada/Kira sözleşmesi.pdf", "/tmp/a b/c.pdf"} << false;
    QTest::newRow("over a name left behind") << QStringList{"/tmp/x.pdf"} << true;
}

void SingleInstanceTest::handOverReachesTheListener()
{
    QFETCH(QStringList, paths);
    QFETCH(bool, stale);
    if (stale) {
        QFile file(socketName());
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    SingleInstance server(socketName());
    QVERIFY(server.listen());
    QSignalSpy received(&server, &SingleInstance::received);

    // The sender blocks until the listener answers, so it runs beside the event loop.
    bool handed = false;
    std::thread sender([&] { handed = SingleInstance(socketName()).handOver(paths); });
    QTRY_COMPARE(received.size(), 1);
    sender.join();
    QVERIFY(handed);
    QCOMPARE(received.first().first().toStringList(), paths);
}

void SingleInstanceTest::nobodyListening()
{
    QVERIFY(!SingleInstance(socketName()).handOver({"/tmp/a.pdf"}, 500));
}

void SingleInstanceTest::oversizedMessageIsDropped()
{
    SingleInstance server(socketName());
    QVERIFY(server.listen());
    QSignalSpy received(&server, &SingleInstance::received);

    QLocalSocket client;
    client.connectToServer(socketName());
    QVERIFY(client.waitForConnected(2000));
    QByteArray header;
    QDataStream(&header, QIODevice::WriteOnly) << quint32(512u * 1024u * 1024u);
    client.write(header + QByteArray(64, 'x'));
    client.flush();
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
    QCOMPARE(received.size(), 0);
    QVERIFY(server.isListening());
}

void SingleInstanceTest::secondLaunchHandsItsFilesToTheFirst()
{
    AppHome home;
    const QString work = home.root() + QStringLiteral("/work");
    QDir().mkpath(work);
    Fixtures::writePdf(work + QStringLiteral("/Teslim tutanağı.pdf"),
                       Fixtures::tagged(QStringLiteral("T"), 2));

    QProcessEnvironment env = home.environment();
    env.insert(QStringLiteral("LEAFLOW_TEST_ECHO"), QStringLiteral("1"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.setWorkingDirectory(work);
    first.start(AppHome::program(), {});
    QVERIFY(first.waitForStarted());
    QString firstOutput;
    QTRY_VERIFY_WITH_TIMEOUT((firstOutput += QString::fromUtf8(first.readAllStandardOutput()))
                                 .contains(QStringLiteral("listening: ") + home.runtime()),
                             20000);

    // The second launch names its file relative to its own working folder.
    QProcess second;
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(work);
    second.start(AppHome::program(), {QStringLiteral("Teslim tutanağı.pdf")});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY2(!second.readAllStandardOutput().contains("listening"),
             "the second launch must not become an instance of its own");

    const QString expected = QStringLiteral("received: ") + work + QStringLiteral("/Teslim tutanağı.pdf");
    QTRY_VERIFY_WITH_TIMEOUT((firstOutput += QString::fromUtf8(first.readAllStandardOutput()))
                                 .contains(expected),
                             20000);
    QCOMPARE(first.state(), QProcess::Running);

    // A launch without files only brings the window forward.
    QProcess third;
    third.setProcessEnvironment(env);
    third.start(AppHome::program(), {});
    QVERIFY(third.waitForFinished(20000));
    QCOMPARE(third.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    QCOMPARE(firstOutput.count(QStringLiteral("received: ")), 1);

    first.kill();
    first.waitForFinished();
}

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
