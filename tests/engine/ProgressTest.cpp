#include "Fixtures.h"
#include "HostileFixtures.h"
#include "ImageFixtures.h"
#include "engine/include/PDFEngine.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(PDFEngine::Job)

namespace {

// One progress report and what the job's private folder held at that moment.
struct Report {
    qint64 done = 0;
    qint64 total = 0;
    QMap<QString, qint64> staged; // file in the private folder: its size then
};

} // namespace

// Progress of whole jobs rises through reading and writing and is complete only when they are.
class ProgressTest : public QObject {
    Q_OBJECT

private slots:
    void risesWithTheWholeJob_data()
    {
        QTest::addColumn<PDFEngine::Job>("job");
        QTest::addColumn<int>("whileWriting"); // distinct reports at least, mid-file

        // A megabyte a page makes writing long enough to be seen; many small pages, reading.
        QVERIFY(m_dir.isValid());
        HostileFixtures::writeBulky(path("Kitap.pdf"), 4, 1);
        Fixtures::writePdf(path("Ek.pdf"), Fixtures::tagged("E", 300));
        const PDFSource book{path("Kitap.pdf"), {}};
        const PDFSource extra{path("Ek.pdf"), {}};
        ImageFixtures::Builder images;
        for (int page = 0; page < 3; ++page) {
            images.addPage(images.image(ImageFixtures::Kind::rgb, 900, 700), "F");
        }
        images.write(path("Foto.pdf"));
        const SignatureArt art(SignatureArt::Strokes{{{{0.1, 0.5}, {0.9, 0.5}}}, 0.05, {}});

        using namespace PDFEngine;
        QTest::newRow("merge") << Job(MergeJob{{extra, book, extra}, path("Birleşik.pdf")}) << 3;
        QTest::newRow("split")
            << Job(SplitJob{book, {SplitMode::every, 2, {}}, path("parçalar"), true}) << 2;
        QTest::newRow("delete pages") << Job(DeletePagesJob{book, {1}, {}, path("Kalan.pdf")}) << 3;
        const SignItem item{0, QRectF(0.1, 0.1, 0.3, 0.1), art};
        QTest::newRow("sign") << Job(SignJob{book, {item}, path("İmzalı.pdf")}) << 3;
        const QList<PDFSource> both{{path("Foto.pdf"), {}}, extra};
        QTest::newRow("compress")
            << Job(CompressJob{
                   both, CompressionLevel::strong, {}, path("küçük"), {"Foto", "Ek"}, true})
            << 0;
    }

    void risesWithTheWholeJob()
    {
        QFETCH(PDFEngine::Job, job);
        QFETCH(int, whileWriting);
        QString folder;
        QList<Report> reports;
        PDFEngine::Progress progress;
        progress.folder = [&folder](const QString& made) { folder = made; };
        progress.step = [&](qint64 done, qint64 total) {
            Report report{done, total, {}};
            const QFileInfoList files = folder.isEmpty() ? QFileInfoList()
                                                         : QDir(folder).entryInfoList(QDir::Files);
            for (const QFileInfo& file : files) {
                report.staged.insert(file.filePath(), file.size());
            }
            reports.append(report);
        };

        PDFEngine::Outcome outcome = PDFEngine::stage(job, progress);
        QVERIFY(!outcome.failure);
        QVERIFY(!outcome.staging.files.isEmpty());
        QMap<QString, qint64> written;
        for (const PDFEngine::StagedFile& file : outcome.staging.files) {
            written.insert(file.staged, QFileInfo(file.staged).size());
        }
        PDFEngine::commit(outcome);

        // Under way before anything is staged, and moving while the inputs are read.
        QVERIFY(reports.size() > 2);
        QCOMPARE(reports.first().done, qint64(0));
        QVERIFY(reports[1].done > 0 && reports[1].staged.isEmpty());
        QSet<qint64> midFile;
        for (qsizetype i = 0; i < reports.size(); ++i) {
            const Report& report = reports[i];
            QCOMPARE(report.total, reports.first().total);
            QVERIFY(i == 0 || report.done > reports[i - 1].done);
            // Complete only at the very end, with every output written in full.
            QCOMPARE(report.done == report.total, i == reports.size() - 1);
            if (report.done == report.total) {
                QCOMPARE(report.staged, written);
            }
            for (auto [file, size] : report.staged.asKeyValueRange()) {
                if (size < written.value(file)) {
                    midFile.insert(report.done);
                }
            }
        }
        QVERIFY2(midFile.size() >= whileWriting, qPrintable(QString::number(midFile.size())));
    }

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(ProgressTest)
#include "ProgressTest.moc"
