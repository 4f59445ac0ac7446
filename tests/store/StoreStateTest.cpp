#include "Fixtures.h"
#include "StoreTestCase.h"
#include "core/DataCoding.h"

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
            QCOMPARE(freshStore().tool<CompressTool>().compressionLevel(), level);
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
        QSignalSpy every(&store().tool<SplitTool>(), &SplitTool::splitEveryChanged);
        QSignalSpy ranges(&store().tool<SplitTool>(), &SplitTool::splitRangesChanged);
        QSignalSpy level(&store().tool<CompressTool>(), &CompressTool::compressionLevelChanged);
        QSignalSpy any(&store(), &Store::changed);
        store().tool<CompressTool>().setCompressionLevel(CompressionLevel::strong);
        store().tool<CompressTool>().setCompressionLevel(CompressionLevel::strong);
        store().tool<SplitTool>().setSplitEvery(2); // the first value
        store().tool<SplitTool>().setSplitEvery(3);
        store().tool<SplitTool>().setSplitRanges("1-2");
        store().tool<SplitTool>().setSplitRanges("1-2");
        QCOMPARE(every.count(), 1);
        QCOMPARE(ranges.count(), 1);
        QCOMPARE(level.count(), 1);
        QCOMPARE(any.count(), 3);
    }

    void clearingEmptiesOnlyThatTool_data()
    {
        QTest::addColumn<QString>("section");
        for (const char* section :
             {"merge", "split", "compress", "sign", "pages", "organize", "ocr"}) {
            QTest::newRow(section) << QString::fromLatin1(section);
        }
    }

    void clearingEmptiesOnlyThatTool()
    {
        QFETCH(QString, section);
        fillEveryTool();
        store().clear(*store().tool(section));

        QVERIFY(!store().banner(section));
        QCOMPARE(store().banners().size(), 6);
        QCOMPARE(store().tool<MergeTool>().mergeFiles().isEmpty(),
                 section == QStringLiteral("merge"));
        QCOMPARE(!store().tool<SplitTool>().splitFile(), section == QStringLiteral("split"));
        QCOMPARE(store().tool<CompressTool>().compressFiles().isEmpty(),
                 section == QStringLiteral("compress"));
        QCOMPARE(store().tool<CompressTool>().compressResults().isEmpty(),
                 section == QStringLiteral("compress"));
        QCOMPARE(!store().tool<SignTool>().signFile(), section == QStringLiteral("sign"));
        QCOMPARE(store().tool<SignTool>().placements().isEmpty(),
                 section == QStringLiteral("sign"));
        QCOMPARE(!store().tool<SignTool>().selectedPlacement(), section == QStringLiteral("sign"));
        QCOMPARE(store().tool<SignTool>().signPage(), section == QStringLiteral("sign") ? 0 : 2);
        QCOMPARE(!store().tool<PagesTool>().pagesFile(), section == QStringLiteral("pages"));
        QCOMPARE(store().tool<PagesTool>().pagesSelected().isEmpty(),
                 section == QStringLiteral("pages"));
        QCOMPARE(store().tool<OrganizeTool>().arrangement().isEmpty(),
                 section == QStringLiteral("organize"));
        QCOMPARE(store().tool<OrganizeTool>().canUndo(), section != QStringLiteral("organize"));
        QCOMPARE(store().tool<OcrTool>().ocrFiles().isEmpty(), section == QStringLiteral("ocr"));
        QCOMPARE(store().tool<OcrTool>().ocrResults().isEmpty(), section == QStringLiteral("ocr"));
        // A split keeps its settings for the next file.
        QCOMPARE(store().tool<SplitTool>().splitMode(), SplitMode::ranges);
        QCOMPARE(store().tool<SplitTool>().splitEvery(), 3);
        QCOMPARE(store().tool<SplitTool>().splitRanges(), "2-3");
    }

private:
    void fillEveryTool()
    {
        const QString a = m_fixture->pdf("a.pdf", 3);
        const QString b = m_fixture->pdf("b.pdf", 2);
        store().addFiles({a, b}, store().tool<MergeTool>());
        store().addFiles({a}, store().tool<SplitTool>());
        store().addFiles({a, b}, store().tool<CompressTool>());
        store().addFiles({a}, store().tool<SignTool>());
        store().addFiles({a}, store().tool<PagesTool>());
        store().tool<SignTool>().setSignPage(2);
        store().tool<SignTool>().setPlacements(
            {Placement{QUuid::createUuid(), QUuid::createUuid(), 2, {0.1, 0.1, 0.3, 0.1}}});
        store().tool<SignTool>().setSelectedPlacement(
            store().tool<SignTool>().placements().first().id);
        store().tool<PagesTool>().setPagesSelected({0});
        store().addFiles({a}, store().tool<OrganizeTool>());
        store().addFiles({b}, store().tool<OrganizeTool>());
        store().tool<SplitTool>().setSplitMode(SplitMode::ranges);
        store().tool<SplitTool>().setSplitEvery(3);
        store().tool<SplitTool>().setSplitRanges("2-3");
        store().tool<CompressTool>().setCompressResults(
            {{store().tool<CompressTool>().compressFiles().first().id, 10}});
        store().addFiles({a, b}, store().tool<OcrTool>());
        store().tool<OcrTool>().setOcrResults(
            {{store().tool<OcrTool>().ocrFiles().first().id, {}}});
        for (ToolModel* tool : store().tools()) {
            store().addFiles({m_fixture->file("x.txt", "x")}, *tool); // a banner on every page
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
