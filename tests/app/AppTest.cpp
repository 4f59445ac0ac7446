#include "Fixtures.h"
#include "LaunchArguments.h"
#include "SingleInstance.h"

#include <QDir>
#include <QDirIterator>
#include <QImageReader>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

namespace {

// The built leaflow application started as a child process on a home of its own:
// settings, data, runtime folder and temporary files all inside one temporary folder.
class AppHome {
public:
    AppHome()
    {
        for (const QString& folder : {config(), data(), runtime(), temp()}) {
            QDir().mkpath(folder);
        }
        // The runtime folder must be private, or Qt declines to use it.
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString root() const { return m_root.path(); }
    QString config() const { return root() + QStringLiteral("/config"); }
    QString data() const { return root() + QStringLiteral("/data"); }
    QString runtime() const { return root() + QStringLiteral("/run"); }
    QString temp() const { return root() + QStringLiteral("/tmp"); }
    QString settingsFile() const { return config() + QStringLiteral("/Leaflow/Leaflow.conf"); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config());
        env.insert(QStringLiteral("XDG_DATA_HOME"), data());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
        env.insert(QStringLiteral("TMPDIR"), temp());
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        for (const char* name :
             {"LEAFLOW_SNAPSHOT", "LEAFLOW_SNAPSHOT_DARK", "LEAFLOW_SNAPSHOT_WIDTH",
              "LEAFLOW_TEST_ECHO", "QT_SCALE_FACTOR"}) {
            env.remove(QString::fromLatin1(name));
        }
        return env;
    }

    static QString program() { return QStringLiteral(LEAFLOW_APP); }

private:
    QTemporaryDir m_root;
};

} // namespace

// Files named on the command line and the channel that hands them from a second launch to the
// first, in one process and between two real launches; and the screenshot mode run as a real
// launch: six pictures at two pixels per point, the stored section as it was before, the user's
// data folder untouched.
class AppTest : public QObject {
    Q_OBJECT

    QString socketName() const { return m_folder.filePath(QStringLiteral("leaflow.socket")); }
    QTemporaryDir m_folder;

private slots:
    void commandLineFiles_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("relative paths, in order")
            << QStringList{"b.pdf", "sub/a.pdf"}
            << QStringList{"/home/ada/b.pdf", "/home/ada/sub/a.pdf"};
        QTest::newRow("absolute and dotted paths")
            << QStringList{"/tmp/x.pdf", "../y.pdf", "./z.pdf"}
            << QStringList{"/tmp/x.pdf", "/home/y.pdf", "/home/ada/z.pdf"};
        QTest::newRow("options and empty arguments are not files")
            << QStringList{"--verbose", "-x", "", "c.pdf"} << QStringList{"/home/ada/c.pdf"};
        QTest::newRow("after -- everything is a file")
            << QStringList{"--", "-odd.pdf", "--"}
            << QStringList{"/home/ada/-odd.pdf", "/home/ada/--"};
        QTest::newRow("file URLs")
            << QStringList{"file:///tmp/Kira%20s%C3%B6zle%C5%9Fmesi.pdf",
                           "file://localhost/tmp/f.pdf"}
            << QStringList{QStringLiteral("/tmp/Kira sözleşmesi.pdf"), "/tmp/f.pdf"};
        QTest::newRow("other URLs are skipped")
            << QStringList{"file://server/share/a.pdf", "https://example.org/f.pdf", "d.pdf"}
            << QStringList{"/home/ada/d.pdf"};
    }

    void commandLineFiles()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, files);
        QCOMPARE(launchFiles(QStringList{"/usr/bin/leaflow"} + arguments,
                             QStringLiteral("/home/ada")),
                 files);
    }

    void handOverReachesTheListener_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<bool>("stale"); // a file left at the name by a crashed instance
        QTest::newRow("none") << QStringList{} << false;
        QTest::newRow("several, in order, with spaces and accents")
            << QStringList{"/tmp/z.pdf", "/home/ada/Kira sözleşmesi.pdf", "/tmp/a b/c.pdf"}
            << false;
        QTest::newRow("over a name left behind") << QStringList{"/tmp/x.pdf"} << true;
    }

    void handOverReachesTheListener()
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

    void nobodyListening() { QVERIFY(!SingleInstance(socketName()).handOver({"/tmp/a.pdf"}, 500)); }

    void oversizedMessageIsDropped()
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

    void secondLaunchHandsItsFilesToTheFirst()
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
        const QString expected =
            QStringLiteral("received: ") + work + QStringLiteral("/Teslim tutanağı.pdf");
        QTRY_VERIFY_WITH_TIMEOUT(
            (firstOutput += QString::fromUtf8(first.readAllStandardOutput())).contains(expected),
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

    void screenshotModeCapturesEverySection_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("pixelWidth");
        QTest::newRow("default width, light, no section stored")
            << QString() << false << QString() << 2600;
        QTest::newRow("1000 points, dark, pages stored")
            << QStringLiteral("1000") << true << QStringLiteral("pages") << 2000;
        QTest::newRow("abc width, history stored")
            << QStringLiteral("abc") << false << QStringLiteral("history") << 2600;
    }

    void screenshotModeCapturesEverySection()
    {
        QFETCH(QString, width);
        QFETCH(bool, dark);
        QFETCH(QString, section);
        QFETCH(int, pixelWidth);
        AppHome home;
        if (!section.isEmpty()) {
            QSettings stored(home.settingsFile(), QSettings::IniFormat);
            stored.setValue(QStringLiteral("section"), section);
        }
        const QString shots = home.root() + QStringLiteral("/shots/nested");
        QProcessEnvironment env = home.environment();
        env.insert(QStringLiteral("LEAFLOW_SNAPSHOT"), shots);
        if (!width.isNull()) {
            env.insert(QStringLiteral("LEAFLOW_SNAPSHOT_WIDTH"), width);
        }
        if (dark) {
            env.insert(QStringLiteral("LEAFLOW_SNAPSHOT_DARK"), QString());
        }
        QProcess app;
        app.setProcessEnvironment(env);
        app.start(AppHome::program(), {});
        QVERIFY(app.waitForFinished(120000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        QStringList names = QDir(shots).entryList(QDir::Files, QDir::Name);
        QCOMPARE(names, (QStringList{"compress.png", "history.png", "merge.png", "pages.png",
                                     "sign.png", "split.png"}));
        QSize first;
        for (const QString& name : names) {
            QImageReader reader(QDir(shots).filePath(name));
            QCOMPARE(reader.format(), QByteArray("png"));
            const QSize size = reader.size();
            QCOMPARE(size.width(), pixelWidth);
            // The content is 780 points high under the window's menu bar.
            QVERIFY2(size.height() % 2 == 0 && size.height() >= 2 * 780 &&
                         size.height() <= 2 * (780 + 60),
                     qPrintable(QString::number(size.height())));
            if (first.isValid()) {
                QCOMPARE(size, first);
            }
            first = size;
            const QImage image = reader.read();
            // The window's own background tells the appearance apart.
            const QColor corner = image.pixelColor(image.width() - 4, image.height() / 2);
            QCOMPARE(corner.lightnessF() < 0.5, dark);
        }
        QSettings stored(home.settingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.contains(QStringLiteral("section")), !section.isEmpty());
        QCOMPARE(stored.value(QStringLiteral("section")).toString(), section);
        QDirIterator written(home.data(), QDir::AllEntries | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        QVERIFY2(!written.hasNext(), qPrintable(written.hasNext() ? written.next() : QString()));
    }
};

QTEST_MAIN(AppTest)
#include "AppTest.moc"
