#include "Fixtures.h"
#include "ScriptedSeams.h"
#include "app/LaunchArguments.h"
#include "app/Relauncher.h"
#include "app/SingleInstance.h"
#include "store/Store.h"
#include "tools/ToolTable.h"
#include "tools/merge/MergeTool.h"
#include "tools/sign/SignTool.h"
#include "ui/shell/LanguagePicker.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/Navigation.h"
#include "ui/shell/SettingsWindow.h"
#include "ui/shell/ShellWindows.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QImageReader>
#include <QLabel>
#include <QLocalSocket>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

// The built application, or its echoing twin, as a child process, with settings, data and temp in
// one folder.
class AppHome {
public:
    AppHome()
    {
        for (const QString& folder : {config(), data(), runtime(), temp(), work()}) {
            QDir().mkpath(folder);
        }
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString root() const { return m_root.path(); }
    QString config() const { return root() + QStringLiteral("/config"); }
    QString data() const { return root() + QStringLiteral("/data"); }
    QString runtime() const { return root() + QStringLiteral("/run"); }
    QString temp() const { return root() + QStringLiteral("/tmp"); }
    QString work() const { return root() + QStringLiteral("/work"); }
    QString settingsFile() const { return config() + QStringLiteral("/Leaflow/Leaflow.conf"); }

    // Starts `program` in `folder`, without the caller's variables that change how it runs.
    void start(QProcess& app, const QString& program, const QStringList& arguments,
               const QStringList& variables = {}, const QString& folder = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"LEAFLOW_SNAPSHOT", "LEAFLOW_SNAPSHOT_DARK", "LEAFLOW_SNAPSHOT_WIDTH",
              "LEAFLOW_TEST_ECHO_FILE", "LEAFLOW_TEST_RELAUNCH", "QT_SCALE_FACTOR",
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
        app.start(program, arguments);
    }
    bool run(const QStringList& arguments, const QStringList& variables) const
    {
        QProcess app;
        start(app, QStringLiteral(LEAFLOW_APP), arguments, variables);
        return app.waitForFinished(120000) && app.exitStatus() == QProcess::NormalExit &&
               app.exitCode() == 0;
    }

    // A later launch with these files (the loop turns): true once handed over, false if it listens.
    bool handOver(const QStringList& files, const QString& folder) const
    {
        QProcess launch;
        start(launch, QStringLiteral(LEAFLOW_ECHO_APP), files, {}, folder);
        QByteArray said;
        QDeadlineTimer patience(60000);
        while (launch.state() != QProcess::NotRunning) {
            QTest::qWait(20);
            said += launch.readAllStandardOutput();
            if (said.contains("listening") || patience.hasExpired()) {
                launch.kill();
                launch.waitForFinished();
                return false;
            }
        }
        said += launch.readAllStandardOutput();
        return launch.exitStatus() == QProcess::NormalExit && launch.exitCode() == 0 &&
               !said.contains("listening");
    }

private:
    QTemporaryDir m_root;
};

// The first launch, left running, with what it echoes collected as it comes.
class RunningWindow {
public:
    RunningWindow(const AppHome& home, const QStringList& files, const QString& folder,
                  const QStringList& variables = {})
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        home.start(m_process, QStringLiteral(LEAFLOW_ECHO_APP), files, variables, folder);
        m_process.waitForStarted();
    }
    ~RunningWindow()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    bool running() const { return m_process.state() == QProcess::Running; }
    // Waits until text appears at or after `from`, or the window ends; its position, or -1.
    qsizetype waitFor(const QString& text, qsizetype from = 0)
    {
        QDeadlineTimer patience(120000);
        while (find(text, from) < 0 && running() && !patience.hasExpired()) {
            m_process.waitForReadyRead(100);
        }
        return find(text, from);
    }
    const QString& said() const { return m_said; }
    bool waitForEnd()
    {
        return m_process.waitForFinished(20000) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }

private:
    qsizetype find(const QString& text, qsizetype from)
    {
        m_said += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_said.indexOf(text, from);
    }

    QProcess m_process;
    QString m_said;
};

// Writes the test's PDFs by name: "uzun" files have 300 pages, "kalın" ones 3,510, others two.
void writeNamedPdfs(const QString& folder, const QStringList& names)
{
    for (const QString& name : names) {
        const QString path = QDir(folder).filePath(name);
        if (QFile::exists(path)) {
            continue;
        }
        const int pages = name.startsWith(QStringLiteral("uzun"))    ? 300
                          : name.startsWith(QStringLiteral("kalın")) ? 3510
                                                                     : 2;
        Fixtures::writePdf(path, Fixtures::tagged(name, pages));
    }
}

// Dialogs that, like modal ones, turn the loop: `meanwhile` runs in the first prompt or panel.
class WaitingDialogs : public ScriptedDialogs {
public:
    std::function<void()> meanwhile;
    std::optional<QString> password(const QString& path,
                                    const std::function<bool(const QString&)>& unlock) override
    {
        wait();
        return ScriptedDialogs::password(path, unlock);
    }
    std::optional<QString> save(const QString& suggested, const QString& directory) override
    {
        wait();
        return ScriptedDialogs::save(suggested, directory);
    }

private:
    void wait()
    {
        if (meanwhile) {
            std::exchange(meanwhile, {})();
        }
    }
};

// The echo of the tools' inputs when only `tool` holds files (names joined by commas).
QString inputsLine(const QString& tool, const QString& names)
{
    QString line = QStringLiteral("merge= split= compress= sign= pages= organize= ocr=");
    return line.replace(tool + u'=', tool + u'=' + names);
}

} // namespace

Q_DECLARE_METATYPE(ToolFiles)

// Command-line files, the hand-over from a later launch to the first, relaunch and screenshots.
class AppTest : public QObject {
    Q_OBJECT

private:
    // Settings and data of the windows this process builds itself.
    QTemporaryDir m_own;

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Leaflow"));
        QCoreApplication::setApplicationName(QStringLiteral("Leaflow"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_own.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_own.filePath(QStringLiteral("data"))));
    }

    void commandLineFiles_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<ToolFiles>>("tools");
        QTest::newRow("relative, absolute and dotted paths, in order")
            << QStringList{"sub/b.pdf", "/tmp/x.pdf", "../y.pdf", "./z.pdf"}
            << QStringList{"/home/ada/sub/b.pdf", "/tmp/x.pdf", "/home/y.pdf", "/home/ada/z.pdf"}
            << QList<ToolFiles>();
        QTest::newRow("options are not files, but after -- everything is")
            << QStringList{"--verbose", "", "c.pdf", "--", "-odd.pdf", "--"}
            << QStringList{"/home/ada/c.pdf", "/home/ada/-odd.pdf", "/home/ada/--"}
            << QList<ToolFiles>();
        QTest::newRow("local file URLs; other URLs are skipped")
            << QStringList{"file:///tmp/Kira%20s%C3%B6zle%C5%9Fmesi.pdf", "file://server/a.pdf",
                           "https://example.org/f.pdf", "file://localhost/tmp/f.pdf"}
            << QStringList{QStringLiteral("/tmp/Kira sözleşmesi.pdf"), "/tmp/f.pdf"}
            << QList<ToolFiles>();
        // A relaunch names each file's tool; an unknown one, or the history, names none.
        QTest::newRow("files by tool")
            << QStringList{"a.pdf", "--tool=merge", "/m 1.pdf", "m2.pdf", "--tool=history",
                           "h.pdf", "--tool=sign",  "s.pdf",    "--",     "--tool=split"}
            << QStringList{"/home/ada/a.pdf", "/home/ada/h.pdf", "/home/ada/--tool=split"}
            << QList<ToolFiles>{{QStringLiteral("merge"), {"/m 1.pdf", "/home/ada/m2.pdf"}},
                                {QStringLiteral("sign"), {"/home/ada/s.pdf"}}};
    }

    void commandLineFiles()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, files);
        QFETCH(QList<ToolFiles>, tools);
        const LaunchFiles launch =
            launchFiles(QStringList{"/usr/bin/leaflow"} + arguments, QStringLiteral("/home/ada"));
        QCOMPARE(launch.files, files);
        QCOMPARE(launch.tools, tools);
        // What a relaunch writes reads back the same.
        QCOMPARE(launchFiles(QStringList{"leaflow"} + toolArguments(tools), "/").tools, tools);
    }

    void secondLaunchHandsItsFilesToTheFirst()
    {
        AppHome home;
        const QString work = home.work();
        writeNamedPdfs(work, {"Teslim tutanağı.pdf"});
        // A crashed instance's channel name left behind is taken over.
        const QString channel = home.runtime() + QStringLiteral("/leaflow.socket");
        QVERIFY(QFile(channel).open(QIODevice::WriteOnly));
        RunningWindow first(home, {}, work);
        QVERIFY(first.waitFor(QStringLiteral("listening: ") + channel) >= 0);
        // A message claiming half a gigabyte is not from a launch: dropped, and the channel stays.
        QLocalSocket stranger;
        stranger.connectToServer(channel);
        QVERIFY(stranger.waitForConnected(2000));
        QByteArray header;
        QDataStream(&header, QIODevice::WriteOnly) << quint32(512u * 1024u * 1024u);
        stranger.write(header + QByteArray(64, 'x'));
        QTRY_COMPARE(stranger.state(), QLocalSocket::UnconnectedState);

        // Named relative to the second launch's folder; it does not stay as an instance.
        QVERIFY(home.handOver({QStringLiteral("Teslim tutanağı.pdf")}, work));
        QVERIFY(first.waitFor(QStringLiteral("received: ") + work +
                              QStringLiteral("/Teslim tutanağı.pdf")) >= 0);
    }

    // On every page and during admission, files are listed where they belong, in order.
    void handOverOnEveryPage_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QList<QStringList>>("launches");
        QTest::addColumn<QString>("listed");
        const QList<QStringList> one{{"a.pdf"}};
        const auto with = inputsLine;
        for (const QString& tool :
             QStringList{"merge", "split", "compress", "sign", "pages", "organize", "ocr"}) {
            QTest::addRow("%s, empty", qPrintable(tool))
                << tool << QStringList() << one << with(tool, "a.pdf");
            // Organize takes a second file's pages into the one open.
            const bool many = tool == "merge" || tool == "compress" || tool == "organize" ||
                              tool == "ocr";
            QTest::addRow("%s, thumbnails of a long file coming", qPrintable(tool))
                << tool << QStringList{"uzun.pdf"} << one
                << with(tool, many ? "uzun.pdf,a.pdf" : "a.pdf");
        }
        QTest::newRow("history, goes to merge")
            << "history" << QStringList() << one << with("merge", "a.pdf");
        const QStringList heavy{"kalın-1.pdf", "kalın-2.pdf", "kalın-3.pdf", "kalın-4.pdf"};
        QTest::newRow("merge, several while four long files are admitted")
            << "merge" << QStringList{"uzun.pdf"}
            << QList<QStringList>{heavy, {"b.pdf"}, {"c.pdf", "d.pdf"}}
            << with("merge", "uzun.pdf," + heavy.join(u',') + ",b.pdf,c.pdf,d.pdf");
        QTest::newRow("sign, several while a long file is admitted")
            << "sign" << QStringList() << QList<QStringList>{{"kalın-1.pdf"}, {"b.pdf"}, {"c.pdf"}}
            << with("sign", "c.pdf");
        QTest::newRow("history, several in quick succession")
            << "history" << QStringList() << QList<QStringList>{heavy.mid(0, 2), {"a.pdf"}}
            << with("merge", heavy.mid(0, 2).join(u',') + ",a.pdf");
    }

    void handOverOnEveryPage()
    {
        QFETCH(QString, section);
        QFETCH(QStringList, opened);
        QFETCH(QList<QStringList>, launches);
        QFETCH(QString, listed);
        AppHome home;
        const QString work = home.work();
        QStringList names = opened;
        for (const QStringList& files : launches) {
            names += files;
        }
        writeNamedPdfs(work, names);
        QSettings(home.settingsFile(), QSettings::IniFormat).setValue("section", section);

        RunningWindow window(home, opened, work);
        QVERIFY(window.waitFor(QStringLiteral("listening: ")) >= 0);
        if (!opened.isEmpty()) {
            QVERIFY(window.waitFor(QStringLiteral("inputs: ") +
                                   inputsLine(section, opened.join(u',')) + u'\n') >= 0);
            QVERIFY(window.waitFor(QStringLiteral("thumbnail\n")) >= 0);
        }
        for (qsizetype i = 0; i < launches.size(); ++i) {
            QVERIFY2(home.handOver(launches[i], work), qPrintable(window.said()));
            if (i == 0 && launches.size() > 1) {
                // The next ones come while the first's files are being opened.
                const qsizetype arrived =
                    window.waitFor(QStringLiteral("received: ") + work + u'/' + launches[0][0]);
                QVERIFY(window.waitFor(QStringLiteral("probing"), arrived) >= 0);
            }
        }
        QVERIFY2(window.waitFor(QStringLiteral("inputs: ") + listed + u'\n') >= 0,
                 qPrintable(window.said()));
        // Still there: it answers one more launch.
        QVERIFY2(home.handOver({}, work), qPrintable(window.said()));
        QVERIFY(window.running());
    }

    // Arrivals during a prompt are admitted after it; during a run's panel or run, dropped.
    void handOverWhileTheWindowWaits_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("password prompt on sign") << "prompt";
        QTest::newRow("save panel of a sign run") << "panel";
        QTest::newRow("save panel of a sign run, cancelled") << "cancelled";
        QTest::newRow("merge running") << "running";
    }

    void handOverWhileTheWindowWaits()
    {
        QFETCH(QString, situation);
        AppHome home;
        const QString work = home.work();
        writeNamedPdfs(work, {"kalın-1.pdf", "kalın-2.pdf", "a.pdf", "b.pdf"});
        Fixtures::writePdf(work + QStringLiteral("/kilitli.pdf"), Fixtures::tagged("k", 2),
                           {Fixtures::Cipher::aes256, QStringLiteral("sır"), QStringLiteral("o")});
        WaitingDialogs dialogs;
        ScriptedReveal reveal;
        Store store(dialogs, reveal, DataFile(home.data()));
        ToolTable::install(store);
        MainWindow window(store);
        window.show();
        SingleInstance channel(home.runtime() + QStringLiteral("/leaflow.socket"));
        QVERIFY(channel.listen());
        QList<bool> busyOnArrival;
        connect(&channel, &SingleInstance::received, &store, [&](const QStringList& paths) {
            busyOnArrival.append(store.busy().has_value());
            store.receive(paths);
        });
        const auto handOver = [&](const QStringList& files) { return home.handOver(files, work); };
        const auto signName = [&store] {
            return store.tool<SignTool>().signFile()
                       ? QFileInfo(store.tool<SignTool>().signFile()->source.path).fileName()
                       : QString();
        };
        bool handed = false;
        dialogs.meanwhile = [&] { handed = handOver({"b.pdf"}); };

        if (situation == "prompt") {
            Navigation::setCurrent(QStringLiteral("sign"));
            dialogs.passwordAnswers = {QStringLiteral("sır")};
            QVERIFY(handOver({"kilitli.pdf"}));
            QTRY_COMPARE(signName(), "b.pdf");
            QVERIFY(handed);
            QCOMPARE(dialogs.calls, QStringList{"password(kilitli.pdf)"});
            QCOMPARE(busyOnArrival, (QList<bool>{false, false}));
        } else if (situation == "panel" || situation == "cancelled") {
            Navigation::setCurrent(QStringLiteral("sign"));
            QVERIFY(handOver({"a.pdf"}));
            QTRY_COMPARE(signName(), "a.pdf");
            store.addDrawnSignature("İmza", {{QPointF(1, 1), QPointF(9, 9)}}, 2, InkColor::black);
            store.tool<SignTool>().place(store.data().signatures.first());
            const bool cancelled = situation == "cancelled";
            const QString output = work + QStringLiteral("/imzalı.pdf");
            dialogs.saveAnswers = {cancelled ? std::nullopt : std::optional(output)};
            store.run(store.tool<SignTool>());
            QVERIFY(handed);
            QTRY_VERIFY_WITH_TIMEOUT(!store.busy(), 60000);
            QCOMPARE(QFile::exists(output), !cancelled);
            QVERIFY(cancelled || Fixtures::readTags(output) == QStringList({"a.pdf1", "a.pdf2"}));
            QCOMPARE(signName(), cancelled ? "b.pdf" : "a.pdf");
            QCOMPARE(store.tool<SignTool>().placements().size(), cancelled ? 0 : 1);
        } else {
            Navigation::setCurrent(QStringLiteral("merge"));
            QVERIFY(handOver({"kalın-1.pdf", "kalın-2.pdf"}));
            QTRY_COMPARE(store.tool<MergeTool>().mergeFiles().size(), 2);
            dialogs.meanwhile = {};
            dialogs.saveAnswers = {work + QStringLiteral("/birleşik.pdf")};
            store.run(store.tool<MergeTool>());
            QVERIFY(store.busy());
            // Held still so the launch surely arrives mid-run.
            QList<qint64> workers = Fixtures::childProcesses(QStringLiteral("leaflow-worker"));
            workers.removeAll(store.spareWorker());
            QCOMPARE(workers.size(), 1);
            ::kill(static_cast<pid_t>(workers.first()), SIGSTOP);
            handed = handOver({"b.pdf"});
            ::kill(static_cast<pid_t>(workers.first()), SIGCONT);
            QVERIFY(handed);
            QTRY_VERIFY_WITH_TIMEOUT(!store.busy(), 60000);
            QCOMPARE(busyOnArrival, (QList<bool>{false, true}));
            QCOMPARE(store.tool<MergeTool>().mergeFiles().size(), 2);
            QVERIFY(QFile::exists(work + QStringLiteral("/birleşik.pdf")));
        }
        QVERIFY(!store.banner(store.shownPage()) || !store.banner(store.shownPage())->isError());
    }

    // "Yeniden aç": one instance remains, in the new language, with each tool's files.
    void relaunchHandsOverTheFilesInTheNewLanguage()
    {
        AppHome home;
        const QString work = home.work();
        writeNamedPdfs(work, {"a.pdf", "b.pdf", "c.pdf"});
        const QString log = home.root() + QStringLiteral("/relaunched.log");
        const auto store = [&home](const QString& language) {
            QSettings(home.settingsFile(), QSettings::IniFormat)
                .setValue("AppleLanguages", QStringList{language});
        };
        store(QStringLiteral("tr"));
        RunningWindow first(home, {"--tool=merge", "a.pdf", "b.pdf", "--tool=sign", "c.pdf"}, work,
                            {"LEAFLOW_TEST_RELAUNCH=" + log});
        const QString inputs = QStringLiteral("inputs: merge=a.pdf,b.pdf split= compress= "
                                              "sign=c.pdf pages= organize= ocr=\n");
        QVERIFY2(first.waitFor(inputs) >= 0, qPrintable(first.said()));
        QVERIFY(first.said().contains("language: tr"));
        store(QStringLiteral("es"));
        QVERIFY(home.run({}, {})); // its hand-over is what makes the first one relaunch
        QVERIFY(first.waitForEnd());

        const auto relaunched = [&log] { return QString::fromUtf8(Fixtures::readBytes(log)); };
        QTRY_VERIFY_WITH_TIMEOUT(relaunched().contains(inputs), 20000);
        QVERIFY(relaunched().contains("language: es"));
        const auto pid =
            QRegularExpression("process (\\d+)").match(relaunched()).captured(1).toInt();
        QVERIFY(pid > 0);
        const auto stop = qScopeGuard([pid] { ::kill(pid, SIGTERM); });
        QVERIFY(relaunched().contains("listening: " + home.runtime() + "/leaflow.socket"));
        QVERIFY(home.handOver({}, {}));
    }

    // A relaunch that cannot start is told in settings; this process keeps its files and channel.
    void relaunchThatCannotStartSaysSo()
    {
        AppHome home;
        ScriptedDialogs dialogs;
        ScriptedReveal reveal;
        Store store(dialogs, reveal, DataFile(home.data()));
        ToolTable::install(store);
        writeNamedPdfs(home.root(), {"a.pdf"});
        store.addFiles({home.root() + QStringLiteral("/a.pdf")}, store.tool<MergeTool>());
        QTRY_COMPARE(store.tool<MergeTool>().mergeFiles().size(), 1);
        MainWindow window(store);
        window.show();
        SingleInstance channel(home.runtime() + QStringLiteral("/leaflow.socket"));
        QVERIFY(channel.listen());
        Relauncher relauncher(channel, store, {}, home.root() + QStringLiteral("/gone/leaflow"));
        LanguagePicker::setRelaunch(
            [&relauncher] { return relauncher.relaunch() != Relauncher::Outcome::failed; });
        const auto forget = qScopeGuard([] { LanguagePicker::setRelaunch({}); });

        window.windows().showSettingsPane(SettingsPane::general);
        auto* picker = window.windows().settings()->findChild<LanguagePicker*>();
        QTest::keyClick(picker->findChild<QComboBox*>(), Qt::Key_Down);
        QVERIFY(picker->offersRestart());
        auto* failure = picker->findChild<QLabel*>(QStringLiteral("relaunchFailed"));
        QVERIFY(!failure->isVisibleTo(picker));
        QTest::mouseClick(picker->findChild<QPushButton*>(), Qt::LeftButton);
        QVERIFY(failure->isVisibleTo(picker));
        QVERIFY(channel.isListening());
        QCOMPARE(store.tool<MergeTool>().mergeFiles().size(), 1);
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
        QCOMPARE(names, (QStringList{"about.png", "compress.png", "history.png", "merge.png",
                                     "ocr.png", "organize.png", "pages.png", "settings.png",
                                     "sign.png", "split.png", "tray.png"}));
        names = names.filter(
            QRegularExpression("^(merge|split|compress|sign|pages|organize|ocr|history)"));
        const QSize first = QImageReader(QDir(shots).filePath(names.first())).size();
        QCOMPARE(first.width(), pixelWidth);
        for (const QString& name : names) {
            const QImage image(QDir(shots).filePath(name));
            QCOMPARE(image.size(), first);
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
