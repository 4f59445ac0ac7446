#include "DataCoding.h"
#include "Fixtures.h"
#include "StoreTestCase.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

// The Store's fields: read from settings and data file, change signals, clearing a tool.
class StoreStateTest : public StoreTestCase {
    Q_OBJECT

private slots:
    // Unknown or differently cased names fall back to balanced.
    void readsTheCompressionLevel()
    {
        const QList<std::pair<QVariant, CompressionLevel>> rows{
            {{}, CompressionLevel::balanced}, // first: nothing stored yet
            {"light", CompressionLevel::light},
            {"Strong", CompressionLevel::balanced},
            {"extreme", CompressionLevel::balanced}};
        for (const auto& [stored, level] : rows) {
            if (stored.isValid()) {
                QSettings().setValue("compressionLevel", stored);
            }
            QCOMPARE(freshStore().compressionLevel(), level);
        }
    }

    // A new Store shows the data file's records.
    void loadsTheDataFile()
    {
        const QDateTime date = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
        AppData stored;
        stored.history = {
            {QUuid::createUuid(), date, "merge", {"a.pdf", "b.pdf"}, {"/tmp/c.pdf"}, 10, 8}};
        QDir().mkpath(m_environment->dataFolder());
        const QString path = m_environment->dataFolder() + "/data.json";
        const QByteArray bytes = DataCoding::encode(stored) + "\n";
        Fixtures::writeBytes(path, bytes);
        QCOMPARE(freshStore().data(), stored); // rewriting: DataFileTest
    }

    // A new Store starts empty and writes nothing; its fields notify only on a change.
    void startsEmptyAndNotifiesOnlyOnChange()
    {
        QVERIFY(!QFileInfo::exists(m_environment->dataFolder() + "/data.json"));
        QSignalSpy every(&store(), &Store::splitEveryChanged);
        QSignalSpy ranges(&store(), &Store::splitRangesChanged);
        QSignalSpy level(&store(), &Store::compressionLevelChanged);
        QSignalSpy any(&store(), &Store::changed);
        store().setCompressionLevel(CompressionLevel::strong);
        store().setCompressionLevel(CompressionLevel::strong);
        store().setSplitEvery(2); // the first value
        store().setSplitEvery(3);
        store().setSplitRanges("1-2");
        store().setSplitRanges("1-2");
        QCOMPARE(every.count(), 1);
        QCOMPARE(ranges.count(), 1);
        QCOMPARE(level.count(), 1);
        QCOMPARE(any.count(), 3);
    }

    void clearingEmptiesOnlyThatTool_data()
    {
        QTest::addColumn<AppSection>("section");
        for (AppSection section : AppSections::all) {
            QTest::newRow(qPrintable(AppSections::rawValue(section))) << section;
        }
    }

    void clearingEmptiesOnlyThatTool()
    {
        QFETCH(AppSection, section);
        fillEveryTool();
        store().clear(section);

        QVERIFY(!store().banner(section));
        QCOMPARE(store().banners().size(), 5);
        QCOMPARE(store().mergeFiles().isEmpty(), section == AppSection::merge);
        QCOMPARE(!store().splitFile(), section == AppSection::split);
        QCOMPARE(store().compressFiles().isEmpty(), section == AppSection::compress);
        QCOMPARE(store().compressResults().isEmpty(), section == AppSection::compress);
        QCOMPARE(!store().signFile(), section == AppSection::sign);
        QCOMPARE(store().placements().isEmpty(), section == AppSection::sign);
        QCOMPARE(!store().selectedPlacement(), section == AppSection::sign);
        QCOMPARE(store().signPage(), section == AppSection::sign ? 0 : 2);
        QCOMPARE(!store().pagesFile(), section == AppSection::pages);
        QCOMPARE(store().pagesSelected().isEmpty(), section == AppSection::pages);
        // A split keeps its settings for the next file.
        QCOMPARE(store().splitMode(), SplitMode::ranges);
        QCOMPARE(store().splitEvery(), 3);
        QCOMPARE(store().splitRanges(), "2-3");
    }

private:
    void fillEveryTool()
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
        store().setSplitMode(SplitMode::ranges);
        store().setSplitEvery(3);
        store().setSplitRanges("2-3");
        store().setCompressResults({{store().compressFiles().first().id, 10}});
        for (AppSection section : AppSections::all) {
            store().addFiles({m_fixture->file("x.txt", "x")}, section); // a banner on every page
        }
    }

    // A new Store that reads the settings and data file as they are now.
    Store& freshStore()
    {
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
        return store();
    }
};

QTEST_GUILESS_MAIN(StoreStateTest)
#include "StoreStateTest.moc"
