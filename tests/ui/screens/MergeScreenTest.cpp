#include "BannerView.h"
#include "Button.h"
#include "DropZone.h"
#include "FileList.h"
#include "FileRow.h"
#include "Fixtures.h"
#include "Formatting.h"
#include "Labels.h"
#include "MergeScreen.h"
#include "PageHeader.h"
#include "RunButton.h"
#include "ScreenEvents.h"
#include "SplitScreen.h"
#include "StoreFixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QTest>

namespace {

QStringList names(const QList<PDFFile>& files)
{
    QStringList result;
    for (const PDFFile& file : files) {
        result << QFileInfo(file.source.url).fileName();
    }
    return result;
}

QStringList rowIndexes(const FileList* list)
{
    QStringList result;
    for (int index = 0; index < list->count(); ++index) {
        result << list->row(index)->findChild<QLabel*>(QStringLiteral("index"))->text();
    }
    return result;
}

QStringList rowNames(const FileList* list)
{
    QStringList result;
    for (int index = 0; index < list->count(); ++index) {
        result << list->row(index)->findChild<ElidedLabel*>(QStringLiteral("name"))->fullText();
    }
    return result;
}

} // namespace

class MergeScreenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<MergeScreen> m_screen;

    Store& store() { return *m_fixture->store; }

    void addThree()
    {
        store().addFiles({m_fixture->pdf("Rapor.pdf", 2), m_fixture->pdf("Ek.pdf", 1),
                          m_fixture->pdf("Kapak.pdf", 3)},
                         AppSection::merge);
        QCOMPARE(store().mergeFiles().size(), 3);
    }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }

    void init()
    {
        m_environment->reset();
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
        m_screen = std::make_unique<MergeScreen>(store());
        m_screen->resize(760, 560);
        m_screen->show();
    }

    void cleanup()
    {
        m_screen.reset();
        m_fixture.reset();
    }

    void emptyPageShowsTheDropZone()
    {
        QVERIFY(m_screen->dropZone()->isVisible());
        QVERIFY(!m_screen->list()->isVisible());
        QVERIFY(!m_screen->addButton()->isVisible());
        QVERIFY(!m_screen->clearButton()->isEnabled());
        QVERIFY(!m_screen->runButton()->isEnabled());
        QVERIFY(m_screen->summary()->text().isEmpty());

        QTest::mouseClick(m_screen->dropZone()->chooseButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls, QStringList{QStringLiteral("openPDFs(multiple)")});
    }

    void dropAnywhereAdmitsFiles_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("drop zone") << QStringLiteral("drop zone");
        QTest::newRow("footer summary") << QStringLiteral("summary");
        QTest::newRow("footer bar") << QStringLiteral("footer bar");
        QTest::newRow("run button") << QStringLiteral("run");
        QTest::newRow("header") << QStringLiteral("header");
        QTest::newRow("a row of the list") << QStringLiteral("row");
    }

    void dropAnywhereAdmitsFiles()
    {
        QFETCH(QString, where);
        if (where == QLatin1String("row")) {
            store().addFiles({m_fixture->pdf("Var.pdf")}, AppSection::merge);
        }
        const int before = static_cast<int>(store().mergeFiles().size());
        QWidget* target = where == QLatin1String("drop zone") ? m_screen->dropZone()
                          : where == QLatin1String("summary") ? m_screen->summary()
                          : where == QLatin1String("footer bar") ? m_screen->footerBar()
                          : where == QLatin1String("run") ? static_cast<QWidget*>(m_screen->runButton())
                          : where == QLatin1String("header") ? static_cast<QWidget*>(m_screen->header())
                                                             : m_screen->list()->row(0);
        const QString text = m_fixture->file("Not.txt", "not a pdf");
        QVERIFY(ScreenEvents::dropFiles(target, {m_fixture->pdf("Yeni.PDF", 2), text}));
        QCOMPARE(store().mergeFiles().size(), before + 1);
        QCOMPARE(names(store().mergeFiles()).last(), QStringLiteral("Yeni.PDF"));
        QVERIFY(!m_screen->bannerView());
        QVERIFY(m_screen->list()->isVisible());
        QCOMPARE(rowNames(m_screen->list()).last(), QStringLiteral("Yeni.PDF"));
    }

    void footerAndRunButtonFollowTheCount()
    {
        store().addFiles({m_fixture->pdf("Tek.pdf", 2)}, AppSection::merge);
        QCOMPARE(m_screen->summary()->text(), QStringLiteral("Birleştirmek için en az iki PDF ekle."));
        QVERIFY(!m_screen->runButton()->isEnabled());
        QVERIFY(m_screen->clearButton()->isEnabled());
        QVERIFY(m_screen->addButton()->isVisible());

        store().addFiles({m_fixture->pdf("Iki.pdf", 3)}, AppSection::merge);
        qint64 bytes = 0;
        for (const PDFFile& file : store().mergeFiles()) {
            bytes += file.bytes;
        }
        QCOMPARE(m_screen->summary()->text(),
                 QStringLiteral("Dosya: 2 · Sayfa: 5 · %1")
                     .arg(Formatting::fileSize(bytes, QLocale())));
        QVERIFY(m_screen->runButton()->isEnabled());
        QCOMPARE(rowIndexes(m_screen->list()), (QStringList{"1", "2"}));
    }

    void removeAndClear()
    {
        addThree();
        auto* middle = qobject_cast<FileRow*>(m_screen->list()->row(1));
        QVERIFY(middle);
        QTest::mouseClick(middle->removeButton(), Qt::LeftButton);
        QCOMPARE(names(store().mergeFiles()), (QStringList{"Rapor.pdf", "Kapak.pdf"}));
        QTRY_COMPARE(rowNames(m_screen->list()), (QStringList{"Rapor.pdf", "Kapak.pdf"}));
        QCOMPARE(rowIndexes(m_screen->list()), (QStringList{"1", "2"}));

        store().addFiles({m_fixture->file("x.txt", "x")}, AppSection::merge);
        QVERIFY(m_screen->bannerView());
        QTest::mouseClick(m_screen->clearButton(), Qt::LeftButton);
        QVERIFY(store().mergeFiles().isEmpty());
        QVERIFY(!store().banner(AppSection::merge));
        QVERIFY(!m_screen->bannerView());
        QVERIFY(m_screen->dropZone()->isVisible());
    }

    void draggingRowsReorders_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("gap"); // "top", "before 1", "end"
        QTest::addColumn<QStringList>("order");
        QTest::newRow("third to the top")
            << 2 << QStringLiteral("top") << QStringList{"Kapak.pdf", "Rapor.pdf", "Ek.pdf"};
        QTest::newRow("first to the end")
            << 0 << QStringLiteral("end") << QStringList{"Ek.pdf", "Kapak.pdf", "Rapor.pdf"};
        QTest::newRow("first just below the second")
            << 0 << QStringLiteral("before 2") << QStringList{"Ek.pdf", "Rapor.pdf", "Kapak.pdf"};
        QTest::newRow("onto its own place")
            << 1 << QStringLiteral("before 1") << QStringList{"Rapor.pdf", "Ek.pdf", "Kapak.pdf"};
        QTest::newRow("just below itself")
            << 1 << QStringLiteral("before 2") << QStringList{"Rapor.pdf", "Ek.pdf", "Kapak.pdf"};
    }

    void draggingRowsReorders()
    {
        QFETCH(int, from);
        QFETCH(QString, gap);
        QFETCH(QStringList, order);
        addThree();
        FileList* list = m_screen->list();
        QWidget* rows = list->rowsWidget();
        int y = 0;
        if (gap == QLatin1String("top")) {
            y = list->row(0)->geometry().top() + 3;
        } else if (gap == QLatin1String("end")) {
            y = list->row(2)->geometry().bottom() + 10;
        } else {
            const int before = gap.back().digitValue();
            y = list->row(before)->geometry().top() + 3;
        }
        const auto mime = list->rowMime(from);
        QVERIFY(ScreenEvents::drop(rows, mime.get(), QPoint(rows->width() / 2, y)));
        QCOMPARE(names(store().mergeFiles()), order);
        QTRY_COMPARE(rowNames(list), order);
        QCOMPARE(rowIndexes(list), (QStringList{"1", "2", "3"}));
        QVERIFY(!list->indicatedGap());
    }

    void dragShowsWhereTheRowLands()
    {
        addThree();
        FileList* list = m_screen->list();
        QWidget* rows = list->rowsWidget();
        const auto mime = list->rowMime(0);
        const QPoint pos(rows->width() / 2, list->row(2)->geometry().top() + 2);
        QDragEnterEvent enter(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(rows, &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(list->indicatedGap(), std::optional<int>(2));
        QDragLeaveEvent leave;
        QApplication::sendEvent(rows, &leave);
        QVERIFY(!list->indicatedGap());
        QCOMPARE(names(store().mergeFiles()), (QStringList{"Rapor.pdf", "Ek.pdf", "Kapak.pdf"}));
    }

    void rowsOfAnotherListAreRefused()
    {
        addThree();
        FileList other(true);
        other.setRows({new QWidget, new QWidget});
        const auto foreign = other.rowMime(0);
        QVERIFY(!m_screen->list()->draggedRow(foreign.get()));
        QVERIFY(m_screen->list()->draggedRow(m_screen->list()->rowMime(2).get()));
        QVERIFY(!m_screen->list()->draggedRow(m_screen->list()->rowMime(3).get()));
        ScreenEvents::drop(m_screen->list()->rowsWidget(), foreign.get(), QPoint(10, 5));
        QCOMPARE(names(store().mergeFiles()), (QStringList{"Rapor.pdf", "Ek.pdf", "Kapak.pdf"}));
    }

    void reorderChangesTheSuggestedName()
    {
        addThree();
        FileList* list = m_screen->list();
        const auto mime = list->rowMime(2);
        QVERIFY(ScreenEvents::drop(list->rowsWidget(), mime.get(),
                                   QPoint(40, list->row(0)->geometry().top() + 2)));
        QTest::mouseClick(m_screen->runButton(), Qt::LeftButton); // cancelled save panel
        QCOMPARE(m_fixture->panels.calls, QStringList{QStringLiteral("save(Kapak birleşik)")});
        QVERIFY(!store().busy());
        QVERIFY(!m_screen->bannerView());
    }

    void runShowsProgressThenTheResultBanner()
    {
        addThree();
        SplitScreen split(store(), 24);
        store().addFiles({m_fixture->pdf("Bolunecek.pdf", 4)}, AppSection::split);
        QVERIFY(split.runButton()->isEnabled());

        const QString target = m_fixture->path("Birlesik.pdf");
        m_fixture->panels.saveAnswers << target;
        QTest::mouseClick(m_screen->runButton(), Qt::LeftButton);
        QCOMPARE(store().busy(), std::optional(AppSection::merge));
        QVERIFY(m_screen->runButton()->showsProgress());
        QVERIFY(!m_screen->runButton()->isEnabled());
        QVERIFY(!split.runButton()->isEnabled());
        QVERIFY(!split.runButton()->showsProgress());

        QVERIFY(m_fixture->waitIdle());
        QVERIFY(!m_screen->runButton()->showsProgress());
        QVERIFY(m_screen->runButton()->isEnabled());
        QVERIFY(split.runButton()->isEnabled());
        QCOMPARE(Fixtures::readTags(target),
                 (QStringList{"Rapor-1", "Rapor-2", "Ek-1", "Kapak-1", "Kapak-2", "Kapak-3"}));

        BannerView* banner = m_screen->bannerView();
        QVERIFY(banner);
        QVERIFY(!banner->banner().isError);
        QVERIFY(banner->textLabel()->text().startsWith(QStringLiteral("Hazır: Birlesik.pdf · ")));
        QVERIFY(banner->revealButton());
        QTest::mouseClick(banner->revealButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->reveal.revealed, QList<QStringList>{QStringList{target}});

        QTest::mouseClick(banner->closeButton(), Qt::LeftButton);
        QVERIFY(!store().banner(AppSection::merge));
        QVERIFY(!m_screen->bannerView());
    }

    void errorBannerHasNoRevealButton()
    {
        QVERIFY(ScreenEvents::dropFiles(m_screen->footerBar(), {m_fixture->file("a.txt", "x")}));
        BannerView* banner = m_screen->bannerView();
        QVERIFY(banner);
        QVERIFY(banner->banner().isError);
        QCOMPARE(banner->textLabel()->text(), QStringLiteral("Yalnız PDF dosyaları eklenebilir."));
        QVERIFY(!banner->revealButton());
        QTest::mouseClick(banner->closeButton(), Qt::LeftButton);
        QVERIFY(!store().banner(AppSection::merge));
    }
};

QTEST_MAIN(MergeScreenTest)
#include "MergeScreenTest.moc"
