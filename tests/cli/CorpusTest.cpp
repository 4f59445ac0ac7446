#include "CliRun.h"
#include "Fixtures.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QThreadPool>

namespace {

// The worker's bound, and the test's bound on the whole program around it.
constexpr int workerSeconds = 8;
constexpr int timeBoundMs = 30'000;

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
    QString chosen = field.section(u';', 0, 0).trimmed();
    for (const char* key : {"owner=", "user="}) { // a user password wins over an owner password
        if (const qsizetype at = field.indexOf(QLatin1String(key)); at >= 0) {
            chosen = field.mid(at + qsizetype(qstrlen(key))).section(u';', 0, 0).trimmed();
        }
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

// The index's rows by their first cell, the file's path.
QHash<QString, QStringList> readTable(const QString& path)
{
    QHash<QString, QStringList> rows;
    for (const QString& line : QString::fromUtf8(Fixtures::readBytes(path)).split(u'\n').mid(1)) {
        const QStringList cells = line.split(u'\t');
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

} // namespace

// Every corpus file (the project's own, or LEAFLOW_CORPUS) through leaflow-cli merge, split and
// delete: a result or one message, never a crash or hang, even where Debian 12's qpdf hangs.
class CorpusTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(CliRun::program()), "LEAFLOW_CLI must name the built leaflow-cli");
        m_corpus = Fixtures::sweepCorpus();
        QVERIFY2(QFile::exists(m_corpus + QStringLiteral("/INDEX.tsv")),
                 qPrintable(m_corpus + QStringLiteral(" holds no corpus: INDEX.tsv is missing")));
        const auto index = readTable(m_corpus + QStringLiteral("/INDEX.tsv"));
        for (const char* folder : {"damaged", "encrypted", "rotated", "misc"}) {
            for (const QFileInfo& info :
                 QDir(m_corpus + u'/' + QLatin1String(folder))
                     .entryInfoList({"*.pdf", "*.fuzz"}, QDir::Files | QDir::CaseSensitive)) {
                m_files.append(QDir(m_corpus).relativeFilePath(info.filePath()));
            }
        }
        m_files.sort();
        QVERIFY(!m_files.isEmpty());
        // Each file is the very one its index row names the source and licence of.
        for (const QString& file : std::as_const(m_files)) {
            const QByteArray sha =
                QCryptographicHash::hash(Fixtures::readBytes(m_corpus + u'/' + file),
                                         QCryptographicHash::Sha256);
            QVERIFY2(sha.toHex() == index.value(file).value(7).toLatin1(),
                     qPrintable(file + ": not the file its INDEX.tsv row describes"));
        }

        QList<std::pair<QString, QStringList>> jobs; // key and arguments
        for (const QString& file : std::as_const(m_files)) {
            Entry entry;
            entry.password = passwordFromIndex(index.value(file).value(5));
            const QString path = m_corpus + u'/' + file;
            if (file.startsWith(QStringLiteral("encrypted/")) || entry.password) {
                entry.qpdfNeedsPassword =
                    qpdfStatus({QStringLiteral("--requires-password"), path}) == 0;
                if (entry.password) {
                    const int status =
                        qpdfStatus({QStringLiteral("--show-npages"),
                                    QStringLiteral("--password=") + *entry.password, path});
                    entry.qpdfOpensWithPassword = status == 0 || status == 3;
                }
            }
            m_entries.insert(file, entry);

            QStringList input;
            if (entry.password) {
                input.append(QStringLiteral("--password=") + *entry.password);
            }
            input.append(path);
            const QString out = m_work.filePath(QString::number(jobs.size()));
            QDir().mkpath(out);
            input.append(QStringLiteral("--timeout=%1").arg(workerSeconds));
            jobs.append({file + "\tmerge",
                         QStringList{"merge", "-o", out + "/merged.pdf"} + input + input});
            jobs.append({file + "\tsplit", QStringList{"split", "--each", "-d", out} + input});
            jobs.append({file + "\tdelete",
                         QStringList{"delete", "--pages=1", "-o", out + "/deleted.pdf"} + input});
            if (entry.qpdfNeedsPassword) {
                jobs.append(
                    {file + "\tlocked", QStringList{"merge", "-o", out + "/locked.pdf", path}});
            }
        }
        // A few at a time, each child under its own time and memory bound.
        QList<CliRun::Result> results(jobs.size());
        QThreadPool pool;
        pool.setMaxThreadCount(std::clamp(QThread::idealThreadCount(), 2, 4));
        for (qsizetype i = 0; i < jobs.size(); ++i) {
            pool.start([&, i] {
                results[i] =
                    CliRun::run(jobs[i].second, m_work.path(), m_config.path(), timeBoundMs);
            });
        }
        pool.waitForDone();
        for (qsizetype i = 0; i < jobs.size(); ++i) {
            m_results.insert(jobs[i].first, results[i]);
        }
    }

    void survives_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString& file : std::as_const(m_files)) {
            QTest::newRow(qPrintable(file)) << file;
        }
    }

    void survives()
    {
        QFETCH(QString, file);
        const Entry& entry = m_entries[file];
        for (const char* command : {"merge", "split", "delete"}) {
            QVERIFY(m_results.contains(file + u'\t' + QLatin1String(command)));
            const CliRun::Result& r = m_results[file + u'\t' + QLatin1String(command)];
            const bool bounded = !r.timedOut && !r.crashed && (r.exitCode == 0 || r.exitCode == 1);
            const QString what = QLatin1String(command) +
                                 (r.timedOut  ? QStringLiteral(": no result in time")
                                  : r.crashed ? QStringLiteral(": crashed")
                                              : QStringLiteral(": exit %1: %2")
                                                    .arg(r.exitCode)
                                                    .arg(QString::fromUtf8(r.err).trimmed()));
            QVERIFY2(bounded, qPrintable(what));
            // Reading these never ends in Debian 12's qpdf parser.
            if (file.startsWith(QStringLiteral("damaged/qpdf__69977"))) {
                QCOMPARE(QString::fromUtf8(r.err),
                         QFileInfo(file).fileName() + QStringLiteral(" işlenemedi: süre doldu.\n"));
            }
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
        if (entry.qpdfNeedsPassword) {
            const CliRun::Result& locked = m_results[file + QStringLiteral("\tlocked")];
            QCOMPARE(locked.exitCode, 1);
            QCOMPARE(QString::fromUtf8(locked.err),
                     QFileInfo(file).fileName() +
                         QStringLiteral(
                             " parola korumalı. Dosyayı yeniden ekleyip parolasını gir.\n"));
        }
    }

private:
    struct Entry {
        std::optional<QString> password; // what a user would type
        bool qpdfOpensWithPassword = false;
        bool qpdfNeedsPassword = false;
    };

    QString m_corpus;
    QTemporaryDir m_work;
    QTemporaryDir m_config;
    QStringList m_files;
    QHash<QString, Entry> m_entries;
    QHash<QString, CliRun::Result> m_results; // by file, a tab, and command
};

QTEST_GUILESS_MAIN(CorpusTest)
#include "CorpusTest.moc"
