#include "Button.h"
#include "DropZone.h"
#include "Labels.h"
#include "PageGrid.h"
#include "PageGridModel.h"
#include "PagesScreen.h"
#include "RunButton.h"
#include "ScreenEvents.h"
#include "SingleFileCard.h"
#include "Fixtures.h"
#include "StoreFixture.h"
#include "Theme.h"

#include <QScrollBar>
#include <QTest>

namespace {

QSet<int> pagesOf(const QList<int>& pages)
{
    return QSet<int>(pages.begin(), pages.end());
}

} // namespace

class PagesScreenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<PagesScreen> m_screen;

    Store& store() { return *m_fixture->store; }
    PageGrid* grid() { return m_screen->grid(); }

    void admit(int pages, const QString& name = QStringLiteral("Rapor.pdf"))
    {
        store().addFiles({m_fixture->pdf(name, pages)}, AppSection::pages);
        QVERIFY(store().pagesFile());
        QCOMPARE(store().pagesFile()->pageCount, pages);
        // Cells are placed once the view has laid them out.
        QTRY_VERIFY(grid()->cellRect(pages - 1).isValid());
    }

    void click(int page)
    {
        grid()->scrollTo(grid()->pageModel()->index(page));
        const QRect cell = grid()->cellRect(page);
        QVERIFY(cell.isValid());
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }

    QString summary() const { return m_screen->summary()->text(); }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }

    void init()
    {
        m_environment->reset();
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
        m_screen = std::make_unique<PagesScreen>(store());
        m_screen->resize(860, 640);
        m_screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    }

    void cleanup()
    {
        m_screen.reset();
        m_fixture.reset();
    }

    void withoutDocument()
    {
        QVERIFY(m_screen->dropZone()->isVisible());
        QVERIFY(!m_screen->invertButton()->isVisible());
        QVERIFY(!m_screen->clearButton()->isVisible());
        QVERIFY(summary().isEmpty());
        QVERIFY(!m_screen->runButton()->isEnabled());

        m_fixture->panels.openAnswers << QStringList{m_fixture->pdf("Sözleşme.pdf", 4)};
        QTest::mouseClick(m_screen->dropZone()->chooseButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls, QStringList{QStringLiteral("openPDFs(single)")});
        QVERIFY(m_screen->card());
        QVERIFY(m_screen->card()->isVisible());
        QVERIFY(m_screen->invertButton()->isVisible());
        QCOMPARE(grid()->pageModel()->rowCount(), 4);
        QCOMPARE(summary(), QStringLiteral("Silmek istediğin sayfalara tıkla."));
    }

    void clickingTogglesCells()
    {
        admit(10);
        click(1);
        click(4);
        QCOMPARE(store().pagesSelected(), pagesOf({1, 4}));
        QCOMPARE(summary(), QStringLiteral("Silinecek: 2 · Kalacak: 8"));
        QCOMPARE(m_screen->summary()->tone(), Tone::primary);
        QVERIFY(m_screen->runButton()->isEnabled());
        QVERIFY(grid()->pageModel()->index(4).data(PageGridModel::SelectedRole).toBool());
        QVERIFY(grid()->selectionModel()->isSelected(grid()->pageModel()->index(4)));

        // A second click on a marked cell takes the mark away again.
        click(1);
        QCOMPARE(store().pagesSelected(), pagesOf({4}));
        QCOMPARE(summary(), QStringLiteral("Silinecek: 1 · Kalacak: 9"));
        QVERIFY(!grid()->pageModel()->index(1).data(PageGridModel::SelectedRole).toBool());
        QVERIFY(!grid()->selectionModel()->isSelected(grid()->pageModel()->index(1)));
    }

    void keyboardTogglesTheCurrentCell()
    {
        admit(6);
        grid()->setFocus();
        grid()->setCurrentIndex(grid()->pageModel()->index(2));
        QTest::keyClick(grid(), Qt::Key_Space);
        QCOMPARE(store().pagesSelected(), pagesOf({2}));
        QTest::keyClick(grid(), Qt::Key_Right);
        QTest::keyClick(grid(), Qt::Key_Return);
        QCOMPARE(store().pagesSelected(), pagesOf({2, 3}));
        QTest::keyClick(grid(), Qt::Key_Space);
        QCOMPARE(store().pagesSelected(), pagesOf({2}));
    }

    void invertAndClear()
    {
        admit(10);
        QVERIFY(!m_screen->clearButton()->isEnabled());

        // Inverting nothing marks every page, which may not be deleted.
        QTest::mouseClick(m_screen->invertButton(), Qt::LeftButton);
        QCOMPARE(store().pagesSelected(), pagesOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        QCOMPARE(summary(), QStringLiteral("En az bir sayfa kalmalı."));
        QCOMPARE(m_screen->summary()->tone(), Tone::down);
        QVERIFY(!m_screen->runButton()->isEnabled());
        QVERIFY(m_screen->clearButton()->isEnabled());

        QTest::mouseClick(m_screen->clearButton(), Qt::LeftButton);
        QVERIFY(store().pagesSelected().isEmpty());
        QVERIFY(!m_screen->clearButton()->isEnabled());
        QCOMPARE(summary(), QStringLiteral("Silmek istediğin sayfalara tıkla."));

        click(0);
        click(7);
        QTest::mouseClick(m_screen->invertButton(), Qt::LeftButton);
        QCOMPARE(store().pagesSelected(), pagesOf({1, 2, 3, 4, 5, 6, 8, 9}));
        QCOMPARE(summary(), QStringLiteral("Silinecek: 8 · Kalacak: 2"));
    }

    void runButtonEnabling_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("nothing") << QList<int>{} << false;
        QTest::newRow("one page") << QList<int>{3} << true;
        QTest::newRow("all but one") << QList<int>{0, 1, 2, 4} << true;
        QTest::newRow("every page") << QList<int>{0, 1, 2, 3, 4} << false;
    }

    void runButtonEnabling()
    {
        QFETCH(QList<int>, selected);
        QFETCH(bool, enabled);
        admit(5);
        store().setPagesSelected(pagesOf(selected));
        QCOMPARE(m_screen->runButton()->isEnabled(), enabled);
    }

    void runDeletesTheMarkedPages()
    {
        admit(5);
        click(0);
        click(3);
        const QString target = m_fixture->path("Rapor düzenlenmiş.pdf");
        m_fixture->panels.saveAnswers << target;
        QTest::mouseClick(m_screen->runButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls.last(), QStringLiteral("save(Rapor düzenlenmiş)"));
        // Every run button rests while the tool works, and only its own shows progress.
        QVERIFY(!m_screen->runButton()->isEnabled());
        QVERIFY(m_fixture->waitIdle());
        QCOMPARE(Fixtures::readTags(target),
                 (QStringList{"Rapor-2", "Rapor-3", "Rapor-5"}));
        QVERIFY(m_screen->bannerView());
        // The marks stay for another run.
        QCOMPARE(store().pagesSelected(), pagesOf({0, 3}));
        QVERIFY(m_screen->runButton()->isEnabled());
    }

    void columnsFollowTheWidth_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("cellWidth");
        // 812 points inside the side margins: six columns of 122.
        QTest::newRow("wide page") << 10 << 860 << 6 << 122;
        // Too narrow for two columns of 120 with a gap.
        QTest::newRow("narrow page") << 10 << 300 << 1 << 180;
        // Two pages would get 398 each; a cell never grows past 180.
        QTest::newRow("few pages") << 2 << 860 << 2 << 180;
    }

    void columnsFollowTheWidth()
    {
        QFETCH(int, pages);
        QFETCH(int, width);
        QFETCH(int, columns);
        QFETCH(int, cellWidth);
        store().addFiles({m_fixture->pdf("Rapor.pdf", pages)}, AppSection::pages);
        PageGrid grid(store());
        grid.setFile(store().pagesFile());
        grid.resize(width, 500);
        grid.show();
        QTRY_VERIFY(grid.cellRect(pages - 1).isValid());
        QCOMPARE(grid.columnCount(), columns);
        QCOMPARE(grid.cellSize().width(), cellWidth);
        for (int page = 0; page < pages; ++page) {
            const QRect cell = grid.cellRect(page);
            // Row-major order, columns a gap apart, each row starting in the same column.
            QCOMPARE(cell.left(), grid.cellRect(page % columns).left());
            if (page % columns > 0) {
                QCOMPARE(cell.left() - grid.cellRect(page - 1).right() - 1, PageGrid::gap);
                QCOMPARE(cell.top(), grid.cellRect(page - 1).top());
            } else if (page > 0) {
                QCOMPARE(cell.top() - grid.cellRect(page - 1).bottom() - 1, PageGrid::gap);
            }
        }
        // The cells sit in the middle of the width.
        const QPoint left = grid.viewport()->mapTo(&grid, grid.cellRect(0).topLeft());
        const int rowWidth = columns * cellWidth + (columns - 1) * PageGrid::gap;
        QVERIFY(qAbs((width - rowWidth) / 2 - left.x()) <= 1);
    }

    // A long document draws only what is on screen: no widget per page, and
    // images asked for only for the cells that came into view.
    void longDocumentIsLazy()
    {
        admit(500, QStringLiteral("Katalog.pdf"));
        const PDFFile file = *store().pagesFile();
        QTRY_VERIFY(store().thumbnail(file, 0, PageGrid::thumbSide).has_value());

        QVERIFY(m_screen->findChildren<QWidget*>().size() < 80);
        const QSet<int> asked = grid()->requestedPages();
        QVERIFY(asked.contains(0));
        const QRect visible = grid()->viewport()->rect();
        for (const int page : asked) {
            QVERIFY2(grid()->cellRect(page).intersects(visible), qPrintable(QString::number(page)));
        }
        QVERIFY(asked.size() <= 3 * grid()->columnCount());
        QVERIFY(!asked.contains(499));
        QVERIFY(!store().thumbnail(file, 499, PageGrid::thumbSide).has_value());

        grid()->scrollToBottom();
        QTRY_VERIFY(store().thumbnail(file, 499, PageGrid::thumbSide).has_value());
        const QSet<int> later = grid()->requestedPages();
        QVERIFY(later.contains(499));
        QVERIFY(!later.contains(250));
        QVERIFY(later.size() <= 6 * grid()->columnCount());
    }

    void anotherDocumentReplacesTheGrid()
    {
        admit(8);
        click(2);
        store().addFiles({m_fixture->pdf("Ek.pdf", 3)}, AppSection::pages);
        QCOMPARE(grid()->pageModel()->rowCount(), 3);
        QVERIFY(store().pagesSelected().isEmpty());
        QCOMPARE(summary(), QStringLiteral("Silmek istediğin sayfalara tıkla."));
        QVERIFY(!grid()->pageModel()->index(2).data(PageGridModel::SelectedRole).toBool());
        QTRY_COMPARE(m_screen->findChildren<SingleFileCard*>().size(), 1);

        // Files dropped on the grid reach the tool like files dropped anywhere on the page.
        QVERIFY(ScreenEvents::dropFiles(grid()->viewport(), {m_fixture->pdf("Kapak.pdf", 2)}));
        QCOMPARE(grid()->pageModel()->rowCount(), 2);

        QTest::mouseClick(m_screen->card()->removeButton(), Qt::LeftButton);
        QVERIFY(!store().pagesFile());
        QVERIFY(m_screen->dropZone()->isVisible());
        QCOMPARE(grid()->pageModel()->rowCount(), 0);
        QVERIFY(summary().isEmpty());
    }
};

QTEST_MAIN(PagesScreenTest)
#include "PagesScreenTest.moc"
