#include "DataCoding.h"
#include "Fixtures.h"
#include "PDFEngine.h"
#include "StoreTestCase.h"

#include <QDirIterator>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

// The road of a run: what each tool prepares and asks, the busy guard, the
// result texts, the history record on disk, revealing, and failures.
class RunsTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void initTestCase() override
    {
        StoreTestCase::initTestCase();
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    }
    void cleanup() override
    {
        QVERIFY(!m_fixture->store || m_fixture->waitIdle());
        StoreTestCase::cleanup();
    }

    void pressingRunTwiceStartsOneRun();
    void busyMarksTheToolAndClearsItsBanner();
    void keepsTheNewest200Records();
    void revealsOnlyWhenAsked_data();
    void revealsOnlyWhenAsked();
    void failedRevealNamesTheFolders();
    void failingWorkShowsTheEngineMessageAndRecordsNothing();
    void historyDoesNotRun();
    void toolsWithoutEnoughInputDoNothing_data();
    void toolsWithoutEnoughInputDoNothing();
    void suggestedNamesAndCancelledPanels_data();
    void suggestedNamesAndCancelledPanels();
    void rejectedRangesShowTheParserMessageBeforeAnyPanel();
    void mergeRoad();
    void splitRoad();
    void pagesRoad();
    void compressRoad();
    void compressionThatCannotShrinkOneFile();
    void compressionThatShrinksNothing();
    void compressingSameStemsIntoOneFolder();
    void compressionEmptiesItsResultsWhenItStarts();
    // Passwords live in memory only: after every kind of run with protected
    // inputs, no file the process wrote anywhere holds the password.
    void noPasswordReachesTheDisk();

private:
    // The record on disk is the one in memory, and the file was rewritten by the run.
    void checkRecordOnDisk(const QByteArray& before, const QString& tool, const QStringList& inputs,
                           const QStringList& outputs);
    QString dataPath() const { return m_environment->dataFolder() + "/data.json"; }
    void addTwoForMerge()
    {
        store().addFiles({m_fixture->pdf("Rapor.pdf", 2), m_fixture->pdf("Ek.pdf", 3)},
                         AppSection::merge);
    }
};

void RunsTest::pressingRunTwiceStartsOneRun()
{
    addTwoForMerge();
    m_fixture->panels.saveAnswers = {m_fixture->path("bir.pdf"), m_fixture->path("iki.pdf")};
    store().run(AppSection::merge);
    store().run(AppSection::merge);
    store().run(AppSection::split);
    QVERIFY(m_fixture->waitIdle());

    QCOMPARE(m_fixture->panels.calls, QStringList{"save(Rapor birleşik)"});
    QCOMPARE(store().data().history.size(), 1);
    QVERIFY(QFileInfo::exists(m_fixture->path("bir.pdf")));
    QVERIFY(!QFileInfo::exists(m_fixture->path("iki.pdf")));
}

void RunsTest::busyMarksTheToolAndClearsItsBanner()
{
    addTwoForMerge();
    store().addFiles({m_fixture->file("x.txt", "x")}, AppSection::merge); // leaves a banner
    QVERIFY(store().banner(AppSection::merge));
    QSignalSpy busy(&store(), &Store::busyChanged);
    m_fixture->panels.saveAnswers = {m_fixture->path("sonuç.pdf")};
    store().run(AppSection::merge);

    QCOMPARE(store().busy(), std::optional<AppSection>(AppSection::merge));
    QVERIFY(!store().banner(AppSection::merge));
    QVERIFY(m_fixture->waitIdle());
    QCOMPARE(busy.count(), 2);
    QVERIFY(!store().busy());
    QCOMPARE(store().mergeFiles().size(), 2); // inputs stay after a run
}

void RunsTest::keepsTheNewest200Records()
{
    AppData seeded;
    for (int i = 0; i < 200; ++i) {
        seeded.history.append(HistoryItem{QUuid::createUuid(),
                                          QDateTime::fromSecsSinceEpoch(1'700'000'000 - i, Qt::UTC),
                                          "split",
                                          {QString("eski%1.pdf").arg(i)},
                                          {},
                                          1,
                                          1});
    }
    store().setData(seeded);
    addTwoForMerge();
    m_fixture->panels.saveAnswers = {m_fixture->path("a.pdf"), m_fixture->path("b.pdf")};
    for (int run = 0; run < 2; ++run) {
        store().run(AppSection::merge);
        QVERIFY(m_fixture->waitIdle());
    }

    const QList<HistoryItem>& history = store().data().history;
    QCOMPARE(history.size(), 200);
    QCOMPARE(history[0].outputs, QStringList{m_fixture->path("b.pdf")});
    QCOMPARE(history[1].outputs, QStringList{m_fixture->path("a.pdf")});
    QCOMPARE(history[2].id, seeded.history[0].id);
    QCOMPARE(history.last().id, seeded.history[197].id);
    QCOMPARE(DataCoding::decode(Fixtures::readBytes(dataPath()))->history, history);
}

void RunsTest::revealsOnlyWhenAsked_data()
{
    QTest::addColumn<QVariant>("revealAfter");
    QTest::addColumn<bool>("revealed");
    QTest::newRow("unset") << QVariant() << false;
    QTest::newRow("off") << QVariant(false) << false;
    QTest::newRow("on") << QVariant(true) << true;
}

void RunsTest::revealsOnlyWhenAsked()
{
    QFETCH(QVariant, revealAfter);
    QFETCH(bool, revealed);
    if (revealAfter.isValid()) {
        QSettings().setValue("revealAfter", revealAfter);
    }
    store().addFiles({m_fixture->pdf("Üç.pdf", 3)}, AppSection::split);
    m_fixture->panels.folderAnswers = {m_fixture->folder("göster")};
    store().run(AppSection::split);
    QVERIFY(m_fixture->waitIdle());

    const QList<QStringList> expected =
        revealed ? QList<QStringList>{store().banner(AppSection::split)->outputs}
                 : QList<QStringList>{};
    QCOMPARE(m_fixture->reveal.revealed, expected);
}

// With no file manager and no folder handler the click did nothing; now the page says so and
// names where the files are.
void RunsTest::failedRevealNamesTheFolders()
{
    m_fixture->reveal.fails = true;
    QSettings().setValue("revealAfter", true);
    store().addFiles({m_fixture->pdf("Üç.pdf", 3)}, AppSection::split);
    const QString folder = m_fixture->folder("parçalar");
    m_fixture->panels.folderAnswers = {folder};
    store().run(AppSection::split);
    QVERIFY(m_fixture->waitIdle());
    QCOMPARE(m_fixture->reveal.revealed.size(), 1);
    QCOMPARE(store().banner(AppSection::split),
             (Banner{"Dosya yöneticisi açılamadı. Konum: " + folder, {}, true}));

    // From the history, whose outputs may lie in several folders.
    const QString other = m_fixture->folder("diğer");
    store().reveal({folder + "/a.pdf", other + "/b.pdf", folder + "/c.pdf"}, AppSection::history);
    QCOMPARE(store().banner(AppSection::history),
             (Banner{"Dosya yöneticisi açılamadı. Konum: " + folder + " · " + other, {}, true}));
}

void RunsTest::failingWorkShowsTheEngineMessageAndRecordsNothing()
{
    addTwoForMerge();
    // A first run leaves a record and a data file to compare against.
    m_fixture->panels.saveAnswers = {m_fixture->path("ilk.pdf")};
    store().run(AppSection::merge);
    QVERIFY(m_fixture->waitIdle());
    const QByteArray savedBefore = Fixtures::readBytes(dataPath());
    const AppData dataBefore = store().data();

    const QString blocker = m_fixture->file("engel", "bir dosya");
    const QString destination = blocker + "/sonuç.pdf";
    const QString message =
        PDFEngine::run(PDFEngine::MergeJob{{store().mergeFiles()[0].source}, destination})
            .failure.value_or(QString());
    QVERIFY(!message.isEmpty());

    m_fixture->panels.saveAnswers = {destination};
    store().run(AppSection::merge);
    QVERIFY(m_fixture->waitIdle());

    QCOMPARE(store().banner(AppSection::merge), (Banner{message, {}, true}));
    QCOMPARE(store().data(), dataBefore);
    QCOMPARE(Fixtures::readBytes(dataPath()), savedBefore);
    QCOMPARE(store().mergeFiles().size(), 2);
    QVERIFY(m_fixture->reveal.revealed.isEmpty());
}

void RunsTest::historyDoesNotRun()
{
    store().run(AppSection::history);
    QVERIFY(!store().busy());
    QVERIFY(m_fixture->panels.calls.isEmpty());
}

static QString dataPathOf(const StoreEnvironment& environment)
{
    return environment.dataFolder() + "/data.json";
}

static QByteArray bytesOrEmpty(const QString& path)
{
    return QFileInfo::exists(path) ? Fixtures::readBytes(path) : QByteArray();
}

static qint64 sizes(const QStringList& paths)
{
    qint64 total = 0;
    for (const QString& path : paths) {
        total += QFileInfo(path).size();
    }
    return total;
}

void RunsTest::checkRecordOnDisk(const QByteArray& before, const QString& tool,
                                 const QStringList& inputs, const QStringList& outputs)
{
    const QByteArray after = Fixtures::readBytes(dataPathOf(*m_environment));
    QVERIFY(after != before);
    const std::optional<AppData> onDisk = DataCoding::decode(after);
    QVERIFY(onDisk);
    QCOMPARE(onDisk->history, store().data().history);
    const HistoryItem& item = onDisk->history.first();
    QCOMPARE(item.tool, tool);
    QCOMPARE(item.inputs, inputs);
    QCOMPARE(item.outputs, outputs);
    QCOMPARE(item.bytesAfter, sizes(outputs));
}

void RunsTest::toolsWithoutEnoughInputDoNothing_data()
{
    QTest::addColumn<AppSection>("section");
    QTest::addColumn<QSet<int>>("selected");
    QTest::newRow("merge with one file") << AppSection::merge << QSet<int>{};
    QTest::newRow("split without a file") << AppSection::split << QSet<int>{};
    QTest::newRow("compress without files") << AppSection::compress << QSet<int>{};
    QTest::newRow("sign without a file") << AppSection::sign << QSet<int>{};
    QTest::newRow("pages with nothing selected") << AppSection::pages << QSet<int>{};
    QTest::newRow("pages with every page selected") << AppSection::pages << QSet<int>{0, 1, 2};
    QTest::newRow("pages with more than every page") << AppSection::pages << QSet<int>{0, 1, 2, 7};
}

void RunsTest::toolsWithoutEnoughInputDoNothing()
{
    QFETCH(AppSection, section);
    QFETCH(QSet<int>, selected);
    if (section == AppSection::merge || section == AppSection::pages) {
        store().addFiles({m_fixture->pdf("Üç.pdf", 3)}, section);
        store().setPagesSelected(selected);
    }
    QSignalSpy busy(&store(), &Store::busyChanged);
    store().run(section);
    QVERIFY(m_fixture->panels.calls.isEmpty());
    QCOMPARE(busy.count(), 0);
    QVERIFY(!store().banner(section));
}

void RunsTest::suggestedNamesAndCancelledPanels_data()
{
    QTest::addColumn<AppSection>("section");
    QTest::addColumn<int>("files");
    QTest::addColumn<QString>("call");
    QTest::newRow("merge") << AppSection::merge << 2 << "save(v1.2 Rapor birleşik)";
    QTest::newRow("split") << AppSection::split << 1 << "folder()";
    QTest::newRow("compress one") << AppSection::compress << 1 << "save(v1.2 Rapor sıkıştırılmış)";
    QTest::newRow("compress several") << AppSection::compress << 2 << "folder()";
    QTest::newRow("pages") << AppSection::pages << 1 << "save(v1.2 Rapor düzenlenmiş)";
}

void RunsTest::suggestedNamesAndCancelledPanels()
{
    QFETCH(AppSection, section);
    QFETCH(int, files);
    QFETCH(QString, call);
    store().addFiles(
        QStringList{m_fixture->pdf("v1.2 Rapor.pdf", 2), m_fixture->pdf("Diğer.pdf", 2)}.mid(0,
                                                                                             files),
        section);
    store().setPagesSelected({0});
    QSignalSpy busy(&store(), &Store::busyChanged);
    store().run(section); // every panel answers as cancelled
    QCOMPARE(m_fixture->panels.calls, QStringList{call});
    QCOMPARE(busy.count(), 0);
    QVERIFY(!store().banner(section));
    QVERIFY(store().data().history.isEmpty());
}

void RunsTest::rejectedRangesShowTheParserMessageBeforeAnyPanel()
{
    store().addFiles({m_fixture->pdf("Beş.pdf", 5)}, AppSection::split);
    store().setSplitMode(SplitMode::ranges);
    store().setSplitRanges("1-3, x");
    const QString message = "“x” anlaşılmadı. Örnek: 1-3, 5, 8-12";
    QSignalSpy busy(&store(), &Store::busyChanged);
    m_fixture->panels.folderAnswers = {m_fixture->folder("asla")};
    store().run(AppSection::split);

    QCOMPARE(store().banner(AppSection::split), (Banner{message, {}, true}));
    QVERIFY(m_fixture->panels.calls.isEmpty());
    QCOMPARE(busy.count(), 0);
}

void RunsTest::mergeRoad()
{
    const QByteArray before = bytesOrEmpty(dataPathOf(*m_environment));
    addTwoForMerge();
    const qint64 bytesBefore = store().mergeFiles()[0].bytes + store().mergeFiles()[1].bytes;
    const QString destination = m_fixture->path("Rapor birleşik.pdf");
    m_fixture->panels.saveAnswers = {destination};
    const QDateTime started = QDateTime::currentDateTimeUtc().addSecs(-1);
    store().run(AppSection::merge);
    QVERIFY(m_fixture->waitIdle());

    QCOMPARE(Fixtures::readTags(destination),
             (QStringList{"Rapor-1", "Rapor-2", "Ek-1", "Ek-2", "Ek-3"}));
    const Banner banner = *store().banner(AppSection::merge);
    QVERIFY(banner.text.startsWith("Hazır: Rapor birleşik.pdf · "));
    QCOMPARE(banner.outputs, QStringList{destination});
    QVERIFY(!banner.isError);
    // Saved at once: the data file on disk holds the record when the run reports.
    checkRecordOnDisk(before, "merge", {"Rapor.pdf", "Ek.pdf"}, {destination});
    const HistoryItem& item = store().data().history.first();
    QCOMPARE(item.bytesBefore, bytesBefore);
    QVERIFY(item.date >= started && item.date <= QDateTime::currentDateTimeUtc());
}

void RunsTest::splitRoad()
{
    const QByteArray before = bytesOrEmpty(dataPathOf(*m_environment));
    store().addFiles({m_fixture->pdf("Kitap.pdf", 7)}, AppSection::split);
    store().setSplitMode(SplitMode::every);
    store().setSplitEvery(3);
    m_fixture->panels.folderAnswers = {m_fixture->folder("bölümler")};
    store().run(AppSection::split);
    QVERIFY(m_fixture->waitIdle());

    const Banner banner = *store().banner(AppSection::split);
    QCOMPARE(banner.text, "Hazır: 3 dosya · bölümler klasöründe");
    QCOMPARE(banner.outputs.size(), 3);
    QCOMPARE(Fixtures::readTags(banner.outputs[0]), (QStringList{"Kitap-1", "Kitap-2", "Kitap-3"}));
    QCOMPARE(Fixtures::readTags(banner.outputs[2]), QStringList{"Kitap-7"});
    checkRecordOnDisk(before, "split", {"Kitap.pdf"}, banner.outputs);
    QCOMPARE(store().data().history.first().bytesBefore,
             QFileInfo(m_fixture->path("Kitap.pdf")).size());
}

void RunsTest::pagesRoad()
{
    const QByteArray before = bytesOrEmpty(dataPathOf(*m_environment));
    store().addFiles({m_fixture->pdf("Sözleşme.pdf", 4)}, AppSection::pages);
    store().setPagesSelected({1, 3});
    const QString destination = m_fixture->path("Sözleşme düzenlenmiş.pdf");
    m_fixture->panels.saveAnswers = {destination};
    store().run(AppSection::pages);
    QVERIFY(m_fixture->waitIdle());

    QCOMPARE(m_fixture->panels.calls, QStringList{"save(Sözleşme düzenlenmiş)"});
    QCOMPARE(Fixtures::readTags(destination), (QStringList{"Sozlesme-1", "Sozlesme-3"}));
    QVERIFY(
        store().banner(AppSection::pages)->text.startsWith("Hazır: Sözleşme düzenlenmiş.pdf · "));
    QCOMPARE(store().pagesSelected(), (QSet<int>{1, 3})); // kept after the run
    checkRecordOnDisk(before, "pages", {"Sözleşme.pdf"}, {destination});
}

void RunsTest::compressRoad()
{
    const QByteArray before = bytesOrEmpty(dataPathOf(*m_environment));
    store().addFiles({m_fixture->imagePdf("Foto.pdf")}, AppSection::compress);
    const QString destination = m_fixture->path("Foto sıkıştırılmış.pdf");
    m_fixture->panels.saveAnswers = {destination};
    store().run(AppSection::compress);
    QVERIFY(m_fixture->waitIdle());

    const PDFFile input = store().compressFiles().first();
    const qint64 after = QFileInfo(destination).size();
    QVERIFY(after > 0 && after < input.bytes);
    const Banner banner = *store().banner(AppSection::compress);
    QVERIFY(banner.text.startsWith("Hazır: ") && banner.text.contains(" → "));
    QVERIFY(banner.text.endsWith(" daha küçük"));
    QCOMPARE(banner.outputs, QStringList{destination});
    QCOMPARE(store().compressResults(), (QHash<QUuid, qint64>{{input.id, after}}));
    checkRecordOnDisk(before, "compress", {"Foto.pdf"}, {destination});
    QCOMPARE(store().data().history.first().bytesBefore, input.bytes);
}

void RunsTest::compressionThatCannotShrinkOneFile()
{
    store().addFiles({m_fixture->imagePdf("Foto.pdf"), m_fixture->pdf("Metin.pdf", 2)},
                     AppSection::compress);
    m_fixture->panels.folderAnswers = {m_fixture->folder("küçük")};
    store().run(AppSection::compress);
    QVERIFY(m_fixture->waitIdle());

    const PDFFile photo = store().compressFiles()[0];
    const PDFFile text = store().compressFiles()[1];
    const QString written = m_fixture->folder("küçük") + "/Foto sıkıştırılmış.pdf";
    const qint64 after = QFileInfo(written).size();
    QVERIFY(after > 0);
    QVERIFY(!QFileInfo::exists(m_fixture->folder("küçük") + "/Metin sıkıştırılmış.pdf"));
    const Banner banner = *store().banner(AppSection::compress);
    QVERIFY(banner.text.endsWith(" daha küçük Küçülmeyen dosya: 1 (yazılmadı)."));
    QCOMPARE(banner.outputs, QStringList{written});
    QCOMPARE(store().compressResults(), (QHash<QUuid, qint64>{{photo.id, after}, {text.id, 0}}));
    QCOMPARE(store().data().history.first().inputs, QStringList{"Foto.pdf"});
    QCOMPARE(store().data().history.first().bytesBefore, photo.bytes);
}

void RunsTest::compressionThatShrinksNothing()
{
    store().addFiles({m_fixture->pdf("Metin.pdf", 2)}, AppSection::compress);
    QSettings().setValue("revealAfter", true);
    m_fixture->panels.saveAnswers = {m_fixture->path("Metin sıkıştırılmış.pdf")};
    store().run(AppSection::compress);
    QVERIFY(m_fixture->waitIdle());

    QCOMPARE(
        store().banner(AppSection::compress),
        (Banner{"Daha fazla küçülmedi. Dosya zaten sıkıştırılmış görünüyor, yeni dosya yazılmadı.",
                {},
                false}));
    QVERIFY(!QFileInfo::exists(m_fixture->path("Metin sıkıştırılmış.pdf")));
    QCOMPARE(store().compressResults(),
             (QHash<QUuid, qint64>{{store().compressFiles().first().id, 0}}));
    QVERIFY(store().data().history.isEmpty());
    QVERIFY(!QFileInfo::exists(dataPathOf(*m_environment)));
    QVERIFY(m_fixture->reveal.revealed.isEmpty());
}

void RunsTest::compressingSameStemsIntoOneFolder()
{
    m_fixture->folder("a");
    m_fixture->folder("b");
    store().addFiles({m_fixture->imagePdf("a/Rapor.pdf"), m_fixture->imagePdf("b/Rapor.pdf")},
                     AppSection::compress);
    QCOMPARE(store().compressFiles().size(), 2);
    const QString target = m_fixture->folder("hedef");
    m_fixture->panels.folderAnswers = {target};
    store().run(AppSection::compress);
    QVERIFY(m_fixture->waitIdle());

    QCOMPARE(store().banner(AppSection::compress)->outputs,
             (QStringList{target + "/Rapor sıkıştırılmış.pdf",
                          target + "/Rapor sıkıştırılmış 2.pdf"}));
    QVERIFY(!store().banner(AppSection::compress)->text.contains("Küçülmeyen"));
}

void RunsTest::compressionEmptiesItsResultsWhenItStarts()
{
    store().addFiles({m_fixture->pdf("Metin.pdf")}, AppSection::compress);
    store().setCompressResults({{QUuid::createUuid(), 5}});
    m_fixture->panels.saveAnswers = {m_fixture->path("x.pdf")};
    store().run(AppSection::compress);
    QCOMPARE(store().busy(), std::optional<AppSection>(AppSection::compress));
    QVERIFY(store().compressResults().isEmpty());
    QVERIFY(m_fixture->waitIdle());
}

static QString encryptedCopy(const QString& source, const QString& target, const QString& password)
{
    QProcess qpdf;
    qpdf.start("qpdf", {"--encrypt", password, password + "-owner", "256", "--", source, target});
    qpdf.waitForFinished(60000);
    return qpdf.exitCode() == 0 ? target : QString();
}

static QStringList filesHolding(const QString& root, const QString& password)
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

void RunsTest::noPasswordReachesTheDisk()
{
    QSettings().setValue("revealAfter", true);
    const QString password = "Pw" + QUuid::createUuid().toString(QUuid::Id128);
    StoreFixture& fixture = *m_fixture;
    Store& store = *fixture.store;

    const QString lockedText = fixture.pdf("Gizli.pdf", 4, password);
    const QString lockedPhoto =
        encryptedCopy(fixture.imagePdf("Foto.pdf"), fixture.path("GizliFoto.pdf"), password);
    QVERIFY(!lockedPhoto.isEmpty());
    QFile::remove(fixture.path("Foto.pdf"));
    fixture.panels.passwordAnswers = QList<std::optional<QString>>(6, password);

    store.addFiles({lockedText, fixture.pdf("Açık.pdf", 1)}, AppSection::merge);
    store.addFiles({lockedText}, AppSection::split);
    store.addFiles({lockedPhoto, lockedText}, AppSection::compress);
    store.addFiles({lockedText}, AppSection::pages);
    QCOMPARE(fixture.panels.passwordAttempts.size(), 5);
    store.setPagesSelected({0});

    fixture.panels.saveAnswers = {fixture.path("Birleşik.pdf"), fixture.path("Düzenli.pdf")};
    fixture.panels.folderAnswers = {fixture.folder("parçalar"), fixture.folder("küçük")};
    for (AppSection section :
         {AppSection::merge, AppSection::split, AppSection::pages, AppSection::compress}) {
        store.run(section);
        QVERIFY(fixture.waitIdle());
        QVERIFY2(!store.banner(section)->isError, qPrintable(store.banner(section)->text));
    }
    QCOMPARE(store.data().history.size(), 4);
    QCOMPARE(store.data().history.first().inputs, QStringList{"GizliFoto.pdf"});
    QCOMPARE(fixture.reveal.revealed.size(), 4);

    QSignalSpy ready(&store, &Store::thumbnailReady);
    store.requestThumbnail(*store.pagesFile(), 0, 80);
    QTRY_COMPARE(ready.count(), 1);

    for (const QStringList& outputs : fixture.reveal.revealed) {
        for (const QString& output : outputs) {
            QVERIFY2(!Fixtures::isEncrypted(output), qPrintable(output));
        }
    }
    fixture.store.reset();
    QSettings().sync();
    QVERIFY(QFileInfo::exists(m_environment->dataFolder() + "/data.json"));
    QCOMPARE(filesHolding(m_environment->root(), password), QStringList{});
}

QTEST_GUILESS_MAIN(RunsTest)
#include "RunsTest.moc"
