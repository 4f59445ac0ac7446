#include "DataCoding.h"
#include "Fixtures.h"
#include "StoreFixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

// Construction of the Store and its published fields.
class StoreStateTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void init() { m_environment->reset(); }

    void startsWithTheInitialValues();
    void readsTheCompressionLevel_data();
    void readsTheCompressionLevel();
    void writesTheCompressionLevelAtOnce();
    void loadsTheDataFileAndRewritesIt();
    void screenshotModeLeavesTheDataFileAlone();
    void fieldsNotifyOnlyOnChange();

private:
    std::unique_ptr<StoreEnvironment> m_environment;
};

void StoreStateTest::startsWithTheInitialValues()
{
    StoreFixture fixture(*m_environment);
    const Store& store = *fixture.store;
    QCOMPARE(store.data(), AppData{});
    QVERIFY(store.mergeFiles().isEmpty());
    QVERIFY(!store.splitFile());
    QCOMPARE(store.splitMode(), SplitMode::each);
    QCOMPARE(store.splitEvery(), 2);
    QCOMPARE(store.splitRanges(), QString());
    QVERIFY(store.compressFiles().isEmpty());
    QVERIFY(store.compressResults().isEmpty());
    QCOMPARE(store.compressionLevel(), CompressionLevel::balanced);
    QVERIFY(!store.signFile());
    QCOMPARE(store.signPage(), 0);
    QVERIFY(store.placements().isEmpty());
    QVERIFY(!store.selectedPlacement());
    QVERIFY(!store.pagesFile());
    QVERIFY(store.pagesSelected().isEmpty());
    QVERIFY(!store.busy());
    QVERIFY(store.banners().isEmpty());
    // Nothing is written before the first change.
    QVERIFY(!QFileInfo::exists(m_environment->dataFolder() + "/data.json"));
}

void StoreStateTest::readsTheCompressionLevel_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<CompressionLevel>("level");
    QTest::newRow("light") << QVariant("light") << CompressionLevel::light;
    QTest::newRow("strong") << QVariant("strong") << CompressionLevel::strong;
    QTest::newRow("balanced") << QVariant("balanced") << CompressionLevel::balanced;
    QTest::newRow("missing") << QVariant() << CompressionLevel::balanced;
    QTest::newRow("other case") << QVariant("Strong") << CompressionLevel::balanced;
    QTest::newRow("unknown") << QVariant("extreme") << CompressionLevel::balanced;
}

void StoreStateTest::readsTheCompressionLevel()
{
    QFETCH(QVariant, stored);
    QFETCH(CompressionLevel, level);
    if (stored.isValid()) {
        QSettings().setValue("compressionLevel", stored);
    }
    StoreFixture fixture(*m_environment);
    QCOMPARE(fixture.store->compressionLevel(), level);
}

void StoreStateTest::writesTheCompressionLevelAtOnce()
{
    StoreFixture fixture(*m_environment);
    QSignalSpy spy(fixture.store.get(), &Store::compressionLevelChanged);
    fixture.store->setCompressionLevel(CompressionLevel::strong);
    QCOMPARE(QSettings().value("compressionLevel").toString(), "strong");
    fixture.store->setCompressionLevel(CompressionLevel::light);
    QCOMPARE(QSettings().value("compressionLevel").toString(), "light");
    QCOMPARE(spy.count(), 2);
}

void StoreStateTest::loadsTheDataFileAndRewritesIt()
{
    HistoryItem item{QUuid::createUuid(), QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC),
                     "merge", {"a.pdf", "b.pdf"}, {"/tmp/c.pdf"}, 10, 8};
    AppData stored;
    stored.history = {item};
    QDir().mkpath(m_environment->dataFolder());
    // An indented file with an unknown key comes back compact and without the key.
    QJsonDocument json = QJsonDocument::fromJson(DataCoding::encode(stored));
    QJsonObject object = json.object();
    object.insert("extra", 1);
    const QByteArray indented = QJsonDocument(object).toJson(QJsonDocument::Indented);
    Fixtures::writeBytes(m_environment->dataFolder() + "/data.json", indented);

    StoreFixture fixture(*m_environment);
    QCOMPARE(fixture.store->data(), stored);
    QCOMPARE(Fixtures::readBytes(m_environment->dataFolder() + "/data.json"),
             DataCoding::encode(stored));
}

void StoreStateTest::screenshotModeLeavesTheDataFileAlone()
{
    AppData stored;
    stored.history = {HistoryItem{QUuid::createUuid(),
                                  QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC),
                                  "split", {"a.pdf"}, {"/tmp/a 1.pdf"}, 5, 5}};
    QDir().mkpath(m_environment->dataFolder());
    const QByteArray bytes = DataCoding::encode(stored) + "\n";
    Fixtures::writeBytes(m_environment->dataFolder() + "/data.json", bytes);

    qputenv("LEAFLOW_SNAPSHOT", "");
    StoreFixture fixture(*m_environment);
    qunsetenv("LEAFLOW_SNAPSHOT");
    QCOMPARE(fixture.store->data(), AppData{});
    QCOMPARE(Fixtures::readBytes(m_environment->dataFolder() + "/data.json"), bytes);
}

void StoreStateTest::fieldsNotifyOnlyOnChange()
{
    StoreFixture fixture(*m_environment);
    Store& store = *fixture.store;
    QSignalSpy every(&store, &Store::splitEveryChanged);
    QSignalSpy ranges(&store, &Store::splitRangesChanged);
    QSignalSpy selected(&store, &Store::pagesSelectedChanged);
    QSignalSpy any(&store, &Store::changed);
    store.setSplitEvery(2);
    store.setSplitEvery(3);
    store.setSplitRanges("1-2");
    store.setSplitRanges("1-2");
    store.setPagesSelected({1});
    QCOMPARE(every.count(), 1);
    QCOMPARE(ranges.count(), 1);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(any.count(), 3);
}

QTEST_GUILESS_MAIN(StoreStateTest)
#include "StoreStateTest.moc"
