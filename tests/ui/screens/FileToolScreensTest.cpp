#include "Badge.h"
#include "BannerView.h"
#include "CompressScreen.h"
#include "DropZone.h"
#include "FileDisplay.h"
#include "FileList.h"
#include "FileRow.h"
#include "Find.h"
#include "Fixtures.h"
#include "Formatting.h"
#include "Labels.h"
#include "MergeScreen.h"
#include "PageHeader.h"
#include "RunButton.h"
#include "ScreenEvents.h"
#include "SegmentedControl.h"
#include "SingleFileCard.h"
#include "SplitOptions.h"
#include "SplitPreview.h"
#include "SplitScreen.h"
#include "StepperControl.h"
#include "StoreFixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

Q_DECLARE_METATYPE(SplitMode)
Q_DECLARE_METATYPE(std::optional<qint64>)
Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

QStringList names(const QList<PDFFile>& files)
{
    QStringList result;
    for (const PDFFile& file : files) {
        result << QFileInfo(file.source.url).fileName();
    }
    return result;
}

// What each row of a list shows: "<index> <name>".
QStringList rowTexts(const FileList* list)
{
    QStringList result;
    for (int index = 0; index < list->count(); ++index) {
        const auto* number = list->row(index)->findChild<QLabel*>(QStringLiteral("index"));
        result << number->text() + u' ' +
                      list->row(index)->findChild<ElidedLabel*>(QStringLiteral("name"))->fullText();
    }
    return result;
}

QStringList numbered(const QString& stem, int first, int last)
{
    QStringList names;
    for (int page = first; page <= last; ++page) {
        names << QStringLiteral("%1 %2.pdf").arg(stem).arg(page);
    }
    return names;
}

QString textOf(const QWidget* root, const QString& name)
{
    return Find::named<QLabel>(root, name)->text();
}

} // namespace

// The merge, split and compress pages over a real Store, driven as a user would.
class FileToolScreensTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<ToolPage> m_screen;

    Store& store() { return *m_fixture->store; }
    RunButton* run() { return m_screen->findChild<RunButton*>(); }
    FileList* list() { return m_screen->findChild<FileList*>(); }
    SplitPreview* preview() { return m_screen->findChild<SplitPreview*>(); }
    QWidget* rows() { return Find::named(list(), QStringLiteral("rows")); }
    void click(const QString& name)
    {
        QTest::mouseClick(Find::named<QAbstractButton>(m_screen.get(), name), Qt::LeftButton);
    }

    template <class Screen>
    Screen& show(Screen* screen, int height = 560)
    {
        m_screen.reset(screen);
        m_screen->resize(760, height);
        m_screen->show();
        return *screen;
    }

    void addThree()
    {
        show(new MergeScreen(store()));
        store().addFiles({m_fixture->pdf("Rapor.pdf", 2), m_fixture->pdf("Ek.pdf", 1),
                          m_fixture->pdf("Kapak.pdf", 3)},
                         AppSection::merge);
        QCOMPARE(store().mergeFiles().size(), 3);
    }

    void admitForSplit(const QString& name, int pages)
    {
        show(new SplitScreen(store(), 24), 700);
        store().addFiles({m_fixture->pdf(name, pages)}, AppSection::split);
        QVERIFY(store().splitFile());
    }

    std::optional<QString> status(int row) const
    {
        const Badge* badge = static_cast<CompressScreen*>(m_screen.get())->row(row)->statusBadge();
        return badge ? std::optional<QString>(badge->text()) : std::nullopt;
    }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void init()
    {
        m_environment->reset();
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
    }
    void cleanup()
    {
        m_screen.reset();
        m_fixture.reset();
    }

    // Merge.

    void mergeDropAnywhereAdmitsFiles_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("drop zone") << QStringLiteral("drop zone");
        QTest::newRow("footer summary") << QStringLiteral("summary");
        QTest::newRow("footer bar") << QStringLiteral("footer bar");
        QTest::newRow("run button") << QStringLiteral("run");
        QTest::newRow("header") << QStringLiteral("header");
        QTest::newRow("a row of the list") << QStringLiteral("row");
    }
    void mergeDropAnywhereAdmitsFiles()
    {
        QFETCH(QString, where);
        auto& screen = show(new MergeScreen(store()));
        if (where == QLatin1String("row")) {
            store().addFiles({m_fixture->pdf("Var.pdf")}, AppSection::merge);
        }
        const int before = static_cast<int>(store().mergeFiles().size());
        QWidget* target = where == QLatin1String("drop zone") ? screen.findChild<DropZone*>()
                          : where == QLatin1String("summary")
                              ? Find::named(&screen, QStringLiteral("summary"))
                          : where == QLatin1String("footer bar") ? screen.footerBar()
                          : where == QLatin1String("run")        ? static_cast<QWidget*>(run())
                          : where == QLatin1String("header")
                              ? static_cast<QWidget*>(screen.header())
                              : list()->row(0);
        const QString text = m_fixture->file("Not.txt", "not a pdf");
        QVERIFY(ScreenEvents::dropFiles(target, {m_fixture->pdf("Yeni.PDF", 2), text}));
        QCOMPARE(store().mergeFiles().size(), before + 1);
        QVERIFY(!screen.bannerView());
        QVERIFY(list()->isVisible());
        QCOMPARE(rowTexts(list()).last(), QStringLiteral("%1 Yeni.PDF").arg(before + 1));
    }

    void mergeNeedsTwoFiles()
    {
        auto& screen = show(new MergeScreen(store()));
        QVERIFY(screen.findChild<DropZone*>()->isVisible());
        QVERIFY(!run()->isEnabled());
        click(QStringLiteral("Dosya seç…"));
        QCOMPARE(m_fixture->panels.calls, QStringList{QStringLiteral("openPDFs(multiple)")});

        store().addFiles({m_fixture->pdf("Tek.pdf", 2)}, AppSection::merge);
        QCOMPARE(textOf(&screen, QStringLiteral("summary")),
                 QStringLiteral("Birleştirmek için en az iki PDF ekle."));
        QVERIFY(!run()->isEnabled());
        store().addFiles({m_fixture->pdf("Iki.pdf", 3)}, AppSection::merge);
        QVERIFY(textOf(&screen, QStringLiteral("summary")).startsWith("Dosya: 2 · Sayfa: 5 · "));
        QVERIFY(run()->isEnabled());
    }

    void mergeRemoveAndClear()
    {
        addThree();
        QTest::mouseClick(Find::named<QAbstractButton>(list()->row(1), QStringLiteral("Listeden çıkar")),
                          Qt::LeftButton);
        QCOMPARE(names(store().mergeFiles()), (QStringList{"Rapor.pdf", "Kapak.pdf"}));
        QTRY_COMPARE(rowTexts(list()), (QStringList{"1 Rapor.pdf", "2 Kapak.pdf"}));

        store().addFiles({m_fixture->file("x.txt", "x")}, AppSection::merge);
        QVERIFY(m_screen->bannerView());
        click(QStringLiteral("Temizle"));
        QVERIFY(store().mergeFiles().isEmpty());
        QVERIFY(!m_screen->bannerView());
        QVERIFY(m_screen->findChild<DropZone*>()->isVisible());
    }

    void mergeDraggingRowsReorders_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("gap"); // "top", "before <row>", "end"
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
    void mergeDraggingRowsReorders()
    {
        QFETCH(int, from);
        QFETCH(QString, gap);
        QFETCH(QStringList, order);
        addThree();
        int y = 0;
        if (gap == QLatin1String("top")) {
            y = list()->row(0)->geometry().top() + 3;
        } else if (gap == QLatin1String("end")) {
            y = list()->row(2)->geometry().bottom() + 10;
        } else {
            y = list()->row(gap.back().digitValue())->geometry().top() + 3;
        }
        const auto mime = list()->rowMime(from);
        QVERIFY(ScreenEvents::drop(rows(), mime.get(), QPoint(rows()->width() / 2, y)));
        QCOMPARE(names(store().mergeFiles()), order);
        QTRY_COMPARE(rowTexts(list()), (QStringList{"1 " + order[0], "2 " + order[1], "3 " + order[2]}));
        QVERIFY(!list()->indicatedGap());

        // Rows dragged out of another list are not ours to move.
        FileList other(true);
        other.setRows({new QWidget, new QWidget});
        const auto foreign = other.rowMime(0);
        ScreenEvents::drop(rows(), foreign.get(), QPoint(10, 5));
        QCOMPARE(names(store().mergeFiles()), order);
    }

    void mergeSuggestsANameAfterTheFirstFile()
    {
        addThree();
        const auto mime = list()->rowMime(2);
        QVERIFY(ScreenEvents::drop(rows(), mime.get(), QPoint(40, list()->row(0)->geometry().top() + 2)));
        QTest::mouseClick(run(), Qt::LeftButton); // the save panel is cancelled
        QCOMPARE(m_fixture->panels.calls, QStringList{QStringLiteral("save(Kapak birleşik)")});
        QVERIFY(!store().busy());
        QVERIFY(!m_screen->bannerView());
    }

    void mergeRunShowsProgressThenTheResultBanner()
    {
        addThree();
        SplitScreen split(store(), 24);
        store().addFiles({m_fixture->pdf("Bolunecek.pdf", 4)}, AppSection::split);
        auto* splitRun = split.findChild<RunButton*>();
        QVERIFY(splitRun->isEnabled());

        const QString target = m_fixture->path("Birlesik.pdf");
        m_fixture->panels.saveAnswers << target;
        QTest::mouseClick(run(), Qt::LeftButton);
        // Every run button rests while a tool works; only the working one shows progress.
        QVERIFY(run()->showsProgress());
        QVERIFY(!run()->isEnabled());
        QVERIFY(!splitRun->isEnabled());
        QVERIFY(!splitRun->showsProgress());
        QVERIFY(m_fixture->waitIdle());
        QVERIFY(!run()->showsProgress());
        QVERIFY(run()->isEnabled() && splitRun->isEnabled());
        QCOMPARE(Fixtures::readTags(target),
                 (QStringList{"Rapor-1", "Rapor-2", "Ek-1", "Kapak-1", "Kapak-2", "Kapak-3"}));

        BannerView* banner = m_screen->bannerView();
        QVERIFY(banner && !banner->banner().isError);
        QVERIFY(textOf(banner, QStringLiteral("text")).startsWith(QStringLiteral("Hazır: Birlesik.pdf · ")));
        QTest::mouseClick(Find::named<QAbstractButton>(banner, QStringLiteral("Finder'da göster")),
                          Qt::LeftButton);
        QCOMPARE(m_fixture->reveal.revealed, QList<QStringList>{QStringList{target}});
    }

    // Split.

    void splitDropAnywhereAdmitsTheFirstFile_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("drop zone") << QStringLiteral("drop zone");
        QTest::newRow("footer bar") << QStringLiteral("footer bar");
        QTest::newRow("range field") << QStringLiteral("field");
        QTest::newRow("preview card") << QStringLiteral("preview");
    }
    void splitDropAnywhereAdmitsTheFirstFile()
    {
        QFETCH(QString, where);
        admitForSplit(QStringLiteral("Eski.pdf"), 2);
        if (where == QLatin1String("drop zone")) {
            store().clear(AppSection::split);
        }
        QWidget* target = where == QLatin1String("drop zone")    ? m_screen->findChild<DropZone*>()
                          : where == QLatin1String("footer bar") ? m_screen->footerBar()
                          : where == QLatin1String("field")
                              ? static_cast<QWidget*>(m_screen->findChild<QLineEdit*>())
                              : preview();
        QVERIFY(ScreenEvents::dropFiles(
            target, {m_fixture->pdf("Sozlesme.pdf", 3), m_fixture->pdf("Diger.pdf", 1)}));
        QCOMPARE(names({*store().splitFile()}), QStringList{"Sozlesme.pdf"});
        QTRY_VERIFY(m_screen->findChild<SingleFileCard*>());
        QCOMPARE(preview()->lines(), numbered(QStringLiteral("Sozlesme"), 1, 3));
        QCOMPARE(textOf(m_screen.get(), QStringLiteral("count")), QStringLiteral("Oluşacak dosya: 3"));
    }

    void splitPreviewFollowsEveryChange_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<SplitMode>("mode");
        QTest::addColumn<int>("every");
        QTest::addColumn<QString>("ranges");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("every 3 of 7")
            << 7 << SplitMode::every << 3 << QString()
            << QStringList{"Rapor 1-3.pdf", "Rapor 4-6.pdf", "Rapor 7.pdf"};
        QTest::newRow("ranges with an open end")
            << 7 << SplitMode::ranges << 2 << QStringLiteral("1-2, 5, 6-")
            << QStringList{"Rapor 1-2.pdf", "Rapor 5.pdf", "Rapor 6-7.pdf"};
        QTest::newRow("every page") << 7 << SplitMode::each << 2 << QStringLiteral("1-2")
                                    << numbered(QStringLiteral("Rapor"), 1, 7);
        QTest::newRow("twenty-four lines, then the rest")
            << 30 << SplitMode::each << 1 << QString()
            << numbered(QStringLiteral("Rapor"), 1, 24) + QStringList{"ve 6 dosya daha"};
    }
    void splitPreviewFollowsEveryChange()
    {
        QFETCH(int, pages);
        QFETCH(SplitMode, mode);
        QFETCH(int, every);
        QFETCH(QString, ranges);
        QFETCH(QStringList, lines);
        admitForSplit(QStringLiteral("Rapor.pdf"), pages);
        store().setSplitMode(mode);
        store().setSplitEvery(every);
        store().setSplitRanges(ranges);
        QCOMPARE(preview()->lines(), lines);
        QVERIFY(!preview()->showsFailure());
        const int files = mode == SplitMode::each ? pages : 3;
        QCOMPARE(textOf(m_screen.get(), QStringLiteral("count")),
                 QStringLiteral("Oluşacak dosya: %1").arg(files));
        QVERIFY(run()->isEnabled());
    }

    void splitRejectedRangesShowWhy()
    {
        admitForSplit(QStringLiteral("Rapor.pdf"), 7);
        store().setSplitMode(SplitMode::ranges);
        auto* field = m_screen->findChild<QLineEdit*>();
        QVERIFY(field->isVisible());
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("2-9"));
        QCOMPARE(store().splitRanges(), QStringLiteral("2-9"));
        // One red line saying why, in place of the names.
        QVERIFY(preview()->showsFailure());
        QCOMPARE(preview()->lines().size(), 1);
        QVERIFY(!preview()->lines().first().isEmpty());
        QVERIFY(!preview()->lines().first().endsWith(QStringLiteral(".pdf")));
        QVERIFY(textOf(m_screen.get(), QStringLiteral("count")).isEmpty());
        QVERIFY(!run()->isEnabled());

        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QStringLiteral("7"));
        QCOMPARE(preview()->lines(), QStringList{"Rapor 2-7.pdf"});
        QVERIFY(!preview()->showsFailure());
        QVERIFY(run()->isEnabled());
    }

    void splitModesAndStepperAreBoundToTheStore()
    {
        admitForSplit(QStringLiteral("Rapor.pdf"), 3);
        auto* modes = m_screen->findChild<SegmentedControl*>();
        QTest::mouseClick(modes, Qt::LeftButton, {}, modes->segmentRect(1).center());
        QCOMPARE(store().splitMode(), SplitMode::every);
        auto* stepper = m_screen->findChild<StepperControl*>();
        QVERIFY(stepper->isVisible());
        QCOMPARE(stepper->maximum(), 3);
        // Up stops at the page count, down at one.
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->upRect().center());
        }
        QCOMPARE(store().splitEvery(), 3);
        QCOMPARE(stepper->accessibleName(), QStringLiteral("Her 3 sayfada bir böl"));
        QCOMPARE(preview()->lines(), QStringList{"Rapor 1-3.pdf"});
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->downRect().center());
        }
        QCOMPARE(store().splitEvery(), 1);

        store().setSplitMode(SplitMode::ranges);
        QCOMPARE(modes->currentIndex(), 2);
        QVERIFY(m_screen->findChild<QLineEdit*>()->isVisible());
        QVERIFY(!stepper->isVisible());
    }

    void splitCardButtonsReplaceAndClear()
    {
        admitForSplit(QStringLiteral("Rapor.pdf"), 2);
        store().setSplitMode(SplitMode::ranges);
        store().setSplitRanges(QStringLiteral("2"));
        QTRY_VERIFY(m_screen->findChild<SingleFileCard*>());
        m_fixture->panels.openAnswers << QStringList{m_fixture->pdf("Yeni.pdf", 4)};
        click(QStringLiteral("Başka dosya…"));
        QCOMPARE(m_fixture->panels.calls, QStringList{"openPDFs(single)"});
        QCOMPARE(preview()->lines(), QStringList{"Yeni 2.pdf"});

        click(QStringLiteral("Dosyayı kaldır"));
        QVERIFY(!store().splitFile());
        QVERIFY(m_screen->findChild<DropZone*>()->isVisible());
        QVERIFY(!run()->isEnabled());
        // The settings wait for the next file.
        QCOMPARE(m_screen->findChild<QLineEdit*>()->text(), QStringLiteral("2"));
    }

    void splitRunWritesTheListedFiles()
    {
        admitForSplit(QStringLiteral("Rapor.pdf"), 4);
        store().setSplitMode(SplitMode::every);
        store().setSplitEvery(2);
        const QString folder = m_fixture->folder("parcalar");
        m_fixture->panels.folderAnswers << folder;
        QTest::mouseClick(run(), Qt::LeftButton);
        QVERIFY(m_fixture->waitIdle());
        QStringList written;
        for (const QString& line : preview()->lines()) {
            written << folder + u'/' + line;
        }
        QCOMPARE(Fixtures::readTags(written.at(0)), (QStringList{"Rapor-1", "Rapor-2"}));
        QCOMPARE(Fixtures::readTags(written.at(1)), (QStringList{"Rapor-3", "Rapor-4"}));
        QCOMPARE(textOf(m_screen->bannerView(), QStringLiteral("text")),
                 QStringLiteral("Hazır: 2 dosya · parcalar klasöründe"));
        click(QStringLiteral("Finder'da göster"));
        QCOMPARE(m_fixture->reveal.revealed, QList<QStringList>{written});
    }

    // Compress.

    void compressStatusText_data()
    {
        QTest::addColumn<std::optional<qint64>>("result");
        QTest::addColumn<std::optional<QString>>("text");
        QTest::newRow("no result") << std::optional<qint64>() << std::optional<QString>();
        QTest::newRow("no smaller file") << std::optional<qint64>(0)
                                         << std::optional<QString>("Küçülmedi");
        QTest::newRow("new size") << std::optional<qint64>(48200)
                                  << std::optional<QString>("→ 48200 B");
        QTest::newRow("one byte") << std::optional<qint64>(1) << std::optional<QString>("→ 1 B");
    }
    void compressStatusText()
    {
        QFETCH(std::optional<qint64>, result);
        QFETCH(std::optional<QString>, text);
        FileDisplay display;
        display.sizeText = [](qint64 bytes) { return QStringLiteral("%1 B").arg(bytes); };
        QCOMPARE(CompressScreen::statusText(result, display), text);
    }

    void compressLevelPickerIsBoundToTheStore()
    {
        show(new CompressScreen(store()));
        auto* levels = m_screen->findChild<SegmentedControl*>();
        QCOMPARE(levels->currentIndex(), 1);
        QTest::mouseClick(levels, Qt::LeftButton, {}, levels->segmentRect(2).center());
        QCOMPARE(store().compressionLevel(), CompressionLevel::strong);
        QCOMPARE(QSettings().value(QStringLiteral("compressionLevel")).toString(),
                 QStringLiteral("strong"));
        QCOMPARE(textOf(m_screen.get(), QStringLiteral("levelText")),
                 QStringLiteral("En küçük dosya. Görsellerde bozulma fark edilir."));
        store().setCompressionLevel(CompressionLevel::light);
        QCOMPARE(levels->currentIndex(), 0);
    }

    void compressStatusesAfterARun()
    {
        auto& screen = show(new CompressScreen(store()));
        store().addFiles({m_fixture->imagePdf("Foto.pdf"), m_fixture->pdf("Metin.pdf", 2)},
                         AppSection::compress);
        const QString folder = m_fixture->folder("kucuk");
        m_fixture->panels.folderAnswers << folder;
        QTest::mouseClick(run(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls, QStringList{"folder()"});
        QVERIFY(m_fixture->waitIdle());

        const QString output = folder + QStringLiteral("/Foto sıkıştırılmış.pdf");
        QVERIFY(QFileInfo(output).size() > 0);
        QCOMPARE(status(0), std::optional<QString>(QStringLiteral("→ ") +
                                                Formatting::fileSize(QFileInfo(output).size(), QLocale())));
        QCOMPARE(screen.row(0)->statusBadge()->tint(), DS::up(screen.palette()));
        QCOMPARE(status(1), std::optional<QString>(QStringLiteral("Küçülmedi")));
        QVERIFY(textOf(screen.bannerView(), QStringLiteral("text"))
                    .endsWith(QStringLiteral(" Küçülmeyen dosya: 1 (yazılmadı).")));
        click(QStringLiteral("Finder'da göster"));
        QCOMPARE(m_fixture->reveal.revealed, QList<QStringList>{QStringList{output}});

        // Removing a row keeps the other's result until the next run; dropping again clears it.
        QTest::mouseClick(Find::named<QAbstractButton>(screen.row(1), QStringLiteral("Listeden çıkar")),
                          Qt::LeftButton);
        QTRY_COMPARE(list()->count(), 1);
        QVERIFY(status(0)->startsWith(QStringLiteral("→ ")));
        QVERIFY(ScreenEvents::dropFiles(screen.footerBar(), {m_fixture->path("Foto.pdf")}));
        QVERIFY(!status(0));

        click(QStringLiteral("Temizle"));
        QVERIFY(store().compressResults().isEmpty());
        QVERIFY(!screen.bannerView());
    }

    void compressNothingSmallerWritesNothing()
    {
        auto& screen = show(new CompressScreen(store()));
        store().addFiles({m_fixture->pdf("Metin.pdf", 2)}, AppSection::compress);
        const QString target = m_fixture->path("Metin kucuk.pdf");
        m_fixture->panels.saveAnswers << target;
        QTest::mouseClick(run(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls, QStringList{"save(Metin sıkıştırılmış)"});
        QVERIFY(m_fixture->waitIdle());
        QCOMPARE(status(0), std::optional<QString>(QStringLiteral("Küçülmedi")));
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(screen.bannerView() && !screen.bannerView()->banner().isError);
        QVERIFY(!Find::named(screen.bannerView(), QStringLiteral("Finder'da göster")));
    }
};

QTEST_MAIN(FileToolScreensTest)
#include "FileToolScreensTest.moc"
