#include "DataCoding.h"
#include "Fixtures.h"
#include "StoreTestCase.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

// The Store's published fields: their first values, the settings and data file
// they are read from, change signals, clearing a tool and the page groups of a split.
class StoreStateTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void startsEmptyAndWritesNothing();
    void readsTheCompressionLevel_data();
    void readsTheCompressionLevel();
    void writesTheCompressionLevelAtOnce();
    void loadsTheDataFileAndRewritesIt();
    void screenshotModeLeavesTheDataFileAlone();
    void fieldsNotifyOnlyOnChange();
    void clearingEmptiesOnlyThatTool_data();
    void clearingEmptiesOnlyThatTool();
    void clearingSplitKeepsItsSettings();
    void clearingCompressRemovesTheResults();
    void splitGroups_data();
    void splitGroups();
    void splitGroupsPassOnTheParserFailure();
    void splitGroupsWithoutAFileAreEmpty();

private:
    void fillEveryTool();
    // A new Store that reads the settings and data file as they are now.
    Store& freshStore()
    {
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
        return store();
    }
};

void StoreStateTest::startsEmptyAndWritesNothing()
{
    QCOMPARE(store().data(), AppData{});
    QCOMPARE(store().splitMode(), SplitMode::each);
    QCOMPARE(store().splitEvery(), 2);
    QCOMPARE(store().compressionLevel(), CompressionLevel::balanced);
    QVERIFY(!store().busy());
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
    QCOMPARE(freshStore().compressionLevel(), level);
}

void StoreStateTest::writesTheCompressionLevelAtOnce()
{
    QSignalSpy spy(&store(), &Store::compressionLevelChanged);
    store().setCompressionLevel(CompressionLevel::strong);
    QCOMPARE(QSettings().value("compressionLevel").toString(), "strong");
    store().setCompressionLevel(CompressionLevel::light);
    QCOMPARE(QSettings().value("compressionLevel").toString(), "light");
    QCOMPARE(spy.count(), 2);
}

void StoreStateTest::loadsTheDataFileAndRewritesIt()
{
    HistoryItem item{QUuid::createUuid(),
                     QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC),
                     "merge",
                     {"a.pdf", "b.pdf"},
                     {"/tmp/c.pdf"},
                     10,
                     8};
    AppData stored;
    stored.history = {item};
    QDir().mkpath(m_environment->dataFolder());
    // An indented file with an unknown key comes back compact and without the key.
    QJsonDocument json = QJsonDocument::fromJson(DataCoding::encode(stored));
    QJsonObject object = json.object();
    object.insert("extra", 1);
    const QByteArray indented = QJsonDocument(object).toJson(QJsonDocument::Indented);
    Fixtures::writeBytes(m_environment->dataFolder() + "/data.json", indented);

    QCOMPARE(freshStore().data(), stored);
    QCOMPARE(Fixtures::readBytes(m_environment->dataFolder() + "/data.json"),
             DataCoding::encode(stored));
}

void StoreStateTest::screenshotModeLeavesTheDataFileAlone()
{
    AppData stored;
    stored.history = {HistoryItem{QUuid::createUuid(),
                                  QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC),
                                  "split",
                                  {"a.pdf"},
                                  {"/tmp/a 1.pdf"},
                                  5,
                                  5}};
    QDir().mkpath(m_environment->dataFolder());
    const QByteArray bytes = DataCoding::encode(stored) + "\n";
    Fixtures::writeBytes(m_environment->dataFolder() + "/data.json", bytes);

    qputenv("LEAFLOW_SNAPSHOT", "");
    const AppData shown = freshStore().data();
    qunsetenv("LEAFLOW_SNAPSHOT");
    QCOMPARE(shown, AppData{});
    QCOMPARE(Fixtures::readBytes(m_environment->dataFolder() + "/data.json"), bytes);
}

void StoreStateTest::fieldsNotifyOnlyOnChange()
{
    QSignalSpy every(&store(), &Store::splitEveryChanged);
    QSignalSpy ranges(&store(), &Store::splitRangesChanged);
    QSignalSpy selected(&store(), &Store::pagesSelectedChanged);
    QSignalSpy any(&store(), &Store::changed);
    store().setSplitEvery(2);
    store().setSplitEvery(3);
    store().setSplitRanges("1-2");
    store().setSplitRanges("1-2");
    store().setPagesSelected({1});
    QCOMPARE(every.count(), 1);
    QCOMPARE(ranges.count(), 1);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(any.count(), 3);
}

void StoreStateTest::fillEveryTool()
{
    const QString a = m_fixture->pdf("a.pdf", 3);
    const QString b = m_fixture->pdf("b.pdf", 2);
    store().addFiles({a, b}, AppSection::merge);
    store().addFiles({a}, AppSection::split);
    store().addFiles({a, b}, AppSection::compress);
    store().addFiles({a}, AppSection::sign);
    store().addFiles({a}, AppSection::pages);
    store().setSignPage(2);
    store().setPlacements(
        {Placement{QUuid::createUuid(), QUuid::createUuid(), 2, {0.1, 0.1, 0.3, 0.1}}});
    store().setSelectedPlacement(store().placements().first().id);
    store().setPagesSelected({0});
    for (AppSection section : AppSections::all) {
        store().addFiles({m_fixture->file("x.txt", "x")}, section); // a banner on every page
    }
}

void StoreStateTest::clearingEmptiesOnlyThatTool_data()
{
    QTest::addColumn<AppSection>("section");
    for (AppSection section : AppSections::all) {
        QTest::newRow(qPrintable(AppSections::rawValue(section))) << section;
    }
}

void StoreStateTest::clearingEmptiesOnlyThatTool()
{
    QFETCH(AppSection, section);
    fillEveryTool();
    store().clear(section);

    QVERIFY(!store().banner(section));
    QCOMPARE(store().banners().size(), 5);
    QCOMPARE(store().mergeFiles().isEmpty(), section == AppSection::merge);
    QCOMPARE(!store().splitFile(), section == AppSection::split);
    QCOMPARE(store().compressFiles().isEmpty(), section == AppSection::compress);
    QCOMPARE(!store().signFile(), section == AppSection::sign);
    QCOMPARE(store().placements().isEmpty(), section == AppSection::sign);
    QCOMPARE(!store().selectedPlacement(), section == AppSection::sign);
    QCOMPARE(store().signPage(), section == AppSection::sign ? 0 : 2);
    QCOMPARE(!store().pagesFile(), section == AppSection::pages);
    QCOMPARE(store().pagesSelected().isEmpty(), section == AppSection::pages);
}

void StoreStateTest::clearingSplitKeepsItsSettings()
{
    store().addFiles({m_fixture->pdf("a.pdf", 4)}, AppSection::split);
    store().setSplitMode(SplitMode::ranges);
    store().setSplitEvery(3);
    store().setSplitRanges("2-3");
    store().clear(AppSection::split);
    store().addFiles({m_fixture->pdf("b.pdf", 4)}, AppSection::split);

    QCOMPARE(store().splitMode(), SplitMode::ranges);
    QCOMPARE(store().splitEvery(), 3);
    QCOMPARE(store().splitRanges(), "2-3");
    QCOMPARE(store().splitGroups().groups, (Grouping{{1, 2}}));
}

void StoreStateTest::clearingCompressRemovesTheResults()
{
    store().addFiles({m_fixture->pdf("a.pdf")}, AppSection::compress);
    store().setCompressResults({{store().compressFiles().first().id, 10}});
    store().clear(AppSection::compress);
    QVERIFY(store().compressResults().isEmpty());
    QVERIFY(store().compressFiles().isEmpty());
}

void StoreStateTest::splitGroups_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<SplitMode>("mode");
    QTest::addColumn<int>("every");
    QTest::addColumn<QString>("ranges");
    QTest::addColumn<Grouping>("groups");
    QTest::newRow("each page") << 3 << SplitMode::each << 5 << "" << Grouping{{0}, {1}, {2}};
    QTest::newRow("every 3 of 7") << 7 << SplitMode::every << 3 << ""
                                  << Grouping{{0, 1, 2}, {3, 4, 5}, {6}};
    QTest::newRow("every 2 of 4") << 4 << SplitMode::every << 2 << "" << Grouping{{0, 1}, {2, 3}};
    QTest::newRow("ranges") << 12 << SplitMode::ranges << 2 << "1-3, 5, 8-12"
                            << Grouping{{0, 1, 2}, {4}, {7, 8, 9, 10, 11}};
}

void StoreStateTest::splitGroups()
{
    QFETCH(int, pages);
    QFETCH(SplitMode, mode);
    QFETCH(int, every);
    QFETCH(QString, ranges);
    QFETCH(Grouping, groups);
    store().addFiles({m_fixture->pdf("doc.pdf", pages)}, AppSection::split);
    store().setSplitMode(mode);
    store().setSplitEvery(every);
    store().setSplitRanges(ranges);
    QCOMPARE(store().splitGroups().groups, groups);
}

void StoreStateTest::splitGroupsPassOnTheParserFailure()
{
    store().addFiles({m_fixture->pdf("doc.pdf", 5)}, AppSection::split);
    store().setSplitMode(SplitMode::ranges);
    store().setSplitRanges("9");
    const SplitPlan plan = store().splitGroups();
    QVERIFY(plan.groups.isEmpty());
    QCOMPARE(plan.error, "Bu PDF 5 sayfa. “9” bunun dışında kalıyor.");
}

void StoreStateTest::splitGroupsWithoutAFileAreEmpty()
{
    store().setSplitMode(SplitMode::ranges);
    store().setSplitRanges("not even ranges");
    QVERIFY(store().splitGroups().groups.isEmpty());
    QVERIFY(store().splitGroups().error.isEmpty());
}

QTEST_GUILESS_MAIN(StoreStateTest)
#include "StoreStateTest.moc"
