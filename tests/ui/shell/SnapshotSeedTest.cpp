#include "DemoDocuments.h"
#include "Fixtures.h"
#include "SnapshotCapture.h"
#include "SnapshotSeed.h"
#include "StoreFixture.h"

#include <QFileInfo>
#include <QTest>
#include <poppler-qt6.h>

// The screenshot mode's demonstration data: the seeded page generator, the four
// documents, the signature, the five history records and the filled tools,
// and nothing written to the data folder.
class SnapshotSeedTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { m_environment->reset(); }
    void cleanupTestCase() { qunsetenv("LEAFLOW_SNAPSHOT"); }

    void randomFollowsMmixFromTheSeed_data();
    void randomFollowsMmixFromTheSeed();
    void documentsHaveTheirPagesAndLookTheSameEachTime();
    void signatureIsNormalised();
    void historyIsDatedBackFromNow();
    void seedFillsEveryToolAndWritesNoData();
    void contentWidth_data();
    void contentWidth();

private:
    static QImage renderPage(const QString& path, int page)
    {
        std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
        if (!document) {
            return {};
        }
        std::unique_ptr<Poppler::Page> shown = document->page(page);
        return shown ? shown->renderToImage(36, 36) : QImage();
    }

    std::unique_ptr<StoreEnvironment> m_environment;
};

void SnapshotSeedTest::initTestCase()
{
    m_environment = std::make_unique<StoreEnvironment>();
    qputenv("LEAFLOW_SNAPSHOT", QFile::encodeName(m_environment->root() + "/shots"));
}

void SnapshotSeedTest::randomFollowsMmixFromTheSeed_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<QList<double>>("draws");
    // Worked out by hand with arbitrary-precision integers.
    QTest::newRow("Kira sözleşmesi's seed")
        << quint64(18400000)
        << QList<double>{10519429 / 16777216.0, 7988816 / 16777216.0, 15587043 / 16777216.0};
    QTest::newRow("seed 1") << quint64(1) << QList<double>{4986992 / 16777216.0};
}

void SnapshotSeedTest::randomFollowsMmixFromTheSeed()
{
    QFETCH(quint64, seed);
    QFETCH(QList<double>, draws);
    Snapshot::DemoRandom random(seed);
    for (double expected : draws) {
        QCOMPARE(random.next(), expected);
    }
    Snapshot::DemoRandom again(seed);
    for (int i = 0; i < 1000; ++i) {
        const double draw = again.next();
        QVERIFY(draw >= 0 && draw < 1);
    }
}

void SnapshotSeedTest::documentsHaveTheirPagesAndLookTheSameEachTime()
{
    const QStringList first = Snapshot::writeDemoDocuments();
    QStringList names;
    QList<int> pages;
    for (const QString& path : first) {
        names << QFileInfo(path).fileName();
        pages << Fixtures::pageCount(path);
        QCOMPARE(QFileInfo(path).absolutePath(), Snapshot::demoFolder());
    }
    QCOMPARE(names, (QStringList{QStringLiteral("Kira sözleşmesi.pdf"), QStringLiteral("Ek protokol.pdf"),
                                 QStringLiteral("Teslim tutanağı.pdf"),
                                 QStringLiteral("Demirbaş listesi.pdf")}));
    QCOMPARE(pages, (QList<int>{12, 3, 2, 5}));
    const QRectF box = Fixtures::readCropBoxes(first[0]).value(0);
    QCOMPARE(qRound(box.width()), 595);
    QCOMPARE(qRound(box.height()), 842);

    const QImage titlePage = renderPage(first[0], 0);
    const QImage laterPage = renderPage(first[0], 5);
    QVERIFY(!titlePage.isNull());
    QVERIFY(titlePage != laterPage);
    QVERIFY(renderPage(first[1], 0) != titlePage); // another seed draws other pages

    // Written again from scratch, every title draws the same pages.
    const QStringList second = Snapshot::writeDemoDocuments();
    QCOMPARE(second, first);
    QCOMPARE(renderPage(second[0], 0), titlePage);
    QCOMPARE(renderPage(second[0], 5), laterPage);
}

void SnapshotSeedTest::signatureIsNormalised()
{
    const SavedSignature signature = Snapshot::demoSignature();
    QCOMPARE(signature.name, QStringLiteral("İmza 1"));
    QVERIFY(!signature.imageFile);
    QVERIFY(signature.strokes);
    QCOMPARE(signature.strokes->size(), 3);
    double left = 1;
    double right = 0;
    for (const Stroke& stroke : *signature.strokes) {
        QVERIFY(stroke.size() > 10);
        for (const QPointF& point : stroke) {
            QVERIFY2(point.x() > 0 && point.x() < 1 && point.y() > 0 && point.y() < 1,
                     qPrintable(QStringLiteral("%1, %2").arg(point.x()).arg(point.y())));
            QCOMPARE(std::round(point.x() * 10000) / 10000, point.x());
            left = qMin(left, point.x());
            right = qMax(right, point.x());
        }
    }
    // The pen's width is the only margin left around the drawing.
    QVERIFY(left < 0.02 && right > 0.98);
    QVERIFY(signature.aspect > 2);
    QVERIFY(signature.weight && *signature.weight > 0 && *signature.weight < 0.1);
}

void SnapshotSeedTest::historyIsDatedBackFromNow()
{
    const QDateTime now = QDateTime(QDate(2026, 3, 14), QTime(15, 0), Qt::UTC);
    const QList<HistoryItem> history = Snapshot::demoHistory(now);
    QCOMPARE(history.size(), 5);

    QStringList tools;
    QList<qint64> ages;
    QList<std::pair<qint64, qint64>> sizes;
    for (const HistoryItem& item : history) {
        tools << item.tool;
        ages << item.date.secsTo(now);
        sizes << std::pair(item.bytesBefore, item.bytesAfter);
        QVERIFY(!item.id.isNull());
    }
    QCOMPARE(tools, (QStringList{"compress", "sign", "merge", "split", "pages"}));
    QCOMPARE(ages, (QList<qint64>{24 * 60, 3 * 3600, 26 * 3600, 50 * 3600, 75 * 3600}));
    QCOMPARE(sizes, (QList<std::pair<qint64, qint64>>{{18400000, 4100000},
                                                      {2100000, 2120000},
                                                      {27200000, 27150000},
                                                      {18400000, 18450000},
                                                      {940000, 610000}}));
    const QString folder = QStringLiteral("/Users/demo/Documents/");
    QCOMPARE(history[0].outputs, QStringList{folder + "Kira sözleşmesi sıkıştırılmış.pdf"});
    QCOMPARE(history[1].outputs, QStringList{folder + "Ek protokol imzalı.pdf"});
    QCOMPARE(history[2].outputs, QStringList{folder + "Kira sözleşmesi birleşik.pdf"});
    QCOMPARE(history[2].inputs, (QStringList{"Kira sözleşmesi.pdf", "Ek protokol.pdf",
                                             "Teslim tutanağı.pdf"}));
    QCOMPARE(history[3].outputs,
             (QStringList{folder + "Kira sözleşmesi 1-3.pdf", folder + "Kira sözleşmesi 4-8.pdf",
                          folder + "Kira sözleşmesi 9-12.pdf"}));
    QCOMPARE(history[4].outputs, QStringList{folder + "Demirbaş listesi düzenlenmiş.pdf"});
}

void SnapshotSeedTest::seedFillsEveryToolAndWritesNoData()
{
    StoreFixture fixture(*m_environment);
    Store& store = *fixture.store;
    Snapshot::seed(store);

    QCOMPARE(store.data().signatures.size(), 1);
    QCOMPARE(store.data().history.size(), 5);

    QStringList merged;
    for (const PDFFile& file : store.mergeFiles()) {
        merged << QFileInfo(file.source.url).fileName();
    }
    QCOMPARE(merged, (QStringList{"Kira sözleşmesi.pdf", "Ek protokol.pdf", "Teslim tutanağı.pdf"}));

    QVERIFY(store.splitFile());
    QCOMPARE(store.splitFile()->pageCount, 12);
    QCOMPARE(store.splitMode(), SplitMode::ranges);
    QCOMPARE(store.splitRanges(), QStringLiteral("1-3, 4-8, 9-12"));
    QCOMPARE(store.splitGroups().groups.size(), 3);

    QCOMPARE(store.compressFiles().size(), 2);
    for (const PDFFile& file : store.compressFiles()) {
        const qint64 result = store.compressResults().value(file.id);
        QVERIFY(result > 0 && result < file.bytes);
    }

    QVERIFY(store.signFile());
    QCOMPARE(QFileInfo(store.signFile()->source.url).fileName(), QStringLiteral("Ek protokol.pdf"));
    QCOMPARE(store.placements().size(), 1);
    const Placement placed = store.placements().first();
    QCOMPARE(placed.signatureID, store.data().signatures.first().id);
    QCOMPARE(placed.page, 0);
    QVERIFY(QRectF(0, 0, 1, 1).contains(placed.rect));
    QCOMPARE(store.selectedPlacement(), std::optional<QUuid>(placed.id));

    QVERIFY(store.pagesFile());
    QCOMPARE(store.pagesFile()->pageCount, 5);
    QCOMPARE(store.pagesSelected(), (QSet<int>{1, 3}));

    QVERIFY(!QFileInfo::exists(store.dataFile().dataPath()));
    QVERIFY(!QFileInfo::exists(store.dataFile().signaturesPath()));
}

void SnapshotSeedTest::contentWidth_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("present");
    QTest::addColumn<double>("width");
    QTest::newRow("absent") << QByteArray() << false << 1300.0;
    QTest::newRow("a number") << QByteArray("1000") << true << 1000.0;
    QTest::newRow("a decimal with spaces") << QByteArray(" 1440.5 ") << true << 1440.5;
    QTest::newRow("abc") << QByteArray("abc") << true << 1300.0;
    QTest::newRow("empty") << QByteArray("") << true << 1300.0;
    QTest::newRow("negative") << QByteArray("-800") << true << 1300.0;
    QTest::newRow("infinite") << QByteArray("inf") << true << 1300.0;
}

void SnapshotSeedTest::contentWidth()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, present);
    QFETCH(double, width);
    if (present) {
        qputenv("LEAFLOW_SNAPSHOT_WIDTH", value);
    } else {
        qunsetenv("LEAFLOW_SNAPSHOT_WIDTH");
    }
    QCOMPARE(Snapshot::contentWidth(), width);
    qunsetenv("LEAFLOW_SNAPSHOT_WIDTH");
}

QTEST_MAIN(SnapshotSeedTest)
#include "SnapshotSeedTest.moc"
