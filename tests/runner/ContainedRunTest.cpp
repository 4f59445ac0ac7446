#include "ContainedRun.h"
#include "ChildLimits.h"
#include "Fixtures.h"
#include "HelperFixtures.h"
#include "HostileFixtures.h"
#include "WorkerProtocol.h"

#include "AppLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace std::chrono_literals;
using namespace PDFEngine;
using HelperFixtures::Broken;

namespace {

PDFEngine::Job signJob()
{
    SignatureArt::Strokes strokes;
    strokes.strokes = {{QPointF(0.1, 0.2), QPointF(0.5, 0.9)}};
    strokes.weight = 0.07;
    strokes.ink = InkColor::blue;
    return PDFEngine::SignJob{PDFSource{"/a/Ş.pdf", "parola"},
                              {{2, QRectF(0.1, 0.2, 0.3, 0.4), SignatureArt(strokes)},
                               {0, QRectF(0, 0, 1, 1), SignatureArt(SignatureArt::Image{"PNG"})}},
                              "/b/imzalı.pdf"};
}

// Every file under root that holds text.
QStringList filesHolding(const QString& root, const QString& text)
{
    QStringList holding;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(text.toUtf8())) {
            holding.append(path);
        }
    }
    return holding;
}

} // namespace

// The road from a job to a worker process and back: the bytes on the pipe,
// and what is left after a worker that is killed, runs out of memory or
// carries a password.
class ContainedRunTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppLanguages::installTranslator(*QCoreApplication::instance(), AppLanguage::tr);
        QVERIFY(m_dir.isValid() && m_temp.isValid());
        // The workers inherit it: whatever they keep in temporary files stays in view.
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    }

    // Whatever a request holds comes back equal, every field of every kind of job (each set
    // away from its default in some row), and no cut or damaged copy of its bytes makes the
    // reader crash or read past what it has.
    void requestsSurviveTheTripAndDamage_data()
    {
        QTest::addColumn<Job>("job");
        QTest::newRow("merge with a password")
            << Job(MergeJob{{{"/a/1.pdf", "ş"}, {"/a/2.pdf", {}}}, "/o.pdf"});
        QTest::newRow("split each, with a password")
            << Job(SplitJob{{"/a/k.pdf", "p"}, {SplitMode::each, 2, {}}, "/d"});
        QTest::newRow("split every 7 into a new folder")
            << Job(SplitJob{{"/a/k.pdf", {}}, {SplitMode::every, 7, {}}, "/e", true});
        QTest::newRow("split by ranges")
            << Job(SplitJob{{"/a/k.pdf", {}}, {SplitMode::ranges, 3, "1-3, 5"}, "/d"});
        QTest::newRow("compress one")
            << Job(CompressJob{{{"/a/1.pdf", "ş"}}, CompressionLevel::light, "/o.pdf", {}, {"1"}});
        QTest::newRow("compress several into a new folder")
            << Job(CompressJob{{{"/a/1.pdf", {}}, {"/b/1.pdf", ""}},
                               CompressionLevel::strong,
                               {},
                               "/d",
                               {"x", "y"},
                               true});
        QTest::newRow("delete with ranges")
            << Job(DeletePagesJob{{"/a/s.pdf", {}}, {0, 4}, QString("2-"), "/o.pdf"});
        QTest::newRow("delete without ranges")
            << Job(DeletePagesJob{{"/a/s.pdf", "p"}, {7}, std::nullopt, "/p.pdf"});
        QTest::newRow("sign strokes and image") << signJob();
        QTest::newRow("inspect with a password") << Job(InspectJob{{"/a/i.pdf", "parola"}});
    }
    void requestsSurviveTheTripAndDamage()
    {
        QFETCH(Job, job);
        const QByteArray bytes = WorkerProtocol::encode({AppLanguage::es, job});
        const auto decoded = WorkerProtocol::decodeRequest(bytes);
        QVERIFY(decoded);
        QCOMPARE(decoded->language, AppLanguage::es);
        QVERIFY(decoded->job == job);
        for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
            QVERIFY(!WorkerProtocol::decodeRequest(bytes.first(cut)));
        }
        for (qsizetype at = 0; at < bytes.size(); ++at) {
            QByteArray damaged = bytes;
            damaged[at] = char(~damaged[at]);
            WorkerProtocol::decodeRequest(damaged); // anything but a crash
        }
    }

    // An outcome comes back equal, every field of it, and a cut one is refused.
    void outcomesSurviveTheTrip_data()
    {
        QTest::addColumn<Outcome>("outcome");
        Outcome split;
        split.outputs = {"/d/k 1.pdf", "/d/k 2.pdf"};
        split.staging = {"/d/.leaflow-1",
                         "/d",
                         {{"/d/.leaflow-1/1", "/d/k 1.pdf"}, {"/d/.leaflow-1/2", "/d/k 2.pdf"}}};
        Outcome compressed;
        compressed.outputs = {"/d/x.pdf"};
        compressed.perSource = {QString("/d/x.pdf"), std::nullopt};
        Outcome failed;
        failed.failure = "k.pdf açılamadı.";
        Outcome notSmaller;
        notSmaller.perSource = {std::nullopt};
        notSmaller.notSmaller = "Daha fazla küçülmedi.";
        Outcome counted;
        counted.pageCount = 12;
        Outcome locked;
        locked.locked = true;
        QTest::newRow("split") << split;
        QTest::newRow("compressed one of two") << compressed;
        QTest::newRow("failed") << failed;
        QTest::newRow("nothing smaller") << notSmaller;
        QTest::newRow("pages counted") << counted;
        QTest::newRow("locked") << locked;
    }
    void outcomesSurviveTheTrip()
    {
        QFETCH(Outcome, outcome);
        const QByteArray bytes = WorkerProtocol::encode(WorkerProtocol::Finished{outcome});
        const auto decoded = WorkerProtocol::decodeMessage(bytes);
        QVERIFY(decoded && std::holds_alternative<WorkerProtocol::Finished>(*decoded));
        QVERIFY(std::get<WorkerProtocol::Finished>(*decoded).outcome == outcome);
        for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
            QVERIFY(!WorkerProtocol::decodeMessage(bytes.first(cut)));
        }
    }

    // A count far beyond the bytes at hand is refused, not allocated.
    void liesAboutSizesAreRefused()
    {
        Outcome written;
        written.outputs = {"/o.pdf"};
        QByteArray outcome = WorkerProtocol::encode(WorkerProtocol::Finished{written});
        QVERIFY(WorkerProtocol::decodeMessage(outcome));
        outcome.replace(outcome.indexOf(QByteArray("\0\0\0\1", 4)), 4, "\x7f\xff\xff\xff");
        QVERIFY(!WorkerProtocol::decodeMessage(outcome));
    }

    // A worker that cannot start is the installation's fault, and the message says so instead
    // of blaming the input; nothing is written. (One that is missing: CliTest's "worker not
    // installed" row, which runs through here.)
    void brokenWorkerIsNamed()
    {
        QTemporaryDir work;
        const HelperFixtures::Override worker("LEAFLOW_WORKER",
                                              HelperFixtures::write(work.path(), "leaflow-worker",
                                                                    Broken::loaderRefuses));
        const QString input = work.filePath("girdi.pdf");
        Fixtures::writePdf(input, Fixtures::tagged("G", 1));
        const QStringList before = Fixtures::entries(work.path());
        ContainedRun run;
        const auto outcome =
            run.run(MergeJob{{{input, {}}}, work.filePath("yeni.pdf")}, RunLimits{60s, 0});
        QVERIFY(outcome);
        QCOMPARE(outcome->failure.value_or(""),
                 "Leaflow eksik kurulmuş: leaflow-worker başlatılamadı.");
        QCOMPARE(Fixtures::entries(work.path()), before);
    }

    // Killed while writing: the destination keeps its old bytes and the hidden
    // folder the worker wrote in is gone.
    void killedMidWriteLeavesNothing()
    {
        const QString input = m_dir.filePath("büyük.pdf");
        HostileFixtures::writeBulky(input, 40, 1);
        const QString destination = m_dir.filePath("hedef.pdf");
        Fixtures::writeBytes(destination, "eski");
        ContainedRun run;
        // Reports start while the inputs are read: it is killed at the first once it writes.
        connect(&run, &ContainedRun::progress, this, [&] {
            if (run.isRunning() && !Fixtures::entries(m_dir.path()).filter(".leaflow-").isEmpty()) {
                ::kill(pid_t(run.processId()), SIGKILL);
            }
        });
        const auto outcome = run.run(PDFEngine::MergeJob{{{input, {}}, {input, {}}}, destination},
                                     RunLimits{60s, 0});
        QVERIFY(outcome);
        QCOMPARE(outcome->failure.value_or(""),
                 "büyük.pdf işlenemedi: işlem beklenmedik biçimde sona erdi.");
        QCOMPARE(Fixtures::readBytes(destination), QByteArray("eski"));
        QCOMPARE(Fixtures::entries(m_dir.path()), (QStringList{"büyük.pdf", "hedef.pdf"}));
    }

    // Gigabytes from a few megabytes: the worker hits its bound and says so.
    void memoryBombEndsInTheMemoryError()
    {
        if (!ChildLimits::boundsMemory()) {
            QSKIP("AddressSanitizer reserves terabytes of address space, so no worker runs "
                  "under an address-space bound in this build");
        }
        const QString input = m_dir.filePath("bomba.pdf");
        HostileFixtures::writeMemoryBomb(input, qint64(3) << 30);
        QTemporaryDir out;
        ContainedRun run;
        const auto outcome = run.run(PDFEngine::SplitJob{{input, {}}, {}, out.path()},
                                     RunLimits{60s, qint64(512) << 20});
        QVERIFY(outcome);
        QCOMPARE(outcome->failure.value_or(""), "bomba.pdf işlenemedi: bellek yetmedi.");
        QCOMPARE(Fixtures::entries(out.path()), QStringList{});
    }

    // A protected document's pages, written without its password, are never where
    // another account could read them before they are in place: never in the temporary
    // folder, and beside the destination only inside a folder closed to others. The password
    // reaches the worker through the pipe only: not its command line or environment (read
    // while it runs), nor any file of the run.
    void protectedDocumentStaysPrivate()
    {
        for (const bool merge : {true, false}) { // else compress
            // Not under the temporary folder the workers are given, which must stay empty.
            QTemporaryDir folder(m_dir.filePath("özel-XXXXXX"));
            const QString password = "Pw" + QUuid::createUuid().toString(QUuid::Id128);
            const QString locked = folder.filePath("kilitli.pdf");
            Fixtures::writePdf(locked, Fixtures::tagged("K", 30),
                               {Fixtures::Cipher::aes256, password, password + "-owner"});
            const QString bulky = folder.filePath("ek.pdf");
            HostileFixtures::writeBulky(bulky, 20, 1);
            const QString destination = folder.filePath("çıktı.pdf");
            const PDFEngine::Job job =
                merge ? PDFEngine::Job(
                            PDFEngine::MergeJob{{{locked, password}, {bulky, {}}}, destination})
                      : PDFEngine::Job(PDFEngine::CompressJob{
                            {{locked, password}}, CompressionLevel::strong, destination, {}, {}});
            QStringList exposed;
            QByteArray seen;
            ContainedRun run;
            connect(&run, &ContainedRun::progress, this, [&] {
                exposed += readableByOthers(folder.path(), {locked, bulky});
                exposed += Fixtures::entries(m_temp.path());
                if (seen.isEmpty() && run.isRunning()) {
                    for (const char* part : {"cmdline", "environ"}) {
                        seen += Fixtures::readBytes(
                            QStringLiteral("/proc/%1/%2").arg(run.processId()).arg(part));
                    }
                }
            });
            const auto outcome = run.run(job, RunLimits{60s, 0});
            QVERIFY(outcome && !outcome->failure);
            QVERIFY(seen.contains("PATH=")); // reported while the worker was alive and readable
            QVERIFY(!seen.contains(password.toUtf8()));
            QCOMPARE(filesHolding(m_dir.path(), password), QStringList{});
            QCOMPARE(exposed, QStringList{});
            QCOMPARE(Fixtures::entries(m_temp.path()), QStringList{});
            QCOMPARE(Fixtures::entries(folder.path()).filter(".leaflow-"), QStringList{});
        }
    }

private:
    // Files under root, but for those listed, that another account could read: every folder
    // on the way open to others, and the file itself readable by them.
    static QStringList readableByOthers(const QString& root, const QStringList& except)
    {
        QStringList readable;
        QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (except.contains(path)) {
                continue;
            }
            bool open = QFileInfo(path).permission(QFile::ReadOther);
            for (QString dir = QFileInfo(path).absolutePath(); open && dir != root;
                 dir = QFileInfo(dir).absolutePath()) {
                open = QFileInfo(dir).permission(QFile::ExeOther);
            }
            if (open) {
                readable.append(path);
            }
        }
        return readable;
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_temp;
};

QTEST_GUILESS_MAIN(ContainedRunTest)
#include "ContainedRunTest.moc"
