#include "CliRun.h"

#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>

// Every damaged, encrypted, rotated and odd file of the shared corpus goes
// through leaflow-cli (merge with itself, split, delete) in a bounded child
// process: each must end with a result or a message, never a crash or a hang.
// Faults that Debian 12's own qpdf shows on a file (the corpus baseline) are
// expected until the engine runs in a process of its own.
class CorpusTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void survives_data();
    void survives();
    void lockedFilesNeedTheirPassword_data();
    void lockedFilesNeedTheirPassword();

private:
    struct Job {
        QString file;    // relative to the corpus
        QString command; // merge, split, delete, locked
        QStringList arguments;
        CliRun::Result result;
    };
    struct Entry {
        std::optional<QString> password; // what a user would type
        QString baselineQpdf;            // qpdf --check exit status, or a fault
        bool qpdfOpensWithPassword = false;
        bool qpdfNeedsPassword = false;
    };

    void runAll();
    void start(Job& job, QList<QPointer<QProcess>>& running);
    const Job* find(const QString& file, const QString& command) const;

    QString m_corpus;
    QTemporaryDir m_work;
    QTemporaryDir m_config;
    QStringList m_files;
    QHash<QString, Entry> m_entries;
    std::vector<Job> m_jobs;
};

namespace {

constexpr int timeBoundMs = 20'000;
constexpr rlim_t memoryBound = rlim_t(3) << 30;

// Reads "<U+2F874>" as the character it names.
QString decodeCodePoints(QString text)
{
    static const QRegularExpression codePoint(QStringLiteral("<U\\+([0-9A-Fa-f]{4,6})>"));
    QRegularExpressionMatch match;
    while ((match = codePoint.match(text)).hasMatch()) {
        const char32_t value = match.captured(1).toUInt(nullptr, 16);
        text.replace(match.capturedStart(), match.capturedLength(), QString::fromUcs4(&value, 1));
    }
    return text;
}

// The index describes passwords for people: "user=view; owner=master",
// "<empty>", "owner=x", "A x4 + A", "P or Q (must open)", "(none valid)".
// Take the user password, else the owner password, else the first word.
std::optional<QString> passwordFromIndex(const QString& field)
{
    if (field.isEmpty()) {
        return std::nullopt;
    }
    QString chosen;
    const QStringList parts = field.split(u';');
    for (const char* key : {"user=", "owner="}) {
        for (const QString& part : parts) {
            if (chosen.isEmpty() && part.trimmed().startsWith(QLatin1String(key))) {
                chosen = part.trimmed().mid(int(qstrlen(key)));
            }
        }
    }
    if (chosen.isEmpty()) {
        chosen = parts.first().trimmed();
    }
    static const QRegularExpression repeated(QStringLiteral("^(\\S+) x(\\d+) \\+ (\\S+)"));
    if (const auto m = repeated.match(chosen); m.hasMatch()) {
        return m.captured(1).repeated(m.captured(2).toInt()) + m.captured(3);
    }
    if (chosen.startsWith(u'(')) {
        return std::nullopt;
    }
    chosen = chosen.section(u' ', 0, 0);
    if (chosen == QStringLiteral("<empty>")) {
        return QString();
    }
    return decodeCodePoints(chosen);
}

QHash<QString, QStringList> readTable(const QString& path)
{
    QHash<QString, QStringList> rows;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return rows;
    }
    file.readLine(); // header
    while (!file.atEnd()) {
        const QStringList cells = QString::fromUtf8(file.readLine()).chopped(1).split(u'\t');
        if (cells.size() > 1) {
            rows.insert(cells.first(), cells);
        }
    }
    return rows;
}

// Runs qpdf itself to learn what it makes of a file; its exit status.
int qpdfStatus(const QStringList& arguments)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), arguments);
    if (!qpdf.waitForFinished(timeBoundMs)) {
        qpdf.kill();
        qpdf.waitForFinished();
        return -1;
    }
    return qpdf.exitStatus() == QProcess::NormalExit ? qpdf.exitCode() : -1;
}

bool isQpdfFault(const QString& baseline)
{
    return !baseline.isEmpty() && baseline != QStringLiteral("0") &&
           baseline != QStringLiteral("2") && baseline != QStringLiteral("3");
}

QString describe(const CliRun::Result& result)
{
    if (result.timedOut) {
        return QStringLiteral("no result within %1 s").arg(timeBoundMs / 1000);
    }
    if (result.crashed) {
        return QStringLiteral("crashed");
    }
    return QStringLiteral("exit %1: %2")
        .arg(result.exitCode)
        .arg(QString::fromUtf8(result.err).trimmed());
}

} // namespace

void CorpusTest::initTestCase()
{
    QVERIFY2(QFile::exists(CliRun::program()), "LEAFLOW_CLI must name the built leaflow-cli");
    // The corpus sits beside the clone; a work tree below it looks further up.
    for (QDir dir(qEnvironmentVariable("LEAFLOW_SOURCE_DIR")); m_corpus.isEmpty();) {
        const QString candidate = dir.absoluteFilePath(QStringLiteral("../shared/corpus"));
        if (QFile::exists(candidate + QStringLiteral("/INDEX.tsv"))) {
            m_corpus = QDir::cleanPath(candidate);
        } else if (!dir.cdUp()) {
            QFAIL("the shared corpus is not beside the project");
        }
    }
    const auto index = readTable(m_corpus + QStringLiteral("/INDEX.tsv"));
    const auto baseline = readTable(m_corpus + QStringLiteral("/BASELINE-debian12.tsv"));
    for (const char* folder : {"damaged", "encrypted", "rotated", "misc"}) {
        QDirIterator it(m_corpus + u'/' + QLatin1String(folder), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.endsWith(QStringLiteral(".pdf")) || path.endsWith(QStringLiteral(".fuzz"))) {
                m_files.append(QDir(m_corpus).relativeFilePath(path));
            }
        }
    }
    m_files.sort();
    QVERIFY(m_files.size() > 50);

    for (const QString& file : std::as_const(m_files)) {
        Entry entry;
        entry.password = passwordFromIndex(index.value(file).value(5));
        entry.baselineQpdf = baseline.value(file).value(1);
        const QString path = m_corpus + u'/' + file;
        if (file.startsWith(QStringLiteral("encrypted/")) || entry.password) {
            entry.qpdfNeedsPassword = qpdfStatus({QStringLiteral("--requires-password"), path}) ==
                                      0;
            if (entry.password) {
                const int status =
                    qpdfStatus({QStringLiteral("--show-npages"),
                                QStringLiteral("--password=") + *entry.password, path});
                entry.qpdfOpensWithPassword = status == 0 || status == 3;
            }
        }
        m_entries.insert(file, entry);
    }

    for (const QString& file : std::as_const(m_files)) {
        const Entry& entry = m_entries[file];
        const QString path = m_corpus + u'/' + file;
        QStringList input;
        if (entry.password) {
            input.append(QStringLiteral("--password=") + *entry.password);
        }
        input.append(path);
        const QString out = m_work.filePath(QString::number(m_jobs.size()));
        QDir().mkpath(out);
        m_jobs.push_back({file,
                          QStringLiteral("merge"),
                          QStringList{"merge", "-o", out + "/merged.pdf"} + input + input,
                          {}});
        m_jobs.push_back(
            {file, QStringLiteral("split"), QStringList{"split", "--each", "-d", out} + input, {}});
        m_jobs.push_back({file,
                          QStringLiteral("delete"),
                          QStringList{"delete", "--pages=1", "-o", out + "/deleted.pdf"} + input,
                          {}});
        if (entry.qpdfNeedsPassword) {
            m_jobs.push_back({file,
                              QStringLiteral("locked"),
                              QStringList{"merge", "-o", out + "/locked.pdf", path},
                              {}});
        }
    }
    runAll();
}

// Runs every job, a few at a time, each under its own time and memory bound.
void CorpusTest::runAll()
{
    const int parallel = std::clamp(QThread::idealThreadCount(), 2, 4);
    QList<QPointer<QProcess>> running;
    QEventLoop loop;
    size_t next = 0;
    std::function<void()> fill = [&] {
        while (running.size() < parallel && next < m_jobs.size()) {
            start(m_jobs[next++], running);
            connect(
                running.last(), &QProcess::finished, &loop,
                [&] {
                    running.removeIf([](const QPointer<QProcess>& p) {
                        return !p || p->state() == QProcess::NotRunning;
                    });
                    fill();
                    if (running.isEmpty()) {
                        loop.quit();
                    }
                },
                Qt::QueuedConnection);
        }
    };
    fill();
    if (!running.isEmpty()) {
        loop.exec();
    }
}

void CorpusTest::start(Job& job, QList<QPointer<QProcess>>& running)
{
    auto* process = new QProcess(this);
    process->setProcessEnvironment(CliRun::environment(m_config.path()));
    process->setWorkingDirectory(m_work.path());
    // The sanitizer runtime reserves far more address space than any bound allows.
    if (!qEnvironmentVariableIsSet("ASAN_OPTIONS")) {
        process->setChildProcessModifier([] {
            const rlimit limit{memoryBound, memoryBound};
            setrlimit(RLIMIT_AS, &limit);
        });
    }
    auto* timer = new QTimer(process);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, process, [&job, process] {
        job.result.timedOut = true;
        process->kill();
    });
    connect(process, &QProcess::finished, process, [&job, process, timer] {
        timer->stop();
        job.result.crashed = !job.result.timedOut && process->exitStatus() == QProcess::CrashExit;
        job.result.exitCode = process->exitCode();
        job.result.out = process->readAllStandardOutput();
        job.result.err = process->readAllStandardError();
        process->deleteLater();
    });
    process->start(CliRun::program(), job.arguments);
    process->closeWriteChannel();
    timer->start(timeBoundMs);
    running.append(process);
}

const CorpusTest::Job* CorpusTest::find(const QString& file, const QString& command) const
{
    for (const Job& job : m_jobs) {
        if (job.file == file && job.command == command) {
            return &job;
        }
    }
    return nullptr;
}

void CorpusTest::survives_data()
{
    QTest::addColumn<QString>("file");
    for (const QString& file : std::as_const(m_files)) {
        QTest::newRow(qPrintable(file)) << file;
    }
}

void CorpusTest::survives()
{
    QFETCH(QString, file);
    const Entry& entry = m_entries[file];
    for (const char* command : {"merge", "split", "delete"}) {
        const Job* job = find(file, QLatin1String(command));
        QVERIFY(job);
        const CliRun::Result& r = job->result;
        const bool bounded = !r.timedOut && !r.crashed && (r.exitCode == 0 || r.exitCode == 1);
        const QString what = QStringLiteral("%1: %2").arg(QLatin1String(command), describe(r));
        if (!bounded && isQpdfFault(entry.baselineQpdf)) {
            QEXPECT_FAIL("",
                         qPrintable(
                             QStringLiteral("Debian 12's qpdf itself fails on this file (%1)")
                                 .arg(entry.baselineQpdf)),
                         Continue);
        }
        QVERIFY2(bounded, qPrintable(what));
        if (r.exitCode == 1) {
            // A failure explains itself in one line.
            QVERIFY2(r.err.endsWith('\n') && r.err.count('\n') == 1, qPrintable(what));
        }
        if (entry.password && entry.qpdfOpensWithPassword) {
            const bool keepsOnePage = QLatin1String(command) == QLatin1String("delete") &&
                                      r.err.startsWith("En az bir sayfa kalmalı.");
            QVERIFY2(r.exitCode == 0 || keepsOnePage, qPrintable(what));
        }
    }
}

void CorpusTest::lockedFilesNeedTheirPassword_data()
{
    QTest::addColumn<QString>("file");
    for (const QString& file : std::as_const(m_files)) {
        if (m_entries[file].qpdfNeedsPassword) {
            QTest::newRow(qPrintable(file)) << file;
        }
    }
}

void CorpusTest::lockedFilesNeedTheirPassword()
{
    QFETCH(QString, file);
    const Job* job = find(file, QStringLiteral("locked"));
    QVERIFY(job);
    QCOMPARE(job->result.exitCode, 1);
    QCOMPARE(QString::fromUtf8(job->result.err),
             QFileInfo(file).fileName() +
                 QStringLiteral(" parola korumalı. Dosyayı yeniden ekleyip parolasını gir.\n"));
}

QTEST_GUILESS_MAIN(CorpusTest)
#include "CorpusTest.moc"
