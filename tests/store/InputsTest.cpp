#include "StoreTestCase.h"

#include <QTest>

// Clearing a tool's inputs and the page groups of a split.
class InputsTest : public StoreTestCase {
    Q_OBJECT

private slots:
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
};

void InputsTest::fillEveryTool()
{
    const QString a = m_fixture->pdf("a.pdf", 3);
    const QString b = m_fixture->pdf("b.pdf", 2);
    store().addFiles({a, b}, AppSection::merge);
    store().addFiles({a}, AppSection::split);
    store().addFiles({a, b}, AppSection::compress);
    store().addFiles({a}, AppSection::sign);
    store().addFiles({a}, AppSection::pages);
    store().setSignPage(2);
    store().setPlacements({Placement{QUuid::createUuid(), QUuid::createUuid(), 2, {0.1, 0.1, 0.3, 0.1}}});
    store().setSelectedPlacement(store().placements().first().id);
    store().setPagesSelected({0});
    for (AppSection section : AppSections::all) {
        store().addFiles({m_fixture->file("x.txt", "x")}, section); // a banner on every page
    }
}

void InputsTest::clearingEmptiesOnlyThatTool_data()
{
    QTest::addColumn<AppSection>("section");
    for (AppSection section : AppSections::all) {
        QTest::newRow(qPrintable(AppSections::rawValue(section))) << section;
    }
}

void InputsTest::clearingEmptiesOnlyThatTool()
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

void InputsTest::clearingSplitKeepsItsSettings()
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

void InputsTest::clearingCompressRemovesTheResults()
{
    store().addFiles({m_fixture->pdf("a.pdf")}, AppSection::compress);
    store().setCompressResults({{store().compressFiles().first().id, 10}});
    store().clear(AppSection::compress);
    QVERIFY(store().compressResults().isEmpty());
    QVERIFY(store().compressFiles().isEmpty());
}

void InputsTest::splitGroups_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<SplitMode>("mode");
    QTest::addColumn<int>("every");
    QTest::addColumn<QString>("ranges");
    QTest::addColumn<Grouping>("groups");
    QTest::newRow("each page") << 3 << SplitMode::each << 5 << "" << Grouping{{0}, {1}, {2}};
    QTest::newRow("every 3 of 7") << 7 << SplitMode::every << 3 << ""
                                  << Grouping{{0, 1, 2}, {3, 4, 5}, {6}};
    QTest::newRow("every 2 of 4") << 4 << SplitMode::every << 2 << ""
                                  << Grouping{{0, 1}, {2, 3}};
    QTest::newRow("ranges") << 12 << SplitMode::ranges << 2 << "1-3, 5, 8-12"
                            << Grouping{{0, 1, 2}, {4}, {7, 8, 9, 10, 11}};
}

void InputsTest::splitGroups()
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

void InputsTest::splitGroupsPassOnTheParserFailure()
{
    store().addFiles({m_fixture->pdf("doc.pdf", 5)}, AppSection::split);
    store().setSplitMode(SplitMode::ranges);
    store().setSplitRanges("9");
    const SplitPlan plan = store().splitGroups();
    QVERIFY(plan.groups.isEmpty());
    QCOMPARE(plan.error, "Bu PDF 5 sayfa. “9” bunun dışında kalıyor.");
}

void InputsTest::splitGroupsWithoutAFileAreEmpty()
{
    store().setSplitMode(SplitMode::ranges);
    store().setSplitRanges("not even ranges");
    QVERIFY(store().splitGroups().groups.isEmpty());
    QVERIFY(store().splitGroups().error.isEmpty());
}

QTEST_GUILESS_MAIN(InputsTest)
#include "InputsTest.moc"
