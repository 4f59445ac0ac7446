#include "Fixtures.h"
#include "LaunchArguments.h"

#include <QDir>
#include <QDirIterator>
#include <QImageReader>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

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

    // Starts leaflow in `folder` with these arguments and extra variables, and nothing of the
    // caller's environment that would change how it runs.
    void start(QProcess& app, const QStringList& arguments, const QStringList& variables = {},
               const QString& folder = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"LEAFLOW_SNAPSHOT", "LEAFLOW_SNAPSHOT_DARK", "LEAFLOW_SNAPSHOT_WIDTH",
              "LEAFLOW_TEST_ECHO", "LEAFLOW_TEST_RELAUNCH", "QT_SCALE_FACTOR",
              "DBUS_SESSION_BUS_ADDRESS"}) {
            env.remove(QString::fromLatin1(name));
        }
        const QStringList own = {"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + config(),
                                 "XDG_DATA_HOME=" + data(), "XDG_RUNTIME_DIR=" + runtime(),
                                 "TMPDIR=" + temp()};
        for (const QString& variable : own + variables) {
            env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        }
        app.setProcessEnvironment(env);
        app.setWorkingDirectory(folder);
        app.start(QStringLiteral(LEAFLOW_APP), arguments);
    }
    // Runs leaflow to its normal end.
    bool run(const QStringList& arguments, const QStringList& variables, const QString& folder = {},
             QByteArray* output = nullptr) const
    {
        QProcess app;
        start(app, arguments, variables, folder);
        const bool ended = app.waitForFinished(120000) &&
                           app.exitStatus() == QProcess::NormalExit && app.exitCode() == 0;
        if (output) {
            *output = app.readAllStandardOutput();
        }
        return ended;
    }

private:
    QTemporaryDir m_root;
};

} // namespace

// Files named on the command line and the channel that hands them from a second launch to the
// first between two real launches; and the screenshot mode run as a real launch: six pictures at
// two pixels per point, the stored section as it was before, the user's data folder untouched.
class AppTest : public QObject {
    Q_OBJECT

private slots:
    void commandLineFiles_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("relative, absolute and dotted paths, in order")
            << QStringList{"sub/b.pdf", "/tmp/x.pdf", "../y.pdf", "./z.pdf"}
            << QStringList{"/home/ada/sub/b.pdf", "/tmp/x.pdf", "/home/y.pdf", "/home/ada/z.pdf"};
        QTest::newRow("options are not files, but after -- everything is")
            << QStringList{"--verbose", "", "c.pdf", "--", "-odd.pdf", "--"}
            << QStringList{"/home/ada/c.pdf", "/home/ada/-odd.pdf", "/home/ada/--"};
        QTest::newRow("local file URLs; other URLs are skipped")
            << QStringList{"file:///tmp/Kira%20s%C3%B6zle%C5%9Fmesi.pdf", "file://server/a.pdf",
                           "https://example.org/f.pdf", "file://localhost/tmp/f.pdf"}
            << QStringList{QStringLiteral("/tmp/Kira sözleşmesi.pdf"), "/tmp/f.pdf"};
    }

    void commandLineFiles()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, files);
        QCOMPARE(launchFiles(QStringList{"/usr/bin/leaflow"} + arguments,
                             QStringLiteral("/home/ada")),
                 files);
    }

    void secondLaunchHandsItsFilesToTheFirst()
    {
        AppHome home;
        const QString work = home.root() + QStringLiteral("/work");
        QDir().mkpath(work);
        Fixtures::writePdf(work + QStringLiteral("/Teslim tutanağı.pdf"),
                           Fixtures::tagged(QStringLiteral("T"), 2));
        const QStringList echo = {QStringLiteral("LEAFLOW_TEST_ECHO=1")};
        // A crashed instance left its channel's name behind; the first launch takes it over.
        const QString channel = home.runtime() + QStringLiteral("/leaflow.socket");
        QVERIFY(QFile(channel).open(QIODevice::WriteOnly));
        QProcess first;
        home.start(first, {}, echo, work);
        QVERIFY(first.waitForStarted());
        QString said;
        const auto firstSays = [&](const QString& text) {
            return (said += QString::fromUtf8(first.readAllStandardOutput())).contains(text);
        };
        QTRY_VERIFY_WITH_TIMEOUT(firstSays(QStringLiteral("listening: ") + channel), 20000);
        // A message claiming half a gigabyte is not from a launch: dropped, and the channel stays.
        QLocalSocket stranger;
        stranger.connectToServer(channel);
        QVERIFY(stranger.waitForConnected(2000));
        QByteArray header;
        QDataStream(&header, QIODevice::WriteOnly) << quint32(512u * 1024u * 1024u);
        stranger.write(header + QByteArray(64, 'x'));
        QTRY_COMPARE(stranger.state(), QLocalSocket::UnconnectedState);

        // The second launch names its file relative to its own working folder.
        QByteArray secondSaid;
        QVERIFY(home.run({QStringLiteral("Teslim tutanağı.pdf")}, echo, work, &secondSaid));
        QVERIFY2(!secondSaid.contains("listening"),
                 "the second launch must not become an instance of its own");
        QTRY_VERIFY_WITH_TIMEOUT(firstSays(QStringLiteral("received: ") + work +
                                           QStringLiteral("/Teslim tutanağı.pdf")),
                                 20000);
        // A launch without files only brings the window forward.
        QVERIFY(home.run({}, echo));
        QCOMPARE(first.state(), QProcess::Running);
        firstSays(QString());
        QCOMPARE(said.count(QStringLiteral("received: ")), 1);
        first.kill();
        first.waitForFinished();
    }

    // "Yeniden aç": the new process listens in the new language and the old one is gone, so
    // exactly one instance remains (a later launch is handed over to it).
    void relaunchLeavesOneInstanceInTheNewLanguage()
    {
        AppHome home;
        const QString log = home.root() + QStringLiteral("/relaunched.log");
        const auto store = [&home](const QString& language) {
            QSettings(home.settingsFile(), QSettings::IniFormat)
                .setValue("AppleLanguages", QStringList{language});
        };
        store(QStringLiteral("tr"));
        QProcess first;
        home.start(first, {},
                   {QStringLiteral("LEAFLOW_TEST_ECHO=1"), "LEAFLOW_TEST_RELAUNCH=" + log});
        QString said;
        QTRY_VERIFY_WITH_TIMEOUT(
            (said += QString::fromUtf8(first.readAllStandardOutput())).contains("language: tr"),
            20000);
        store(QStringLiteral("es"));
        QVERIFY(home.run({}, {})); // its hand-over is what makes the first one relaunch
        QVERIFY(first.waitForFinished(20000));
        QCOMPARE(first.exitCode(), 0);

        const auto relaunched = [&log] { return QString::fromUtf8(Fixtures::readBytes(log)); };
        QTRY_VERIFY_WITH_TIMEOUT(relaunched().contains("language: es"), 20000);
        const auto pid =
            QRegularExpression("process (\\d+)").match(relaunched()).captured(1).toInt();
        QVERIFY(pid > 0);
        const auto stop = qScopeGuard([pid] { ::kill(pid, SIGTERM); });
        QVERIFY(relaunched().contains("listening: " + home.runtime() + "/leaflow.socket"));
        QByteArray output;
        QVERIFY(home.run({}, {QStringLiteral("LEAFLOW_TEST_ECHO=1")}, {}, &output));
        QVERIFY(!output.contains("listening"));
    }

    void screenshotModeCapturesEverySection_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("pixelWidth");
        QTest::newRow("default width, light, no section stored")
            << QStringList() << QString() << 2600;
        QTest::newRow("1000 points, dark, pages stored")
            << QStringList{"LEAFLOW_SNAPSHOT_WIDTH=1000", "LEAFLOW_SNAPSHOT_DARK="}
            << QStringLiteral("pages") << 2000;
    }

    void screenshotModeCapturesEverySection()
    {
        QFETCH(QStringList, variables);
        QFETCH(QString, section);
        QFETCH(int, pixelWidth);
        AppHome home;
        if (!section.isEmpty()) {
            QSettings(home.settingsFile(), QSettings::IniFormat).setValue("section", section);
        }
        const QString shots = home.root() + QStringLiteral("/shots/nested");
        QVERIFY(home.run({}, variables + QStringList{QStringLiteral("LEAFLOW_SNAPSHOT=") + shots}));
        QStringList names = QDir(shots).entryList(QDir::Files, QDir::Name);
        QCOMPARE(names,
                 (QStringList{"about.png", "compress.png", "history.png", "merge.png", "pages.png",
                              "settings.png", "sign.png", "split.png", "tray.png"}));
        // The settings window at its fixed size; the others are sized by their content.
        QCOMPARE(QImageReader(QDir(shots).filePath("settings.png")).size(), QSize(1240, 1120));
        names = names.filter(QRegularExpression("^(merge|split|compress|sign|pages|history)"));
        const QSize first = QImageReader(QDir(shots).filePath(names.first())).size();
        QCOMPARE(first.width(), pixelWidth);
        for (const QString& name : names) {
            const QImage image(QDir(shots).filePath(name));
            QCOMPARE(image.size(), first);
            // The window's own background tells the appearance apart.
            QCOMPARE(image.pixelColor(image.width() - 4, image.height() / 2).lightnessF() < 0.5,
                     variables.contains("LEAFLOW_SNAPSHOT_DARK="));
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
