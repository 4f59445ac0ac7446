#include "Fixtures.h"
#include "HostileFixtures.h"
#include "ImageFixtures.h"
#include "StoreTestCase.h"
#include "core/AppLanguage.h"
#include "core/DataCoding.h"
#include "core/Formatting.h"
#include "core/Preferences.h"
#include "engine/include/PDFEngine.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <QDirIterator>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>

using namespace std::chrono_literals;

namespace {

// One stamp annotation as the output file holds it.
struct Stamp {
    QRectF rect; // PDF user space
    bool drawsImage = false;
};

QList<QList<Stamp>> stampsByPage(const QString& file)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(file).constData());
    QList<QList<Stamp>> pages;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        QList<Stamp> stamps;
        QPDFObjectHandle annots = page.getObjectHandle().getKey("/Annots");
        for (QPDFObjectHandle& annot :
             annots.isArray() ? annots.getArrayAsVector() : std::vector<QPDFObjectHandle>{}) {
            if (annot.getKey("/Subtype").isNameAndEquals("/Stamp")) {
                const QPDFObjectHandle::Rectangle r = annot.getKey("/Rect").getArrayAsRectangle();
                QPDFObjectHandle resources =
                    annot.getKey("/AP").getKey("/N").getDict().getKey("/Resources");
                stamps << Stamp{QRectF(r.llx, r.lly, r.urx - r.llx, r.ury - r.lly),
                                resources.getKey("/XObject").getKey("/Im0").isStream()};
            }
        }
        pages << stamps;
    }
    return pages;
}

QByteArray pngOf(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return ImageFixtures::encoded(image, "PNG");
}

qint64 sizes(const QStringList& paths)
{
    qint64 total = 0;
    for (const QString& path : paths) {
        total += QFileInfo(path).size();
    }
    return total;
}

QString encryptedCopy(const QString& source, const QString& target, const QString& password)
{
    QProcess qpdf;
    qpdf.start("qpdf", {"--encrypt", password, password + "-owner", "256", "--", source, target});
    qpdf.waitForFinished(60000);
    return qpdf.exitCode() == 0 ? target : QString();
}

QStringList filesHolding(const QString& root, const QString& password)
{
    const QList<QByteArray> forms = {
        password.toUtf8(),
        QByteArray(reinterpret_cast<const char*>(password.utf16()), password.size() * 2),
        password.toUtf8().toBase64(),
        password.toUtf8().toHex(),
    };
    QStringList holding;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QByteArray bytes = Fixtures::readBytes(path);
        for (const QByteArray& form : forms) {
            if (bytes.contains(form)) {
                holding.append(path);
                break;
            }
        }
    }
    return holding;
}

} // namespace

// A run's road: dialogs, the busy guard, results, the history record, revealing and failures.
class RunsTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void initTestCase() override
    {
        StoreTestCase::initTestCase();
        AppLanguages::select(AppLanguage::tr);
        AppLanguages::installTranslator(*QCoreApplication::instance());
    }

    void cleanup() override
    {
        QVERIFY(!m_fixture->store || m_fixture->waitIdle());
        StoreTestCase::cleanup();
    }

    void oneRunAtATimeClearsTheBannerFirst()
    {
        addTwoForMerge();
        store().addFiles({m_fixture->file("x.txt", "x")},
                         store().tool<MergeTool>()); // leaves a banner
        QVERIFY(store().banner(QStringLiteral("merge")));
        QSignalSpy busy(&store(), &Store::busyChanged);
        m_fixture->dialogs.saveAnswers = {m_fixture->path("bir.pdf"), m_fixture->path("iki.pdf")};
        store().run(store().tool<MergeTool>());
        QCOMPARE(store().busy(), std::optional<QString>(QStringLiteral("merge")));
        QVERIFY(!store().banner(QStringLiteral("merge")));
        store().run(store().tool<MergeTool>());
        store().run(store().tool<SplitTool>());
        // Files arriving meanwhile are dropped without a word.
        store().addFiles({m_fixture->file("x.txt", "x")}, store().tool<SplitTool>());
        store().addFiles({m_fixture->pdf("c.pdf")}, store().tool<CompressTool>());
        QVERIFY(!store().banner(QStringLiteral("split")));
        QVERIFY(store().tool<CompressTool>().compressFiles().isEmpty());
        QVERIFY(m_fixture->waitIdle());

        QCOMPARE(m_fixture->dialogs.calls, QStringList{"save(Rapor birleşik)"});
        QCOMPARE(busy.count(), 2);
        QCOMPARE(store().data().history.size(), 1);
        QVERIFY(!QFileInfo::exists(m_fixture->path("iki.pdf")));
        QCOMPARE(store().tool<MergeTool>().mergeFiles().size(), 2); // inputs stay after a run
    }

    // A row's range follows it when rows move or go, a file listed twice keeps one per row, and
    // the merge takes those pages; a range that cannot be read stops it with the split's reason.
    void mergeTakesEachRowsPages_data()
    {
        QTest::addColumn<QStringList>("typed"); // per row: Rapor (2 pages), Ek (3), Rapor again
        QTest::addColumn<QList<int>>("order");  // the rows kept, in their new order
        QTest::addColumn<QString>("merged");    // the output's page tags, or the error
        const QList<int> same{0, 1, 2};
        QTest::newRow("all pages")
            << QStringList{"", " ", ""} << same << "Rapor-1 Rapor-2 Ek-1 Ek-2 Ek-3 Rapor-1 Rapor-2";
        QTest::newRow("the same file twice, apart")
            << QStringList{"2", "3, 1-2", "1-"} << same << "Rapor-2 Ek-3 Ek-1 Ek-2 Rapor-1 Rapor-2";
        QTest::newRow("a moved row takes its range")
            << QStringList{"2", "", " 1 "} << QList{2, 0, 1} << "Rapor-1 Rapor-2 Ek-1 Ek-2 Ek-3";
        QTest::newRow("a removed row takes its range along")
            << QStringList{"2", "3", ""} << QList{1, 2} << "Ek-3 Rapor-1 Rapor-2";
        QTest::newRow("a bad range stops the run")
            << QStringList{"", "4", ""} << same
            << "Ek.pdf sayfaları: Bu PDF 3 sayfa. “4” bunun dışında kalıyor.";
    }
    void mergeTakesEachRowsPages()
    {
        QFETCH(QStringList, typed);
        QFETCH(QList<int>, order);
        QFETCH(QString, merged);
        const QString rapor = m_fixture->pdf("Rapor.pdf", 2);
        MergeTool& tool = store().tool<MergeTool>();
        store().addFiles({rapor, m_fixture->pdf("Ek.pdf", 3), rapor}, tool);
        for (qsizetype row = 0; row < typed.size(); ++row) {
            tool.setMergeRange(tool.mergeFiles().at(row).id, typed.at(row));
        }
        QList<PDFFile> files;
        for (int row : order) {
            files << tool.mergeFiles().at(row);
        }
        tool.setMergeFiles(files);
        const QString output = m_fixture->path("birleşik.pdf");
        m_fixture->dialogs.saveAnswers = {output};
        store().run(tool);
        QVERIFY(m_fixture->waitIdle());
        const Banner banner = store().banner(QStringLiteral("merge")).value_or(Banner{});
        QCOMPARE(banner.isError() ? banner.text : Fixtures::readTags(output).join(u' '), merged);
    }

    // A failed run shows the engine's message, one that shrinks nothing says so: neither
    // records, saves or reveals anything, and the inputs stay.
    void runsThatWriteNothingRecordNothing()
    {
        QSettings().setValue("revealAfter", true);
        addTwoForMerge();
        m_fixture->file("engel", "bir dosya"); // a file where the output's folder should be
        const QString message =
            PDFEngine::run(PDFEngine::MergeJob{{store().tool<MergeTool>().mergeFiles()[0].source},
                                               m_fixture->path("engel/sonuç.pdf")})
                .failure.value_or(QString());
        QVERIFY(!message.isEmpty());
        QCOMPARE(ranTo(QStringLiteral("merge"), "engel/sonuç.pdf"),
                 (Banner{message, {}, Banner::Kind::error}));
        QCOMPARE(store().tool<MergeTool>().mergeFiles().size(), 2);

        store().addFiles({m_fixture->settledPdf("Metin.pdf", 2)}, store().tool<CompressTool>());
        QCOMPARE(
            ranTo(QStringLiteral("compress"), "Metin sıkıştırılmış.pdf"),
            (Banner{
                "Daha fazla küçülmedi. Dosya zaten sıkıştırılmış görünüyor, yeni dosya yazılmadı.",
                {},
                Banner::Kind::information}));
        QVERIFY(!QFileInfo::exists(m_fixture->path("Metin sıkıştırılmış.pdf")));
        QCOMPARE(store().tool<CompressTool>().compressResults(),
                 (QHash<QUuid, qint64>{
                     {store().tool<CompressTool>().compressFiles().first().id, 0}}));
        QCOMPARE(store().data(), AppData{});
        QVERIFY(!QFileInfo::exists(dataPath()));
        QVERIFY(m_fixture->reveal.revealed.isEmpty());
    }

    // A hanging input ends in the time limit, named, without holding up the window; the run
    // reads each input afresh, as it is on disk now.
    void hangingInputEndsInTheTimeLimit()
    {
        addTwoForMerge();
        QVERIFY(QFile::remove(m_fixture->path("Ek.pdf")));
        QVERIFY(QFile::copy(Fixtures::corpusFile("damaged/qpdf__69977a.fuzz"),
                            m_fixture->path("Ek.pdf")));
        store().setRunLimits(RunLimits{2s, RunLimits::defaultMemory()});
        QElapsedTimer clock;
        qint64 longest = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this,
                [&] { longest = std::max(longest, clock.restart()); });
        clock.start();
        ticker.start(10);
        QCOMPARE(ranTo(QStringLiteral("merge"), "Birleşik.pdf"),
                 (Banner{"Ek.pdf işlenemedi: süre doldu.", {}, Banner::Kind::error}));
        QVERIFY2(longest < 100, qPrintable(QString::number(longest)));
        QVERIFY(store().data().history.isEmpty());
    }

    // Stopped at any report, a run leaves the folder as it was (so a run never blocks the loop).
    void stoppedAtAnyReportLeavesNothing_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("ranges"); // split: empty for one page a file
        QTest::addColumn<bool>("kill");
        QTest::addColumn<int>("outputs");
        for (const bool kill : {false, true}) {
            const char* how = kill ? "worker killed" : "cancelled";
            QTest::addRow("merge, %s", how) << QStringLiteral("merge") << QString() << kill << 1;
            QTest::addRow("split each page, %s", how)
                << QStringLiteral("split") << QString() << kill << 6;
            QTest::addRow("split ranges, %s", how)
                << QStringLiteral("split") << "1-2, 4, 5-6" << kill << 3;
            QTest::addRow("compress three, %s", how)
                << QStringLiteral("compress") << QString() << kill << 3;
        }
    }
    void stoppedAtAnyReportLeavesNothing()
    {
        QFETCH(QString, section);
        QFETCH(QString, ranges);
        QFETCH(bool, kill);
        QFETCH(int, outputs);
        if (section == QStringLiteral("compress")) {
            store().addFiles({m_fixture->imagePdf("A.pdf"), m_fixture->imagePdf("B.pdf"),
                              m_fixture->imagePdf("C.pdf")},
                             *store().tool(section));
        } else {
            // A megabyte a page: writing takes long enough for a stop to land mid-run.
            HostileFixtures::writeBulky(m_fixture->path("Kitap.pdf"), 6, 1);
            QStringList inputs{m_fixture->path("Kitap.pdf")};
            if (section == QStringLiteral("merge")) {
                inputs.append(m_fixture->pdf("Ek.pdf", 6));
            }
            store().addFiles(inputs, *store().tool(section));
        }
        store().tool<SplitTool>().setSplitMode(ranges.isEmpty() ? SplitMode::each
                                                                : SplitMode::ranges);
        store().tool<SplitTool>().setSplitRanges(ranges);
        const QStringList before = everything();
        int stopped = 0;
        for (int stopAt = 1; runStoppedAt(section, stopAt, kill); stopAt += 1 + stopAt / 6) {
            if (store().data().history.isEmpty()) {
                ++stopped;
                QCOMPARE(everything(), before);
                const std::optional<Banner> banner = store().banner(section);
                QVERIFY(kill ? banner && banner->isError() : !banner);
            } else {
                // It ended by itself before the stop took: whole, then cleared away for the next.
                checkWhole(section, outputs);
                const Banner done = store().banner(section).value_or(Banner{});
                for (const QString& output : done.outputs) {
                    QVERIFY(QFile::remove(output));
                }
                QDir(m_fixture->path("yeni")).removeRecursively();
                store().clearHistory();
                QCOMPARE(everything(), before);
            }
        }
        QVERIFY2(stopped > 0, "no run was stopped");
        checkWhole(section, outputs); // the run that outlived its reports
    }

    // Without enough input no panel opens: silently, or with the range parser's message.
    void toolsWithoutEnoughInputDoNothing_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("files");
        QTest::addColumn<QSet<int>>("selected");
        QTest::addColumn<bool>("refused");
        const auto row = [](const char* name, const QString& section, int files,
                            const QSet<int>& selected = {}, bool refused = false) {
            QTest::newRow(name) << section << files << selected << refused;
        };
        row("merge with one file", QStringLiteral("merge"), 1);
        row("split without a file", QStringLiteral("split"), 0);
        row("split with ranges it cannot read", QStringLiteral("split"), 1, {}, true);
        row("compress without files", QStringLiteral("compress"), 0);
        row("sign with nothing placed", QStringLiteral("sign"), 1);
        row("pages with nothing selected", QStringLiteral("pages"), 1);
        row("pages with every page selected", QStringLiteral("pages"), 1, {0, 1, 2});
        row("pages with more than every page", QStringLiteral("pages"), 1, {0, 1, 2, 7});
    }

    void toolsWithoutEnoughInputDoNothing()
    {
        QFETCH(QString, section);
        QFETCH(int, files);
        QFETCH(QSet<int>, selected);
        QFETCH(bool, refused);
        if (files > 0) {
            store().addFiles({m_fixture->pdf("Üç.pdf", 3)}, *store().tool(section));
        }
        store().tool<PagesTool>().setPagesSelected(selected);
        store().tool<SplitTool>().setSplitMode(SplitMode::ranges);
        store().tool<SplitTool>().setSplitRanges("1-3, x");
        m_fixture->dialogs.folderAnswers = {m_fixture->folder("asla")};
        QSignalSpy busy(&store(), &Store::busyChanged);
        store().run(*store().tool(section));
        QVERIFY(m_fixture->dialogs.calls.isEmpty());
        QCOMPARE(busy.count(), 0);
        QCOMPARE(store().banner(section).value_or(Banner{}),
                 (refused ? Banner{"“x” anlaşılmadı. Örnek: 1-3, 5, 8-12", {}, Banner::Kind::error}
                          : Banner{}));
    }

    // The panel starts beside a single input; with several, in the last save folder if it exists.
    void suggestedNamesStartFoldersAndCancelledDialogs_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("remembered"); // "", "kayıt", "gone" or "ran"
        QTest::addColumn<QString>("start");
        const auto row = [](const char* name, const QString& section, int files,
                            const QString& call, const QString& remembered, const QString& start) {
            QTest::newRow(name) << section << files << call << remembered << start;
        };
        const QString folder = "folder()";
        row("merge", QStringLiteral("merge"), 2, "save(v1.2 Rapor birleşik)", "", "önce");
        row("merge after a merge", QStringLiteral("merge"), 2, "save(v1.2 Rapor birleşik)", "ran",
            "kayıt");
        row("split", QStringLiteral("split"), 1, folder, "kayıt", "önce");
        row("compress one", QStringLiteral("compress"), 1, "save(v1.2 Rapor sıkıştırılmış)",
            "kayıt", "önce");
        row("compress several", QStringLiteral("compress"), 2, folder, "kayıt", "kayıt");
        row("compress several, remembered folder gone", QStringLiteral("compress"), 2, folder,
            "gone", "önce");
        row("pages", QStringLiteral("pages"), 1, "save(v1.2 Rapor düzenlenmiş)", "kayıt", "önce");
        row("sign", QStringLiteral("sign"), 1, "save(v1.2 Rapor imzalı)", "kayıt", "önce");
    }

    void suggestedNamesStartFoldersAndCancelledDialogs()
    {
        QFETCH(QString, section);
        QFETCH(int, files);
        QFETCH(QString, call);
        QFETCH(QString, remembered);
        QFETCH(QString, start);
        const QString& tool = section;
        if (remembered == "kayıt") {
            Preferences::setSaveFolder(tool, m_fixture->folder("kayıt"));
        } else if (remembered == "gone") {
            Preferences::setSaveFolder(tool, m_fixture->path("silinmiş"));
        } else if (remembered == "ran") {
            addTwoForMerge();
            m_fixture->folder("kayıt");
            QVERIFY(!ranTo(section, "kayıt/Önceki.pdf").isError());
            store().clear(*store().tool(section));
            m_fixture->dialogs.calls.clear();
            m_fixture->dialogs.directories.clear();
        }
        m_fixture->folder("önce");
        m_fixture->folder("sonra");
        store().addFiles(QStringList{m_fixture->pdf("önce/v1.2 Rapor.pdf", 2),
                                     m_fixture->pdf("sonra/Diğer.pdf", 2)}
                             .mid(0, files),
                         *store().tool(section));
        store().tool<PagesTool>().setPagesSelected({0});
        store().tool<SignTool>().place(addDrawn("x")); // something to stamp when signing
        QSignalSpy busy(&store(), &Store::busyChanged);
        store().run(*store().tool(section)); // every panel answers as cancelled
        QCOMPARE(m_fixture->dialogs.calls, QStringList{call});
        QCOMPARE(m_fixture->dialogs.directories, QStringList{m_fixture->path(start)});
        QCOMPARE(busy.count(), 0);
        QVERIFY(!store().banner(section));
        QCOMPARE(store().data().history.size(), remembered == "ran" ? 1 : 0);
    }

    // Locked three-page inputs through merge, split (two a file) and pages (second deleted).
    void roads_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QList<QStringList>>("tags");
        QTest::addColumn<bool>("reveal");
        QTest::newRow("merge") << QStringLiteral("merge") << QStringList{"Rapor.pdf", "Ek.pdf"}
                               << "Rapor birleşik.pdf"
                               << QList<QStringList>{{"Rapor-1", "Rapor-2", "Rapor-3", "Ek-1",
                                                      "Ek-2", "Ek-3"}}
                               << false;
        QTest::newRow("split") << QStringLiteral("split") << QStringList{"Kitap.pdf"} << "bölümler"
                               << QList<QStringList>{{"Kitap-1", "Kitap-2"}, {"Kitap-3"}} << true;
        QTest::newRow("pages") << QStringLiteral("pages") << QStringList{"Sözleşme.pdf"}
                               << "Sözleşme düzenlenmiş.pdf"
                               << QList<QStringList>{{"Sozlesme-1", "Sozlesme-3"}} << false;
    }

    void roads()
    {
        QFETCH(QString, section);
        QFETCH(QStringList, inputs);
        QFETCH(QString, answer);
        QFETCH(QList<QStringList>, tags);
        QFETCH(bool, reveal);
        QSettings().setValue("revealAfter", reveal);
        QStringList paths;
        for (const QString& input : inputs) {
            paths << m_fixture->pdf(input, 3, password());
            m_fixture->dialogs.passwordAnswers.append(password());
        }
        store().addFiles(paths, *store().tool(section));
        store().tool<SplitTool>().setSplitMode(SplitMode::every);
        store().tool<PagesTool>().setPagesSelected({1});
        const QDateTime started = QDateTime::currentDateTimeUtc().addSecs(-1);
        const Banner shown = ranTo(section, answer);

        const QString banner = section == QStringLiteral("split")
                                   ? "Hazır: 2 dosya · bölümler klasöründe"
                                   : "Hazır: " + answer + " · ";
        QVERIFY2(shown.text.startsWith(banner) && !shown.isError(), qPrintable(shown.text));
        QCOMPARE(shown.outputs.size(), tags.size());
        for (qsizetype i = 0; i < tags.size(); ++i) {
            QCOMPARE(Fixtures::readTags(shown.outputs[i]), tags[i]);
        }
        checkRecordOnDisk(section, inputs, shown.outputs, sizes(paths));
        QVERIFY(store().data().history.first().date >= started);
        QCOMPARE(m_fixture->reveal.revealed,
                 reveal ? QList<QStringList>{shown.outputs} : QList<QStringList>{});
        QCOMPARE(store().tool<PagesTool>().pagesSelected(), QSet<int>{1}); // kept after the run
        checkNoFileHoldsThePassword();
    }

    // Stamps land where placed; unsaved or imageless signatures are left out (alone: no run).
    void signRoad()
    {
        const QString input = m_fixture->pdf("Sözleşme.pdf", 3, password());
        m_fixture->dialogs.passwordAnswers = {password()};
        store().addFiles({input}, store().tool<SignTool>());
        QVERIFY(store().addImageSignature(m_fixture->file("imza.png", pngOf(300, 100)), "resim"));
        QVERIFY(store().addImageSignature(m_fixture->file("yok.png", pngOf(200, 100)), "kayıp"));
        const SavedSignature image = store().data().signatures.first();
        const SavedSignature lostImage = store().data().signatures.last();
        SavedSignature neverSaved = image;
        neverSaved.id = QUuid::createUuid();
        store().tool<SignTool>().place(lostImage);
        store().tool<SignTool>().place(neverSaved);
        QVERIFY(QFile::remove(m_environment->dataFolder() + "/signatures/" + *lostImage.imageFile));
        store().run(store().tool<SignTool>());
        QCOMPARE(m_fixture->dialogs.calls,
                 QStringList{"password(Sözleşme.pdf)"}); // no panel to save
        QVERIFY(!store().busy());
        QVERIFY(!store().banner(QStringLiteral("sign")));

        store().tool<SignTool>().place(image);
        store().tool<SignTool>().setSignPage(1);
        store().tool<SignTool>().place(addDrawn("Paraf"));
        store().tool<SignTool>().setSignPage(0);
        const QList<Placement> placements = store().tool<SignTool>().placements();
        const Banner banner = ranTo(QStringLiteral("sign"), "Sözleşme imzalı.pdf");

        QVERIFY(banner.text.startsWith("Hazır: Sözleşme imzalı.pdf · "));
        checkRecordOnDisk(QStringLiteral("sign"), {"Sözleşme.pdf"}, banner.outputs,
                          QFileInfo(input).size());
        QCOMPARE(Fixtures::readTags(banner.outputs[0]),
                 (QStringList{"Sozlesme-1", "Sozlesme-2", "Sozlesme-3"}));
        const auto stamps = stampsByPage(banner.outputs[0]);
        QCOMPARE(stamps.size(), 3);
        QVERIFY(stamps[0].size() == 1 && stamps[1].size() == 1 && stamps[2].isEmpty());
        QVERIFY(stamps[0][0].drawsImage && !stamps[1][0].drawsImage);
        const QRectF r = placements[3].rect; // normalised, on an upright 612 x 792 page
        QCOMPARE(stamps[1][0].rect.toRect(),
                 QRectF(r.x() * 612, (1 - r.bottom()) * 792, r.width() * 612, r.height() * 792)
                     .toRect());
        QCOMPARE(store().tool<SignTool>().placements(), placements); // they stay after the run
        checkNoFileHoldsThePassword();
    }

    // Files that would not shrink are not written; outputs of the same stem are numbered; the
    // numbers follow the window's language, not the system's ("C").
    void compressionThatCannotShrinkOneFile()
    {
        QLocale::setDefault(QLocale::c());
        m_fixture->folder("a");
        m_fixture->folder("b");
        const QString locked = encryptedCopy(m_fixture->imagePdf("Foto.pdf"),
                                             m_fixture->path("b/Rapor.pdf"), password());
        m_fixture->dialogs.passwordAnswers = {password()};
        store().addFiles({m_fixture->imagePdf("a/Rapor.pdf"), m_fixture->settledPdf("Metin.pdf", 2),
                          locked},
                         store().tool<CompressTool>());
        store().tool<CompressTool>().setCompressResults({{QUuid::createUuid(), 5}});
        m_fixture->dialogs.folderAnswers = {m_fixture->folder("küçük")};
        store().run(store().tool<CompressTool>());
        QVERIFY(store().tool<CompressTool>().compressResults().isEmpty()); // emptied when the run
                                                                           // starts
        QVERIFY(m_fixture->waitIdle());

        const QList<PDFFile> files = store().tool<CompressTool>().compressFiles();
        const QString target = m_fixture->path("küçük");
        const QStringList written{target + "/Rapor sıkıştırılmış.pdf",
                                  target + "/Rapor sıkıştırılmış 2.pdf"};
        QVERIFY(!QFileInfo::exists(target + "/Metin sıkıştırılmış.pdf"));
        const QLocale tr = AppLanguages::locale(); // Turkish
        const qint64 before = files[0].bytes + files[2].bytes;
        const qint64 after = sizes(written);
        QCOMPARE(store().banner(QStringLiteral("compress"))->text,
                 QStringLiteral("Hazır: %1 → %2 · %3 daha küçük Küçülmeyen dosya: 1 (yazılmadı).")
                     .arg(Formatting::fileSize(before, tr), Formatting::fileSize(after, tr),
                          Formatting::percent(static_cast<double>(before - after) /
                                                  static_cast<double>(before),
                                              tr)));
        QVERIFY(QFileInfo(written[0]).size() < files[0].bytes);
        QCOMPARE(store().tool<CompressTool>().compressResults(),
                 (QHash<QUuid, qint64>{{files[0].id, QFileInfo(written[0]).size()},
                                       {files[1].id, 0},
                                       {files[2].id, QFileInfo(written[1]).size()}}));
        checkRecordOnDisk(QStringLiteral("compress"), {"Rapor.pdf", "Rapor.pdf"}, written,
                          files[0].bytes + files[2].bytes);
        QVERIFY(!Fixtures::isEncrypted(written[1]));
        checkNoFileHoldsThePassword();
    }

private:
    // Answers the save panel (a .pdf) or the folder panel, runs and waits for the banner.
    Banner ranTo(const QString& section, const QString& answer)
    {
        if (answer.endsWith(".pdf")) {
            m_fixture->dialogs.saveAnswers = {m_fixture->path(answer)};
        } else {
            m_fixture->dialogs.folderAnswers = {m_fixture->folder(answer)};
        }
        store().run(*store().tool(section));
        return m_fixture->waitIdle() ? store().banner(section).value_or(Banner{}) : Banner{};
    }

    // The run saved at once: the data file, empty before, holds the record in memory.
    void checkRecordOnDisk(const QString& tool, const QStringList& inputs,
                           const QStringList& outputs, qint64 bytesBefore)
    {
        const std::optional<AppData> onDisk = DataCoding::decode(Fixtures::readBytes(dataPath()));
        QVERIFY(onDisk);
        QCOMPARE(onDisk->history, store().data().history);
        const HistoryItem& item = onDisk->history.first();
        QCOMPARE(item.tool, tool);
        QCOMPARE(item.inputs, inputs);
        QCOMPARE(item.outputs, outputs);
        QCOMPARE(item.bytesBefore, bytesBefore);
        QCOMPARE(item.bytesAfter, sizes(outputs));
    }

    // Passwords live in memory only: no file the process wrote holds the inputs' password.
    void checkNoFileHoldsThePassword()
    {
        m_fixture->store.reset();
        QSettings().sync();
        QVERIFY(QFileInfo::exists(dataPath()));
        QCOMPARE(filesHolding(m_environment->root(), password()), QStringList{});
    }

    // Unique to the process, so that no file holds it by chance.
    static QString password()
    {
        static const QString unique = "Pw" + QUuid::createUuid().toString(QUuid::Id128);
        return unique;
    }

    QString dataPath() const { return m_environment->dataFolder() + "/data.json"; }

    // A finished run wrote every output into the folder it was to, and recorded it.
    void checkWhole(const QString& section, int outputs)
    {
        const Banner done = store().banner(section).value_or(Banner{});
        QVERIFY2(done.kind == Banner::Kind::success, qPrintable(done.text));
        QCOMPARE(store().data().history.size(), 1);
        QCOMPARE(done.outputs.size(), outputs);
        for (const QString& output : done.outputs) {
            QCOMPARE(QFileInfo(output).absolutePath(), section == QStringLiteral("merge")
                                                           ? m_fixture->work.path()
                                                           : m_fixture->path("yeni"));
            QVERIFY(Fixtures::qpdfCheckIsClean(output));
        }
    }

    // Every file and folder under the work folder, hidden ones too.
    QStringList everything() const
    {
        QStringList found;
        QDirIterator it(m_fixture->work.path(),
                        QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            found.append(it.next());
        }
        found.sort();
        return found;
    }

    // Runs into "yeni"/"yeni.pdf" and stops at the stopAt-th report; false if it ended first.
    bool runStoppedAt(const QString& section, int stopAt, bool kill)
    {
        const QString target =
            m_fixture->path(section == QStringLiteral("merge") ? "yeni.pdf" : "yeni");
        m_fixture->dialogs.saveAnswers = {target};
        m_fixture->dialogs.folderAnswers = {target};
        int reports = 0;
        const QMetaObject::Connection watch =
            connect(&store(), &Store::runProgressChanged, this, [&] {
                if (store().runProgress().total == 0 || ++reports != stopAt) {
                    return;
                }
                if (!kill) {
                    store().cancelRun();
                    return;
                }
                for (const qint64 worker : Fixtures::childProcesses("leaflow-worker")) {
                    ::kill(pid_t(worker), SIGKILL);
                }
            });
        store().run(*store().tool(section));
        const bool idle = m_fixture->waitIdle();
        disconnect(watch);
        return idle && reports >= stopAt;
    }
    void addTwoForMerge()
    {
        store().addFiles({m_fixture->pdf("Rapor.pdf", 2), m_fixture->pdf("Ek.pdf", 3)},
                         store().tool<MergeTool>());
    }

    SavedSignature addDrawn(const QString& name)
    {
        store().addDrawnSignature(name, {{QPointF(10, 40), QPointF(60, 10), QPointF(120, 45)}}, 2.6,
                                  InkColor::black);
        return store().data().signatures.last();
    }
};

QTEST_MAIN(RunsTest)
#include "RunsTest.moc"
