#include "DataCoding.h"
#include "Fixtures.h"
#include "Formatting.h"
#include "StoreTestCase.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

// The common road of a run: the busy guard, the result texts, the history
// record and its saving, revealing, and failures.
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
        QVERIFY(m_fixture->waitIdle());
        StoreTestCase::cleanup();
    }

    void pressingRunTwiceStartsOneRun();
    void busyMarksTheToolAndClearsItsBanner();
    void oneOutputNamesTheFileAndItsSize();
    void severalOutputsNameTheCountAndFolder();
    void recordsTheRunAndSavesAtOnce();
    void keepsTheNewest200Records();
    void revealsOnlyWhenAsked_data();
    void revealsOnlyWhenAsked();
    void failingWorkShowsTheEngineMessageAndRecordsNothing();
    void historyDoesNotRun();

private:
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

void RunsTest::oneOutputNamesTheFileAndItsSize()
{
    store().addFiles({m_fixture->pdf("Tek.pdf", 1)}, AppSection::split);
    m_fixture->panels.folderAnswers = {m_fixture->folder("parçalar")};
    store().run(AppSection::split);
    QVERIFY(m_fixture->waitIdle());

    const QStringList outputs = store().banner(AppSection::split)->outputs;
    QCOMPARE(outputs.size(), 1);
    const QString expected = QString("Hazır: %1 · %2")
                                 .arg(QFileInfo(outputs.first()).fileName(),
                                      Formatting::fileSize(QFileInfo(outputs.first()).size(), QLocale()));
    QCOMPARE(store().banner(AppSection::split), (Banner{expected, outputs, false}));
}

void RunsTest::severalOutputsNameTheCountAndFolder()
{
    store().addFiles({m_fixture->pdf("Dört.pdf", 4)}, AppSection::split);
    m_fixture->panels.folderAnswers = {m_fixture->folder("Çıktılar")};
    store().run(AppSection::split);
    QVERIFY(m_fixture->waitIdle());

    const Banner banner = *store().banner(AppSection::split);
    QCOMPARE(banner.text, "Hazır: 4 dosya · Çıktılar klasöründe");
    QCOMPARE(banner.outputs.size(), 4);
    QVERIFY(!banner.isError);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(Fixtures::readTags(banner.outputs[i]), QStringList{QString("Dort-%1").arg(i + 1)});
    }
}

void RunsTest::recordsTheRunAndSavesAtOnce()
{
    addTwoForMerge();
    const qint64 before = store().mergeFiles()[0].bytes + store().mergeFiles()[1].bytes;
    const QString destination = m_fixture->path("Birleşik.pdf");
    m_fixture->panels.saveAnswers = {destination};
    const QDateTime started = QDateTime::currentDateTimeUtc().addSecs(-1);
    store().run(AppSection::merge);
    QVERIFY(m_fixture->waitIdle());

    QCOMPARE(store().data().history.size(), 1);
    const HistoryItem item = store().data().history.first();
    QCOMPARE(item.tool, "merge");
    QCOMPARE(item.inputs, (QStringList{"Rapor.pdf", "Ek.pdf"}));
    QCOMPARE(item.outputs, QStringList{destination});
    QCOMPARE(item.bytesBefore, before);
    QCOMPARE(item.bytesAfter, QFileInfo(destination).size());
    QVERIFY(item.date >= started && item.date <= QDateTime::currentDateTimeUtc());
    QCOMPARE(DataCoding::decode(Fixtures::readBytes(dataPath()))->history.first().id, item.id);
}

void RunsTest::keepsTheNewest200Records()
{
    AppData seeded;
    for (int i = 0; i < 200; ++i) {
        seeded.history.append(HistoryItem{QUuid::createUuid(),
                                          QDateTime::fromSecsSinceEpoch(1'700'000'000 - i, Qt::UTC),
                                          "split", {QString("eski%1.pdf").arg(i)}, {}, 1, 1});
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
        revealed ? QList<QStringList>{store().banner(AppSection::split)->outputs} : QList<QStringList>{};
    QCOMPARE(m_fixture->reveal.revealed, expected);
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
    QString message;
    try {
        PDFEngine::merge({store().mergeFiles()[0].source}, destination);
    } catch (const PDFEngine::Failure& failure) {
        message = failure.message();
    }
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

QTEST_GUILESS_MAIN(RunsTest)
#include "RunsTest.moc"
