#include "HelperFixtures.h"
#include "process/ChildLimits.h"
#include "process/Framing.h"
#include "process/HelperPath.h"
#include "process/HelperProcess.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <iostream>
#include <sys/resource.h>
#include <unistd.h>

using HelperFixtures::Broken;

namespace {

Helper helperNamed(const QString& name)
{
    return name == QStringLiteral("renderer") ? Helper::renderer : Helper::worker;
}

// This program started again by a test: prints where the helper is found.
int printFound(const QString& helper)
{
    std::cout << HelperPath::find(helperNamed(helper)).toStdString() << std::flush;
    return 0;
}

// This program started again: starts the helper (`sleep`) as Leaflow does, prints its id, waits.
int parentOf(const QString& helper)
{
    QProcess child;
    HelperProcess::prepare(child, helperNamed(helper), {});
    child.setArguments({QStringLiteral("600")});
    child.start();
    if (!child.waitForStarted()) {
        return 1;
    }
    std::cout << child.processId() << std::endl;
    for (;;) {
        ::pause();
    }
}

// Neither gone nor a zombie waiting to be collected.
bool alive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

// Soft and hard value of one line of /proc/<pid>/limits.
QStringList limitOf(const QString& limits, const QString& label)
{
    for (const QString& line : limits.split(u'\n')) {
        if (line.startsWith(label)) {
            return line.split(QRegularExpression(QStringLiteral("\\s{2,}"))).mid(1, 2);
        }
    }
    return {};
}

// What the kernel shows for a bound: this process's own unless bound is lower.
QStringList expectedLimit(int resource, qint64 soft, qint64 hard)
{
    rlimit own{};
    getrlimit(resource, &own);
    const auto shown = [](rlim_t ownValue, qint64 bound) {
        const rlim_t value = bound > 0 ? std::min(ownValue, rlim_t(bound)) : ownValue;
        return value == RLIM_INFINITY ? QStringLiteral("unlimited") : QString::number(value);
    };
    return {shown(own.rlim_cur, soft), shown(own.rlim_max, hard)};
}

} // namespace

// The helper-process layer the worker and the renderer share: frames, finding, bounds, start.
class ProcessTest : public QObject {
    Q_OBJECT

private slots:
    // However the bytes are cut on the pipe, the frames come out whole and in order.
    void framesArriveWholeInAnyPieces()
    {
        const QList<QByteArray> sent{"bir", {}, QByteArray(70000, 'x')};
        QByteArray bytes;
        for (const QByteArray& payload : sent) {
            bytes += Framing::frame(payload);
        }
        Framing::Reader reader(1 << 20);
        QList<QByteArray> received;
        for (const char byte : std::as_const(bytes)) {
            reader.feed(QByteArray(1, byte));
            while (std::optional<QByteArray> payload = reader.next()) {
                received.append(*payload);
            }
        }
        QCOMPARE(received, sent);
        QCOMPARE(reader.pending(), qsizetype(0));
        QVERIFY(!reader.broken());
    }

    // Blocking reads: frames up to the bound come back, then nothing; a broken stream stays so.
    void framesCrossAPipe_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<bool>("broken");
        QTest::newRow("end of input") << QByteArray() << false;
        QTest::newRow("one byte past the bound")
            << Framing::frame("12345") + Framing::frame("c") << true;
        QTest::newRow("all ones") << QByteArray("\xff\xff\xff\xff", 4) + Framing::frame("c")
                                  << true;
    }
    void framesCrossAPipe()
    {
        QFETCH(QByteArray, tail);
        QFETCH(bool, broken);
        std::array<int, 2> ends{};
        QCOMPARE(::pipe(ends.data()), 0);
        QVERIFY(Framing::writeAll(ends[1], Framing::frame("bir") + Framing::frame("üç") + tail));
        ::close(ends[1]);
        Framing::Reader reader(4);
        QCOMPARE(Framing::readFrame(ends[0], reader), QByteArray("bir"));
        QCOMPARE(Framing::readFrame(ends[0], reader), QByteArray("üç"));
        QVERIFY(!Framing::readFrame(ends[0], reader));
        QVERIFY(!Framing::readFrame(ends[0], reader));
        QCOMPARE(reader.broken(), broken);
        ::close(ends[0]);
    }

    // Files laid out under a folder with this program copied to its bin/: which one is found.
    void helpersAreFoundInOrder_data()
    {
        QTest::addColumn<QString>("helper");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("override"); // empty: the variable is not set
        QTest::addColumn<QString>("found");    // empty: missing
        const QString beside = "bin/leaflow-worker";
        const QString installed =
            QDir::cleanPath("bin/" LEAFLOW_HELPERS_FROM_BIN "/leaflow-worker");
        QTest::newRow("installed") << "worker" << QStringList{installed} << "" << installed;
        QTest::newRow("beside before installed")
            << "worker" << QStringList{installed, beside} << "" << beside;
        QTest::newRow("the override before all")
            << "worker" << QStringList{beside, installed, "elsewhere/w"} << "elsewhere/w"
            << "elsewhere/w";
        QTest::newRow("an override naming nothing is missing, whatever else is there")
            << "worker" << QStringList{beside, installed} << "gone/leaflow-worker"
            << "";
        QTest::newRow("another helper's file is not this one")
            << "renderer" << QStringList{beside, installed} << ""
            << "";
    }
    void helpersAreFoundInOrder()
    {
        QFETCH(QString, helper);
        QFETCH(QStringList, present);
        QFETCH(QString, override);
        QFETCH(QString, found);
        QTemporaryDir dir;
        const QString root = QFileInfo(dir.path()).canonicalFilePath();
        QVERIFY(QDir(root).mkpath("bin"));
        const QString copy = root + "/bin/ProcessTest";
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
        for (const QString& file : present) { // an executable file is all it takes
            QVERIFY(QDir(root).mkpath(QFileInfo(file).path()));
            HelperFixtures::write(root, file, Broken::loaderRefuses);
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("LEAFLOW_WORKER");
        environment.remove("LEAFLOW_RENDERER");
        if (!override.isEmpty()) {
            environment.insert(helper == "worker" ? "LEAFLOW_WORKER" : "LEAFLOW_RENDERER",
                               root + u'/' + override);
        }
        QCOMPARE(runCopy(copy, environment, helper), found.isEmpty() ? "" : root + u'/' + found);
    }

    // A program inside the build tree runs the helper built there.
    void inTheBuildTreeTheBuiltHelperIsFound()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("LEAFLOW_WORKER");
        QCOMPARE(runCopy(QCoreApplication::applicationFilePath(), environment, "worker"),
                 QFileInfo(LEAFLOW_BUILD_WORKER).absoluteFilePath());
    }

    // A helper runs under its bounds, without core files; no bound leaves the parent's own.
    void childIsHeldToItsBounds()
    {
        const HelperFixtures::Override cat("LEAFLOW_RENDERER",
                                           QStandardPaths::findExecutable("cat"));
        for (const auto& [memory, cpu] :
             {std::pair{qint64(1) << 30, qint64(30)}, std::pair{qint64(0), qint64(0)}}) {
            QProcess process;
            HelperProcess::prepare(process, Helper::renderer, {memory, cpu});
            process.setArguments({"/proc/self/limits"});
            process.start();
            QVERIFY(process.waitForFinished(20000));
            const QString limits = QString::fromUtf8(process.readAllStandardOutput());
            const qint64 space = ChildLimits::boundsMemory() ? memory : 0;
            QCOMPARE(limitOf(limits, "Max address space"), expectedLimit(RLIMIT_AS, space, space));
            QCOMPARE(limitOf(limits, "Max cpu time"),
                     expectedLimit(RLIMIT_CPU, cpu, cpu > 0 ? cpu + 5 : 0));
            QCOMPARE(limitOf(limits, "Max core file size"), (QStringList{"0", "0"}));
        }
    }

    // A helper never outlives the program that started it (the worker stands for both).
    void childDiesWithItsParent()
    {
        const HelperFixtures::Override sleep("LEAFLOW_WORKER",
                                             QStandardPaths::findExecutable("sleep"));
        QProcess parent;
        parent.start(QCoreApplication::applicationFilePath(), {"--parent-of", "worker"});
        QVERIFY(parent.waitForReadyRead(20000));
        const qint64 child = parent.readLine().trimmed().toLongLong();
        QVERIFY(child > 0 && alive(child));
        ::kill(pid_t(parent.processId()), SIGKILL);
        QVERIFY(parent.waitForFinished(20000));
        const bool ended = QTest::qWaitFor([child] { return !alive(child); }, 20000);
        if (!ended) {
            ::kill(pid_t(child), SIGKILL);
        }
        QVERIFY(ended);
    }

    // A helper that never ran is named as missing or unable to start; one that failed is not.
    void startFailureNamesTheHelper_data()
    {
        QTest::addColumn<int>("kind"); // Broken, or -1: a helper that runs and fails
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << int(Broken::missing)
                                 << "Leaflow eksik kurulmuş: leaflow-worker bulunamadı.";
        QTest::newRow("not a program")
            << int(Broken::notAProgram) << "Leaflow eksik kurulmuş: leaflow-worker başlatılamadı.";
        QTest::newRow("refused by the loader")
            << int(Broken::loaderRefuses)
            << "Leaflow eksik kurulmuş: leaflow-worker başlatılamadı.";
        QTest::newRow("ran and failed") << -1 << "";
    }
    void startFailureNamesTheHelper()
    {
        QFETCH(int, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = kind >= 0 ? HelperFixtures::write(dir.path(), "w", Broken(kind))
                                       : QStandardPaths::findExecutable("false");
        const HelperFixtures::Override broken("LEAFLOW_WORKER", path);
        QProcess process;
        HelperProcess::prepare(process, Helper::worker, {});
        process.start();
        process.waitForFinished(20000);
        QCOMPARE(process.state(), QProcess::NotRunning);
        QCOMPARE(HelperProcess::startFailure(process, Helper::worker).value_or(""), message);
    }

private:
    static QString runCopy(const QString& program, const QProcessEnvironment& environment,
                           const QString& helper)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, {"--find", helper});
        if (!process.waitForFinished(20000) || process.exitCode() != 0) {
            return QStringLiteral("(did not run)");
        }
        return QString::fromUtf8(process.readAllStandardOutput());
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--find")) {
        return printFound(arguments[2]);
    }
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--parent-of")) {
        return parentOf(arguments[2]);
    }
    ProcessTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ProcessTest.moc"
