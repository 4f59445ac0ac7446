#include "DataFile.h"
#include "DropZone.h"
#include "EmptyState.h"
#include "Find.h"
#include "Fixtures.h"
#include "HistoryDisplay.h"
#include "HistoryRow.h"
#include "HistoryScreen.h"
#include "Labels.h"
#include "PageGrid.h"
#include "PageGridModel.h"
#include "PagesScreen.h"
#include "RunButton.h"
#include "ScreenEvents.h"
#include "SingleFileCard.h"
#include "StoreFixture.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

const QDateTime clockNow(QDate(2026, 6, 10), QTime(15, 30));

QSet<int> pagesOf(const QList<int>& pages)
{
    return QSet<int>(pages.begin(), pages.end());
}

QString fullText(const QWidget* row, const QString& name)
{
    return Find::named<ElidedLabel>(row, name)->fullText();
}

QAbstractButton* revealOf(const QWidget* row)
{
    return Find::named<QAbstractButton>(row, QStringLiteral("Finder'da göster"));
}

} // namespace

// The delete-pages grid and the history list over a real Store.
class PagesHistoryScreensTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<PagesScreen> m_pages;
    std::unique_ptr<HistoryScreen> m_history;
    QDateTime m_now = clockNow;

    Store& store() { return *m_fixture->store; }
    PageGrid* grid() { return m_pages->findChild<PageGrid*>(); }
    RunButton* run() { return m_pages->findChild<RunButton*>(); }
    ToneLabel* summary() { return Find::named<ToneLabel>(m_pages.get(), QStringLiteral("summary")); }
    QAbstractButton* button(const QString& text)
    {
        return Find::named<QAbstractButton>(m_pages.get(), text);
    }
    bool marked(int page) { return grid()->model()->index(page, 0).data(PageGridModel::SelectedRole).toBool(); }

    void admit(int pages, const QString& name = QStringLiteral("Rapor.pdf"))
    {
        store().addFiles({m_fixture->pdf(name, pages)}, AppSection::pages);
        QCOMPARE(store().pagesFile()->pageCount, pages);
        // Cells are placed once the view has laid them out.
        QTRY_VERIFY(grid()->cellRect(pages - 1).isValid());
    }

    void click(int page)
    {
        grid()->scrollTo(grid()->model()->index(page, 0));
        const QRect cell = grid()->cellRect(page);
        QVERIFY(cell.isValid());
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }

    QString output(const QString& name, const QString& folder = QStringLiteral("out"))
    {
        const QString path = m_fixture->folder(folder) + "/" + name;
        Fixtures::writeBytes(path, QByteArray(1200, 'x'));
        return path;
    }

    HistoryItem record(const QString& tool, const QStringList& inputs, const QStringList& outputs,
                       const QDateTime& date)
    {
        HistoryItem item;
        item.id = QUuid::createUuid();
        item.date = date;
        item.tool = tool;
        item.inputs = inputs;
        item.outputs = outputs;
        item.bytesBefore = 2'400'000;
        item.bytesAfter = 1'200;
        return item;
    }

    // Four records, newest first: a merge, a split into five files, a page deletion whose
    // output is gone, and a signing with one of two outputs left.
    QList<HistoryItem> showFourRecords()
    {
        QStringList parts;
        for (int part = 1; part <= 5; ++part) {
            parts << output(QStringLiteral("Katalog %1.pdf").arg(part), QStringLiteral("parcalar"));
        }
        const QString gone = output(QStringLiteral("Rapor düzenlenmiş.pdf"));
        const QString signedGone = output(QStringLiteral("Sözleşme imzalı.pdf"));
        QFile::remove(gone);
        QFile::remove(signedGone);
        const QList<HistoryItem> records = {
            record("merge", {"Rapor.pdf", "Ek.pdf"}, {output("Rapor birleşik.pdf")},
                   clockNow.addSecs(-300)),
            record("split", {"Katalog.pdf"}, parts, clockNow.addDays(-1)),
            record("pages", {"Rapor.pdf"}, {gone}, clockNow.addDays(-3)),
            record("sign", {"Sözleşme.pdf", "Ek.pdf"}, {signedGone, output("Ek imzalı.pdf")},
                   clockNow.addDays(-20)),
        };
        showHistory(records);
        return records;
    }

    void showHistory(const QList<HistoryItem>& records)
    {
        AppData data = store().data();
        data.history = records;
        store().setData(data);
        m_history = std::make_unique<HistoryScreen>(store(), nullptr, [this] { return m_now; });
        m_history->resize(820, 560);
        m_history->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_history.get()));
    }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void init()
    {
        m_environment->reset();
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
        m_now = clockNow;
        m_pages = std::make_unique<PagesScreen>(store());
        m_pages->resize(860, 640);
        m_pages->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pages.get()));
    }
    void cleanup()
    {
        m_history.reset();
        m_pages.reset();
        m_fixture.reset();
        qunsetenv("LEAFLOW_SNAPSHOT");
    }

    // Delete pages.

    void pagesClickAndKeysMarkCells()
    {
        QVERIFY(m_pages->findChild<DropZone*>()->isVisible());
        QVERIFY(!button(QStringLiteral("Seçimi ters çevir"))->isVisible());
        m_fixture->panels.openAnswers << QStringList{m_fixture->pdf("Rapor.pdf", 10)};
        QTest::mouseClick(button(QStringLiteral("Dosya seç…")), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls, QStringList{QStringLiteral("openPDFs(single)")});
        QTRY_VERIFY(grid()->cellRect(9).isValid());
        QCOMPARE(summary()->text(), QStringLiteral("Silmek istediğin sayfalara tıkla."));

        click(1);
        click(4);
        QCOMPARE(store().pagesSelected(), pagesOf({1, 4}));
        QCOMPARE(summary()->text(), QStringLiteral("Silinecek: 2 · Kalacak: 8"));
        QVERIFY(marked(4) && !marked(3));
        click(1); // a second click takes the mark away again
        QCOMPARE(store().pagesSelected(), pagesOf({4}));
        QVERIFY(!marked(1));

        grid()->setFocus();
        grid()->setCurrentIndex(grid()->model()->index(2, 0));
        QTest::keyClick(grid(), Qt::Key_Space);
        QTest::keyClick(grid(), Qt::Key_Right);
        QTest::keyClick(grid(), Qt::Key_Return);
        QCOMPARE(store().pagesSelected(), pagesOf({2, 3, 4}));
        QTest::keyClick(grid(), Qt::Key_Space);
        QCOMPARE(store().pagesSelected(), pagesOf({2, 4}));
    }

    void pagesInvertAndClear()
    {
        admit(10);
        QVERIFY(!button(QStringLiteral("Seçimi temizle"))->isEnabled());
        // Inverting nothing marks every page, which may not all be deleted.
        QTest::mouseClick(button(QStringLiteral("Seçimi ters çevir")), Qt::LeftButton);
        QCOMPARE(store().pagesSelected().size(), 10);
        QCOMPARE(summary()->text(), QStringLiteral("En az bir sayfa kalmalı."));
        QCOMPARE(summary()->tone(), Tone::down);
        QVERIFY(!run()->isEnabled());
        QTest::mouseClick(button(QStringLiteral("Seçimi temizle")), Qt::LeftButton);
        QVERIFY(store().pagesSelected().isEmpty());
        QVERIFY(!button(QStringLiteral("Seçimi temizle"))->isEnabled());

        click(0);
        click(7);
        QTest::mouseClick(button(QStringLiteral("Seçimi ters çevir")), Qt::LeftButton);
        QCOMPARE(store().pagesSelected(), pagesOf({1, 2, 3, 4, 5, 6, 8, 9}));
    }

    void pagesRunButtonEnabling_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("nothing") << QList<int>{} << false;
        QTest::newRow("one page") << QList<int>{3} << true;
        QTest::newRow("all but one") << QList<int>{0, 1, 2, 4} << true;
        QTest::newRow("every page") << QList<int>{0, 1, 2, 3, 4} << false;
    }
    void pagesRunButtonEnabling()
    {
        QFETCH(QList<int>, selected);
        QFETCH(bool, enabled);
        admit(5);
        store().setPagesSelected(pagesOf(selected));
        QCOMPARE(run()->isEnabled(), enabled);
    }

    void pagesRunDeletesTheMarkedPages()
    {
        admit(5);
        click(0);
        click(3);
        const QString target = m_fixture->path("Rapor düzenlenmiş.pdf");
        m_fixture->panels.saveAnswers << target;
        QTest::mouseClick(run(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls.last(), QStringLiteral("save(Rapor düzenlenmiş)"));
        QVERIFY(m_fixture->waitIdle());
        QCOMPARE(Fixtures::readTags(target), (QStringList{"Rapor-2", "Rapor-3", "Rapor-5"}));
        QVERIFY(m_pages->bannerView());
        // The marks stay for another run.
        QCOMPARE(store().pagesSelected(), pagesOf({0, 3}));
        QVERIFY(run()->isEnabled());
    }

    void pagesColumnsFollowTheWidth_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("cellWidth");
        QTest::newRow("wide page") << 10 << 860 << 6 << 122;
        QTest::newRow("narrow page") << 10 << 300 << 1 << 180;
        QTest::newRow("few pages never grow past 180") << 2 << 860 << 2 << 180;
    }
    void pagesColumnsFollowTheWidth()
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
        // Row-major: the next row starts under the first cell.
        if (pages > columns) {
            QCOMPARE(grid.cellRect(columns).left(), grid.cellRect(0).left());
            QVERIFY(grid.cellRect(columns).top() > grid.cellRect(columns - 1).bottom());
        }
        // Centred in the width.
        const QPoint left = grid.viewport()->mapTo(&grid, grid.cellRect(0).topLeft());
        const int rowWidth = columns * cellWidth + (columns - 1) * PageGrid::gap;
        QVERIFY(qAbs((width - rowWidth) / 2 - left.x()) <= 1);
    }

    // A long document draws only what is on screen: no widget per page, and images asked for
    // only for the cells that came into view.
    void pagesLongDocumentIsLazy()
    {
        admit(500, QStringLiteral("Katalog.pdf"));
        const PDFFile file = *store().pagesFile();
        QTRY_VERIFY(store().thumbnail(file, 0, PageGrid::thumbSide).has_value());
        QVERIFY(m_pages->findChildren<QWidget*>().size() < 80);
        const QSet<int> asked = grid()->requestedPages();
        QVERIFY(asked.contains(0));
        for (const int page : asked) {
            QVERIFY2(grid()->cellRect(page).intersects(grid()->viewport()->rect()),
                     qPrintable(QString::number(page)));
        }
        QVERIFY(!store().thumbnail(file, 499, PageGrid::thumbSide).has_value());
        grid()->scrollToBottom();
        QTRY_VERIFY(store().thumbnail(file, 499, PageGrid::thumbSide).has_value());
        QVERIFY(!grid()->requestedPages().contains(250));
    }

    void pagesAnotherDocumentReplacesTheGrid()
    {
        admit(8);
        click(2);
        // Files dropped on the grid reach the tool like files dropped anywhere on the page.
        QVERIFY(ScreenEvents::dropFiles(grid()->viewport(), {m_fixture->pdf("Kapak.pdf", 3)}));
        QCOMPARE(grid()->model()->rowCount(), 3);
        QVERIFY(store().pagesSelected().isEmpty());
        QVERIFY(!marked(2));
        QTRY_COMPARE(m_pages->findChildren<SingleFileCard*>().size(), 1);

        QTest::mouseClick(button(QStringLiteral("Dosyayı kaldır")), Qt::LeftButton);
        QVERIFY(!store().pagesFile());
        QVERIFY(m_pages->findChild<DropZone*>()->isVisible());
        QCOMPARE(grid()->model()->rowCount(), 0);
    }

    // History.

    void historyEmpty()
    {
        showHistory({});
        QVERIFY(m_history->findChild<EmptyState*>()->isVisible());
        QVERIFY(!Find::named(m_history.get(), QStringLiteral("Geçmişi temizle…"))->isEnabled());
        m_history->confirmClear();
        QVERIFY(!m_history->findChild<QMessageBox*>());
    }

    void historyRowsShowEachRecord()
    {
        showFourRecords();
        const QList<HistoryRow*> rows = m_history->rows();
        QCOMPARE(rows.size(), 4);
        QStringList titles, details, dates;
        for (const HistoryRow* row : rows) {
            titles << fullText(row, QStringLiteral("title"));
            details << fullText(row, QStringLiteral("detail"));
            dates << Find::named<QLabel>(row, QStringLiteral("date"))->text();
        }
        QCOMPARE(titles, (QStringList{"Rapor birleşik.pdf", "5 dosya · parcalar",
                                      "Rapor düzenlenmiş.pdf", "2 dosya · out"}));
        QCOMPARE(details, (QStringList{"Birleştir · Rapor.pdf, Ek.pdf", "Böl · Katalog.pdf",
                                       "Sayfa sil · Dosya taşınmış ya da silinmiş",
                                       "İmzala · Sözleşme.pdf, Ek.pdf"}));
        QCOMPARE(dates, (QStringList{"5 dakika önce", "dün", "3 gün önce", "2 hafta önce"}));

        // The magnifier shows the outputs that remain, and is off when none does.
        QVERIFY(!revealOf(rows.at(2))->isEnabled());
        QTest::mouseClick(revealOf(rows.at(3)), Qt::LeftButton);
        QCOMPARE(m_fixture->reveal.revealed,
                 (QList<QStringList>{{m_fixture->folder("out") + "/Ek imzalı.pdf"}}));
        QTest::mouseClick(revealOf(rows.at(1)), Qt::LeftButton);
        QCOMPARE(m_fixture->reveal.revealed.last(), store().data().history.at(1).outputs);
    }

    // Files removed while another section showed are noticed when the history shows again.
    void historyMissingFilesAreNoticedWhenShown()
    {
        showFourRecords();
        QVERIFY(revealOf(m_history->rows().first())->isEnabled());
        m_history->hide();
        QFile::remove(store().data().history.first().outputs.first());
        m_history->show();
        const HistoryRow* first = m_history->rows().first();
        QVERIFY(!revealOf(first)->isEnabled());
        QCOMPARE(fullText(first, QStringLiteral("detail")),
                 QStringLiteral("Birleştir · Dosya taşınmış ya da silinmiş"));
    }

    void historyScreenshotModeTreatsOutputsAsPresent()
    {
        qputenv("LEAFLOW_SNAPSHOT", "1");
        showFourRecords();
        const HistoryRow* pages = m_history->rows().at(2);
        QCOMPARE(fullText(pages, QStringLiteral("detail")), QStringLiteral("Sayfa sil · Rapor.pdf"));
        QVERIFY(revealOf(pages)->isEnabled());
    }

    void historyDatesFollowTheClock()
    {
        showHistory({record("rotate", {"Eski.pdf"}, {output("Eski döndürülmüş.pdf")},
                            clockNow.addSecs(-40))});
        const HistoryRow* row = m_history->rows().first();
        // A tool this version does not know shows just its inputs.
        QCOMPARE(fullText(row, QStringLiteral("detail")), QStringLiteral("Eski.pdf"));
        QCOMPARE(Find::named<QLabel>(row, QStringLiteral("date"))->text(),
                 QStringLiteral("40 saniye önce"));
        m_now = clockNow.addDays(1);
        m_history->refreshDates();
        QCOMPARE(Find::named<QLabel>(m_history->rows().first(), QStringLiteral("date"))->text(),
                 QStringLiteral("dün"));
    }

    void historyClearingAsksFirst_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("confirm") << "Temizle" << true;
        QTest::newRow("cancel") << "Vazgeç" << false;
        QTest::newRow("escape") << "escape" << false;
    }
    void historyClearingAsksFirst()
    {
        QFETCH(QString, answer);
        QFETCH(bool, cleared);
        const QList<HistoryItem> records = showFourRecords();
        QTest::mouseClick(Find::named<QAbstractButton>(m_history.get(), QStringLiteral("Geçmişi temizle…")),
                          Qt::LeftButton);
        QMessageBox* box = m_history->findChild<QMessageBox*>();
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("Geçmiş temizlensin mi?"));
        QCOMPARE(box->defaultButton()->text(), QStringLiteral("Vazgeç"));
        if (answer == "escape") {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            QTest::mouseClick(Find::named<QPushButton>(box, answer), Qt::LeftButton);
        }
        QTRY_VERIFY(!m_history->findChild<QMessageBox*>());

        const std::optional<AppData> onDisk = DataFile().load();
        QVERIFY(onDisk);
        QCOMPARE(onDisk->history, cleared ? QList<HistoryItem>() : records);
        QCOMPARE(m_history->findChild<EmptyState*>()->isVisible(), cleared);
        // The files themselves are never touched.
        for (const HistoryItem& item : records) {
            QCOMPARE(HistoryDisplay::existing(item).size(),
                     item.tool == "pages" ? 0 : item.tool == "sign" ? 1 : item.outputs.size());
        }
    }
};

QTEST_MAIN(PagesHistoryScreensTest)
#include "PagesHistoryScreensTest.moc"
