#include "runner/ContainedRun.h"
#include "Fixtures.h"
#include "HelperFixtures.h"
#include "HostileFixtures.h"
#include "process/ChildLimits.h"
#include "runner/SpareWorker.h"
#include "runner/WorkerProtocol.h"

#include "core/AppLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <functional>

using namespace std::chrono_literals;
using namespace PDFEngine;

namespace {

// Every file under root, hidden ones included, for which wanted(path) holds.
template <typename Wanted>
QStringList filesUnder(const QString& root, Wanted wanted)
{
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (const QString path = it.next(); wanted(path)) {
            found.append(path);
        }
    }
    return found;
}

} // namespace

// A job to a worker process and back: the pipe's bytes, and what a killed or secret run leaves.
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

    // Every field of every job comes back equal; cut or damaged bytes never crash the reader.
    void requestsSurviveTheTripAndDamage_data()
    {
        QTest::addColumn<Job>("job");
        QTest::newRow("merge with a password")
            << Job(MergeJob{{{"/a/1.pdf", "ş"}, {"/a/2.pdf", {}}}, "/o.pdf"});
        QTest::newRow("merge with ranges")
            << Job(MergeJob{{{"/a/1.pdf", {}}, {"/a/2.pdf", {}}}, "/o.pdf", {"1-3, 7", ""}});
        QTest::newRow("organize from two files")
            << Job(OrganizeJob{{{"/a/1.pdf", {}}, {"/a/2.pdf", "ş"}},
                               {{0, 2, 1}, {1, 0, -1}, {0, 2, 2}},
                               "/o.pdf"});
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
        const SignatureArt::Strokes strokes{{{QPointF(0.1, 0.2), QPointF(0.5, 0.9)}},
                                            0.07,
                                            InkColor::blue};
        QTest::newRow("sign strokes and image")
            << Job(SignJob{{"/a/Ş.pdf", "parola"},
                           {{2, QRectF(0.1, 0.2, 0.3, 0.4), SignatureArt(strokes)},
                            {0, QRectF(0, 0, 1, 1), SignatureArt(SignatureArt::Image{"PNG"})}},
                           "/b/imzalı.pdf"});
        QTest::newRow("inspect with a password") << Job(InspectJob{{"/a/i.pdf", "parola"}});
        QTest::newRow("recognise several, redone and turned")
            << Job(OcrJob{{{"/a/1.pdf", "ş"}, {"/b/1.pdf", {}}},
                          {"tur", "eng"},
                          true,
                          true,
                          {12, 3},
                          {},
                          "/d",
                          {"x", "y"},
                          true});
    }
    void requestsSurviveTheTripAndDamage()
    {
        QFETCH(Job, job);
        const QByteArray bytes = WorkerProtocol::encode({AppLanguage::es, job, {123, 45}});
        const auto decoded = WorkerProtocol::decodeRequest(bytes);
        QVERIFY(decoded);
        QCOMPARE(decoded->language, AppLanguage::es);
        QVERIFY(decoded->bounds.memoryBytes == 123 && decoded->bounds.cpuSeconds == 45);
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
        QTest::newRow("split") << outcomeWith([](Outcome& o) {
            o.outputs = {"/d/k 1.pdf", "/d/k 2.pdf"};
            o.staging = {"/d/.leaflow-1",
                         "/d",
                         {{"/d/.leaflow-1/1", "/d/k 1.pdf"}, {"/d/.leaflow-1/2", "/d/k 2.pdf"}}};
        });
        QTest::newRow("compressed one of two") << outcomeWith([](Outcome& o) {
            o.outputs = {"/d/x.pdf"};
            o.perSource = {QString("/d/x.pdf"), std::nullopt};
        });
        QTest::newRow("failed") << outcomeWith([](Outcome& o) { o.failure = "k.pdf açılamadı."; });
        QTest::newRow("nothing smaller") << outcomeWith([](Outcome& o) {
            o.perSource = {std::nullopt};
            o.notSmaller = "Daha fazla küçülmedi.";
        });
        QTest::newRow("recognised one of two") << outcomeWith([](Outcome& o) {
            o.outputs = {"/d/x.pdf"};
            o.perSource = {QString("/d/x.pdf"), std::nullopt};
            o.recognition = {{4, 1, 2}, {0, 7, 0}};
        });
        QTest::newRow("pages counted") << outcomeWith([](Outcome& o) { o.pageCount = 12; });
        QTest::newRow("locked") << outcomeWith([](Outcome& o) { o.locked = true; });
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
        QByteArray outcome = WorkerProtocol::encode(
            WorkerProtocol::Finished{outcomeWith([](Outcome& o) { o.outputs = {"/o.pdf"}; })});
        QVERIFY(WorkerProtocol::decodeMessage(outcome));
        outcome.replace(outcome.indexOf(QByteArray("\0\0\0\1", 4)), 4, "\x7f\xff\xff\xff");
        QVERIFY(!WorkerProtocol::decodeMessage(outcome));
    }

    // Recognition's time grows with its pages, those of a source counted as none guessed from its
    // size; its CPU bound lets every core recognise all the while.
    void recognitionTimeGrowsWithPages()
    {
        OcrJob job;
        job.sources = {{"/yok.pdf", {}}, {m_dir.filePath("yok.pdf"), {}}};
        job.pageCounts = {3, 0};
        QCOMPARE(RunLimits::forJob(job).wallTime, 60s + 15s * 4);
        QCOMPARE(RunLimits::forJob(job).childBounds().cpuSeconds,
                 std::max(2, QThread::idealThreadCount()) * 120 + 5);
    }

    // Killed while writing: the destination keeps its bytes and the hidden folder is gone.
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

    // Cut short while the worker reads it from its mapping, an input ends the worker as soon as
    // the write reaches the lost bytes: the run fails and nothing of it stays.
    void inputCutShortLeavesNothing()
    {
        QTemporaryDir folder(m_dir.filePath("kısa-XXXXXX"));
        const QString input = folder.filePath("kısalan.pdf");
        HostileFixtures::writeBulky(input, 40, 1);
        ContainedRun run;
        connect(&run, &ContainedRun::progress, this, [&] {
            if (!Fixtures::entries(folder.path()).filter(".leaflow-").isEmpty()) {
                QFile::resize(input, 0);
            }
        });
        const auto outcome =
            run.run(PDFEngine::MergeJob{{{input, {}}, {input, {}}}, folder.filePath("hedef.pdf")},
                    RunLimits{60s, 0});
        QVERIFY(outcome);
        QCOMPARE(outcome->failure.value_or(""),
                 "kısalan.pdf işlenemedi: işlem beklenmedik biçimde sona erdi.");
        QCOMPARE(Fixtures::entries(folder.path()), QStringList{"kısalan.pdf"});
    }

    // Gigabytes from a few megabytes: the worker hits its bound and says so, also the spare
    // worker, started before the bound was known.
    void memoryBombEndsInTheMemoryError_data()
    {
        QTest::addColumn<bool>("spare");
        QTest::newRow("fresh worker") << false;
        QTest::newRow("spare worker") << true;
    }
    void memoryBombEndsInTheMemoryError()
    {
        QFETCH(bool, spare);
        if (!ChildLimits::boundsMemory()) {
            QSKIP("AddressSanitizer reserves terabytes of address space, so no worker runs "
                  "under an address-space bound in this build");
        }
        const QString input = m_dir.filePath("bomba.pdf");
        HostileFixtures::writeMemoryBomb(input, qint64(3) << 30);
        QTemporaryDir out;
        SpareWorker waiting;
        ContainedRun run(nullptr, spare ? &waiting : nullptr);
        const auto outcome = run.run(PDFEngine::SplitJob{{input, {}}, {}, out.path()},
                                     RunLimits{60s, qint64(512) << 20});
        QVERIFY(outcome);
        QCOMPARE(outcome->failure.value_or(""), "bomba.pdf işlenemedi: bellek yetmedi.");
        QCOMPARE(Fixtures::entries(out.path()), QStringList{});
    }

    // The spare runs the next job and a new one waits behind it; one killed meanwhile does not run
    // it.
    void spareWorkerServesTheNextRun()
    {
        const QString input = m_dir.filePath("yedek.pdf");
        Fixtures::writePdf(input, Fixtures::tagged("Y", 2));
        SpareWorker spare;
        ContainedRun run(nullptr, &spare);
        QSignalSpy finished(&run, &ContainedRun::finished);
        const PDFEngine::Job job = PDFEngine::InspectJob{{input, {}}};
        const auto pagesCountedBy = [&](qint64 expected) {
            run.start(job, RunLimits::forJob(job));
            const qint64 ranIn = run.processId();
            return finished.wait() && ranIn != 0 && (expected == 0 || ranIn == expected) &&
                   finished.takeFirst().at(0).value<Outcome>().pageCount == 2;
        };
        const qint64 first = spare.processId();
        QVERIFY(first != 0);
        QVERIFY(pagesCountedBy(first));
        const qint64 second = spare.processId();
        QVERIFY(second != 0 && second != first);

        ::kill(pid_t(second), SIGKILL);
        QTRY_VERIFY(!alive(second));
        QVERIFY(pagesCountedBy(0));
        QVERIFY(spare.processId() != 0 && spare.processId() != second);

        // One that dies after it is handed the job but before it reads it gives the job to a
        // fresh worker: it is held stopped until it is handed over, then killed.
        const qint64 third = spare.processId();
        ::kill(pid_t(third), SIGSTOP);
        run.start(job, RunLimits::forJob(job));
        QCOMPARE(run.processId(), third);
        ::kill(pid_t(third), SIGKILL);
        QVERIFY(finished.wait());
        const auto outcome = finished.takeFirst().at(0).value<Outcome>();
        QCOMPARE(outcome.failure, std::nullopt);
        QCOMPARE(outcome.pageCount, 2);
    }

    // Recognition's module is loaded by the job that needs it: one missing fails that job, named.
    // The spare, started while it was there, is not used once the environment differs.
    void missingRecognitionModuleIsNamed()
    {
        const QString input = m_dir.filePath("tarama.pdf");
        Fixtures::Page scan;
        scan.block = true;
        Fixtures::writePdf(input, {scan});
        SpareWorker spare;
        const HelperFixtures::Override missing("LEAFLOW_OCR_MODULE", m_dir.filePath("yok/x.so"));
        ContainedRun run(nullptr, &spare);
        const PDFEngine::Job job = OcrJob{.sources = {{input, {}}},
                                          .languages = {"eng"},
                                          .redo = false,
                                          .turnPages = false,
                                          .pageCounts = {1},
                                          .destination = m_dir.filePath("tarama-out.pdf"),
                                          .folder = {},
                                          .baseNames = {},
                                          .createFolder = false};
        QCOMPARE(run.run(job, RunLimits::forJob(job)).value_or(Outcome{}).failure.value_or(""),
                 "Leaflow eksik kurulmuş: leaflow-ocr.so bulunamadı.");
    }

    // A protected document's pages are never readable by others, nor its password outside the pipe.
    void protectedDocumentStaysPrivate()
    {
        for (const QString kind : {"merge", "compress", "ocr"}) {
            // Not under the temporary folder the workers are given, which must stay empty.
            QTemporaryDir folder(m_dir.filePath("özel-XXXXXX"));
            const QString password = "Pw" + QUuid::createUuid().toString(QUuid::Id128);
            const QString locked = folder.filePath("kilitli.pdf");
            // Recognition reads only pages without text: a scan's, a square alone.
            QList<Fixtures::Page> pages = Fixtures::tagged("K", kind == "ocr" ? 2 : 30);
            for (Fixtures::Page& page : pages) {
                page.tag = kind == "ocr" ? QString() : page.tag;
                page.block = kind == "ocr";
            }
            Fixtures::writePdf(locked, pages,
                               {Fixtures::Cipher::aes256, password, password + "-owner"});
            const QString bulky = folder.filePath("ek.pdf");
            HostileFixtures::writeBulky(bulky, 20, 1);
            const QString destination = folder.filePath("çıktı.pdf");
            const std::map<QString, PDFEngine::Job> jobs{
                {"merge", PDFEngine::MergeJob{{{locked, password}, {bulky, {}}}, destination}},
                {"compress",
                 PDFEngine::CompressJob{
                     {{locked, password}}, CompressionLevel::strong, destination, {}, {}}},
                {"ocr", PDFEngine::OcrJob{.sources = {{locked, password}},
                                          .languages = {"eng"},
                                          .redo = false,
                                          .turnPages = false,
                                          .pageCounts = {2},
                                          .destination = destination,
                                          .folder = {},
                                          .baseNames = {},
                                          .createFolder = false}}};
            const PDFEngine::Job& job = jobs.at(kind);
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
            QVERIFY(seen.contains("OMP_THREAD_LIMIT=1"));
            QVERIFY(!seen.contains(password.toUtf8()));
            QCOMPARE(filesUnder(m_dir.path(),
                                [&](const QString& file) {
                                    QFile read(file);
                                    return read.open(QIODevice::ReadOnly) &&
                                           read.readAll().contains(password.toUtf8());
                                }),
                     QStringList{});
            QCOMPARE(exposed, QStringList{});
            QCOMPARE(Fixtures::entries(m_temp.path()), QStringList{});
            QCOMPARE(Fixtures::entries(folder.path()).filter(".leaflow-"), QStringList{});
        }
    }

private:
    // An outcome with set() applied to it.
    static Outcome outcomeWith(const std::function<void(Outcome&)>& set)
    {
        Outcome made;
        set(made);
        return made;
    }

    // Whether the process runs: neither gone nor dead and waiting to be reaped.
    static bool alive(qint64 pid)
    {
        QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
        const QByteArray stat = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const qsizetype end = stat.lastIndexOf(')');
        return end > 0 && end + 2 < stat.size() && stat[end + 2] != 'Z' && stat[end + 2] != 'X';
    }

    // Files under root, but those listed, that another account could reach and read.
    static QStringList readableByOthers(const QString& root, const QStringList& except)
    {
        return filesUnder(root, [&](const QString& path) {
            bool open = !except.contains(path) && QFileInfo(path).permission(QFile::ReadOther);
            for (QString dir = QFileInfo(path).absolutePath(); open && dir != root;
                 dir = QFileInfo(dir).absolutePath()) {
                open = QFileInfo(dir).permission(QFile::ExeOther);
            }
            return open;
        });
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_temp;
};

QTEST_GUILESS_MAIN(ContainedRunTest)
#include "ContainedRunTest.moc"
