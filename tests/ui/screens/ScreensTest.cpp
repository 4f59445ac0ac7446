#include "Badge.h"
#include "BannerView.h"
#include "CompressScreen.h"
#include "DataFile.h"
#include "DropZone.h"
#include "EmptyState.h"
#include "FileList.h"
#include "FileRow.h"
#include "Find.h"
#include "Fixtures.h"
#include "Formatting.h"
#include "HistoryDisplay.h"
#include "HistoryRow.h"
#include "HistoryScreen.h"
#include "Labels.h"
#include "MergeScreen.h"
#include "PageCellDelegate.h"
#include "PageGrid.h"
#include "PageGridModel.h"
#include "PageHeader.h"
#include "PagesScreen.h"
#include "RunButton.h"
#include "ScreenEvents.h"
#include "SegmentedControl.h"
#include "SingleFileCard.h"
#include "SplitPreview.h"
#include "SplitScreen.h"
#include "StepperControl.h"
#include "StoreFixture.h"
#include "Theme.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

Q_DECLARE_METATYPE(SplitMode)

namespace {

const QDateTime clockNow(QDate(2026, 6, 10), QTime(15, 30));

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
        result << list->row(index)->findChild<QLabel*>(QStringLiteral("index"))->text() + u' ' +
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

QString fullText(const QWidget* row, const QString& name)
{
    return Find::named<ElidedLabel>(row, name)->fullText();
}

QAbstractButton* revealOf(const QWidget* root)
{
    return Find::named<QAbstractButton>(root, QStringLiteral("Finder'da göster"));
}

QSet<int> pagesOf(const QList<int>& pages)
{
    return QSet<int>(pages.begin(), pages.end());
}

// `top` laid over an opaque `under`, as the screen shows it.
QColor over(const QColor& top, const QColor& under)
{
    const float a = top.alphaF();
    return QColor::fromRgbF(top.redF() * a + under.redF() * (1 - a),
                            top.greenF() * a + under.greenF() * (1 - a),
                            top.blueF() * a + under.blueF() * (1 - a));
}

// The WCAG contrast ratio of two opaque colours.
double contrast(const QColor& one, const QColor& other)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double a = luminance(one);
    const double b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace

// The tool pages and the history list over a real Store, driven as a user would.
class ScreensTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<QWidget> m_screen;
    QDateTime m_now = clockNow;

    Store& store() { return *m_fixture->store; }
    ToolPage* page() { return qobject_cast<ToolPage*>(m_screen.get()); }
    RunButton* run() { return m_screen->findChild<RunButton*>(); }
    FileList* list() { return m_screen->findChild<FileList*>(); }
    SplitPreview* preview() { return m_screen->findChild<SplitPreview*>(); }
    PageGrid* grid() { return m_screen->findChild<PageGrid*>(); }
    QLineEdit* rangesField() { return Find::named<QLineEdit>(m_screen.get(), "Aralıklar"); }
    HistoryScreen* history() { return static_cast<HistoryScreen*>(m_screen.get()); }
    QWidget* rows() { return Find::named(list(), QStringLiteral("rows")); }
    QAbstractButton* button(const QString& name)
    {
        return Find::named<QAbstractButton>(m_screen.get(), name);
    }
    void click(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    bool marked(int page)
    {
        return grid()->model()->index(page, 0).data(PageGridModel::SelectedRole).toBool();
    }

    template <class Screen>
    Screen& show(Screen* screen, QSize size = {760, 560})
    {
        m_screen.reset(screen);
        m_screen->resize(size);
        m_screen->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(m_screen.get())); }();
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
        show(new SplitScreen(store(), 24), {760, 700});
        store().addFiles({m_fixture->pdf(name, pages)}, AppSection::split);
        QVERIFY(store().splitFile());
    }

    void admitForPages(int pages, const QString& name = QStringLiteral("Rapor.pdf"))
    {
        show(new PagesScreen(store()), {860, 640});
        store().addFiles({m_fixture->pdf(name, pages)}, AppSection::pages);
        // Cells are placed once the view has laid them out.
        QTRY_VERIFY(grid()->cellRect(pages - 1).isValid());
    }

    void clickPage(int page)
    {
        grid()->scrollTo(grid()->model()->index(page, 0));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid()->cellRect(page).center());
    }

    std::optional<QString> status(int row)
    {
        const Badge* badge = static_cast<CompressScreen*>(m_screen.get())->row(row)->statusBadge();
        return badge ? std::optional<QString>(badge->text()) : std::nullopt;
    }

    QString output(const QString& name, const QString& folder = QStringLiteral("out"))
    {
        const QString path = m_fixture->folder(folder) + "/" + name;
        Fixtures::writeBytes(path, QByteArray(1200, 'x'));
        return path;
    }

    static HistoryItem record(const QString& tool, const QStringList& inputs,
                              const QStringList& outputs, const QDateTime& date)
    {
        return HistoryItem{QUuid::createUuid(), date, tool, inputs, outputs};
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
        show(new HistoryScreen(store(), nullptr, [this] { return m_now; }), {820, 560});
    }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void init()
    {
        m_environment->reset();
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
        m_now = clockNow;
    }
    void cleanup()
    {
        m_screen.reset();
        m_fixture.reset();
        qunsetenv("LEAFLOW_SNAPSHOT");
    }

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
        const QMap<QString, QWidget*> targets = {{"drop zone", screen.findChild<DropZone*>()},
                                                 {"summary", Find::named(&screen, "summary")},
                                                 {"footer bar", screen.footerBar()},
                                                 {"run", run()},
                                                 {"header", screen.header()},
                                                 {"row", before ? list()->row(0) : nullptr}};
        const QString text = m_fixture->file("Not.txt", "not a pdf");
        QVERIFY(
            ScreenEvents::dropFiles(targets.value(where), {m_fixture->pdf("Yeni.PDF", 2), text}));
        QCOMPARE(store().mergeFiles().size(), before + 1);
        QVERIFY(!screen.bannerView());
        QCOMPARE(rowTexts(list()).last(), QStringLiteral("%1 Yeni.PDF").arg(before + 1));
    }

    // The run button wakes at two files and sleeps again below two.
    void mergeNeedsTwoFiles()
    {
        auto& screen = show(new MergeScreen(store()));
        QVERIFY(!run()->isEnabled());
        click(QStringLiteral("Dosya seç…"));
        QCOMPARE(m_fixture->panels.calls, QStringList{QStringLiteral("openPDFs(multiple)")});
        store().addFiles({m_fixture->pdf("Rapor.pdf", 2)}, AppSection::merge);
        QCOMPARE(textOf(&screen, QStringLiteral("summary")),
                 QStringLiteral("Birleştirmek için en az iki PDF ekle."));
        QVERIFY(!run()->isEnabled());
        store().addFiles({m_fixture->pdf("Ek.pdf", 3), m_fixture->pdf("Kapak.pdf")},
                         AppSection::merge);
        QVERIFY(textOf(&screen, QStringLiteral("summary")).startsWith("Dosya: 3 · Sayfa: 6 · "));
        QTest::mouseClick(Find::named<QAbstractButton>(list()->row(1),
                                                       QStringLiteral("Listeden çıkar")),
                          Qt::LeftButton);
        QTRY_COMPARE(rowTexts(list()), (QStringList{"1 Rapor.pdf", "2 Kapak.pdf"}));
        QVERIFY(run()->isEnabled());
        QTest::mouseClick(Find::named<QAbstractButton>(list()->row(1),
                                                       QStringLiteral("Listeden çıkar")),
                          Qt::LeftButton);
        QVERIFY(!run()->isEnabled());
        store().addFiles({m_fixture->file("x.txt", "x")}, AppSection::merge);
        QVERIFY(page()->bannerView() &&
                !revealOf(page()->bannerView())); // an error has nothing to show
        click(QStringLiteral("Temizle"));
        QVERIFY(store().mergeFiles().isEmpty() && !page()->bannerView());
        QVERIFY(m_screen->findChild<DropZone*>()->isVisible());
    }

    // The suggested name follows whichever file ends up first.
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
        QTest::newRow("just below itself")
            << 1 << QStringLiteral("before 2") << QStringList{"Rapor.pdf", "Ek.pdf", "Kapak.pdf"};
    }
    void mergeDraggingRowsReorders()
    {
        QFETCH(int, from);
        QFETCH(QString, gap);
        QFETCH(QStringList, order);
        addThree();
        const int y = gap == QLatin1String("top") ? list()->row(0)->geometry().top() + 3
                      : gap == QLatin1String("end")
                          ? list()->row(2)->geometry().bottom() + 10
                          : list()->row(gap.back().digitValue())->geometry().top() + 3;
        const auto mime = list()->rowMime(from);
        QVERIFY(ScreenEvents::drop(rows(), mime.get(), QPoint(rows()->width() / 2, y)));
        QCOMPARE(names(store().mergeFiles()), order);
        QTRY_COMPARE(rowTexts(list()),
                     (QStringList{"1 " + order[0], "2 " + order[1], "3 " + order[2]}));
        QVERIFY(!list()->indicatedGap());

        // Rows dragged out of another list are not ours to move.
        FileList other(true);
        other.setRows({new QWidget, new QWidget});
        const auto foreign = other.rowMime(0);
        ScreenEvents::drop(rows(), foreign.get(), QPoint(10, 5));
        QCOMPARE(names(store().mergeFiles()), order);
        QTest::mouseClick(run(), Qt::LeftButton); // the save panel is cancelled
        QCOMPARE(m_fixture->panels.calls,
                 QStringList{"save(" + QFileInfo(order[0]).baseName() + " birleşik)"});
        QVERIFY(!store().busy() && !page()->bannerView());
    }

    void mergeRunShowsProgressThenTheResultBanner()
    {
        addThree();
        SplitScreen split(store(), 24);
        store().addFiles({m_fixture->pdf("Bolunecek.pdf", 4)}, AppSection::split);
        auto* splitRun = split.findChild<RunButton*>();
        const QString target = m_fixture->path("Birlesik.pdf");
        m_fixture->panels.saveAnswers << target;
        QTest::mouseClick(run(), Qt::LeftButton);
        // Every run button rests while a tool works; only the working one shows progress.
        QVERIFY(run()->showsProgress() && !run()->isEnabled());
        QVERIFY(!splitRun->isEnabled() && !splitRun->showsProgress());
        QVERIFY(m_fixture->waitIdle());
        QVERIFY(!run()->showsProgress());
        QVERIFY(run()->isEnabled() && splitRun->isEnabled());
        QCOMPARE(Fixtures::readTags(target),
                 (QStringList{"Rapor-1", "Rapor-2", "Ek-1", "Kapak-1", "Kapak-2", "Kapak-3"}));
        BannerView* banner = page()->bannerView();
        QVERIFY(banner && !banner->banner().isError);
        QVERIFY(textOf(banner, QStringLiteral("text"))
                    .startsWith(QStringLiteral("Hazır: Birlesik.pdf · ")));
        QTest::mouseClick(revealOf(banner), Qt::LeftButton);
        QCOMPARE(m_fixture->reveal.revealed, QList<QStringList>{QStringList{target}});
        QTest::mouseClick(Find::named<QAbstractButton>(banner, QStringLiteral("Kapat")),
                          Qt::LeftButton);
        QVERIFY(!page()->bannerView());
    }

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
        const QMap<QString, QWidget*> targets = {{"drop zone", m_screen->findChild<DropZone*>()},
                                                 {"footer bar", page()->footerBar()},
                                                 {"field", rangesField()},
                                                 {"preview", preview()}};
        QVERIFY(ScreenEvents::dropFiles(targets.value(where), {m_fixture->pdf("Sozlesme.pdf", 3),
                                                               m_fixture->pdf("Diger.pdf", 1)}));
        QCOMPARE(names({*store().splitFile()}), QStringList{"Sozlesme.pdf"});
        QTRY_VERIFY(m_screen->findChild<SingleFileCard*>());
        QCOMPARE(preview()->lines(), numbered(QStringLiteral("Sozlesme"), 1, 3));
        QCOMPARE(textOf(m_screen.get(), QStringLiteral("count")),
                 QStringLiteral("Oluşacak dosya: 3"));
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
        auto* field = rangesField();
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
        QVERIFY(!preview()->showsFailure() && run()->isEnabled());
    }

    void splitModesAndStepperAreBoundToTheStore()
    {
        admitForSplit(QStringLiteral("Rapor.pdf"), 3);
        auto* modes = m_screen->findChild<SegmentedControl*>();
        QTest::mouseClick(modes, Qt::LeftButton, {}, modes->segmentRect(1).center());
        QCOMPARE(store().splitMode(), SplitMode::every);
        auto* stepper = m_screen->findChild<StepperControl*>();
        // Up stops at the page count, down at one.
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->upRect().center());
        }
        QCOMPARE(store().splitEvery(), 3);
        QCOMPARE(stepper->accessibleName(), QStringLiteral("Her 3 sayfada bir böl"));
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->downRect().center());
        }
        QCOMPARE(store().splitEvery(), 1);
        store().setSplitMode(SplitMode::ranges);
        QCOMPARE(modes->currentIndex(), 2);
        QVERIFY(rangesField()->isVisible() && !stepper->isVisible());
    }

    // The "Sabit aralık" step is typed as well as stepped: digits only, taken on Enter or when the
    // field is left, clamped into one to the page count; the wheel steps it too.
    void splitStepTakesTypedNumbersAndTheWheel()
    {
        admitForSplit(QStringLiteral("Katalog.pdf"), 60);
        store().setSplitMode(SplitMode::every);
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
        auto* stepper = m_screen->findChild<StepperControl*>();
        stepper->setFocus(Qt::TabFocusReason); // as reached with Tab: its number selected
        QVERIFY(stepper->field()->hasFocus());
        const auto type = [](const QString& text, Qt::Key end) {
            QTest::keyClicks(QApplication::focusWidget(), text);
            QTest::keyClick(QApplication::focusWidget(), end);
        };
        type(QStringLiteral("1x0"), Qt::Key_Return);
        QCOMPARE(store().splitEvery(), 10);
        QCOMPARE(stepper->accessibleName(), QStringLiteral("Her 10 sayfada bir böl"));
        QCOMPARE(textOf(m_screen.get(), QStringLiteral("count")),
                 QStringLiteral("Oluşacak dosya: 6"));
        stepper->field()->selectAll();
        type(QStringLiteral("500"), Qt::Key_Tab);
        QCOMPARE(store().splitEvery(), 60);
        QCOMPARE(stepper->field()->text(), QStringLiteral("60"));
        QVERIFY(!stepper->field()->hasFocus());
        const auto wheel = [stepper](int notches) {
            const QPointF at = QRectF(stepper->rect()).center();
            QWheelEvent event(at, stepper->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(stepper, &event);
        };
        wheel(-2);
        QCOMPARE(store().splitEvery(), 58);
        wheel(1);
        QCOMPARE(store().splitEvery(), 59);
        stepper->setFocus(Qt::TabFocusReason);
        type(QStringLiteral("0"), Qt::Key_Enter);
        QCOMPARE(store().splitEvery(), 1);
    }

    void splitCardButtonsReplaceAndClear()
    {
        admitForSplit(QStringLiteral("Rapor.pdf"), 2);
        store().setSplitMode(SplitMode::ranges);
        store().setSplitRanges(QStringLiteral("2"));
        QTRY_VERIFY(m_screen->findChild<SingleFileCard*>());
        m_fixture->panels.openAnswers << QStringList{m_fixture->pdf("Yeni.pdf", 4)};
        click(QStringLiteral("Başka dosya…"));
        QCOMPARE(preview()->lines(), QStringList{"Yeni 2.pdf"});
        QTest::mouseClick(run(), Qt::LeftButton); // the folder panel is cancelled
        QCOMPARE(m_fixture->panels.calls, (QStringList{"openPDFs(single)", "folder()"}));
        click(QStringLiteral("Dosyayı kaldır"));
        QVERIFY(!store().splitFile());
        QVERIFY(m_screen->findChild<DropZone*>()->isVisible() && !run()->isEnabled());
        // The settings wait for the next file.
        QCOMPARE(rangesField()->text(), QStringLiteral("2"));
    }

    void compressStatusesAfterARun()
    {
        auto& screen = show(new CompressScreen(store()));
        auto* levels = m_screen->findChild<SegmentedControl*>();
        QCOMPARE(levels->currentIndex(), 1);
        QTest::mouseClick(levels, Qt::LeftButton, {}, levels->segmentRect(2).center());
        QCOMPARE(store().compressionLevel(), CompressionLevel::strong);
        QCOMPARE(textOf(m_screen.get(), QStringLiteral("levelText")),
                 QStringLiteral("En küçük dosya. Görsellerde bozulma fark edilir."));
        store().setCompressionLevel(CompressionLevel::balanced);
        QCOMPARE(levels->currentIndex(), 1);
        store().addFiles({m_fixture->imagePdf("Foto.pdf"), m_fixture->pdf("Metin.pdf", 2)},
                         AppSection::compress);
        const QString folder = m_fixture->folder("kucuk");
        m_fixture->panels.folderAnswers << folder;
        QVERIFY(!status(0) && !status(1));
        QTest::mouseClick(run(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls, QStringList{"folder()"});
        QVERIFY(m_fixture->waitIdle());
        const QString output = folder + QStringLiteral("/Foto sıkıştırılmış.pdf");
        QVERIFY(QFileInfo(output).size() > 0);
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/Metin sıkıştırılmış.pdf")));
        QCOMPARE(status(0), "→ " + Formatting::fileSize(QFileInfo(output).size(), QLocale()));
        QCOMPARE(screen.row(0)->statusBadge()->tint(), DS::up(screen.palette()));
        QCOMPARE(status(1), std::optional<QString>(QStringLiteral("Küçülmedi")));
        QCOMPARE(screen.row(1)->findChildren<Badge*>().size(), 1);
        QVERIFY(textOf(screen.bannerView(), QStringLiteral("text"))
                    .endsWith(" Küçülmeyen dosya: 1 (yazılmadı)."));
        click(QStringLiteral("Finder'da göster"));
        QCOMPARE(m_fixture->reveal.revealed, QList<QStringList>{QStringList{output}});

        // Removing a row keeps the other's result until the next run; dropping again clears it.
        QTest::mouseClick(Find::named<QAbstractButton>(screen.row(1),
                                                       QStringLiteral("Listeden çıkar")),
                          Qt::LeftButton);
        QTRY_COMPARE(list()->count(), 1);
        QVERIFY(status(0)->startsWith(QStringLiteral("→ ")));
        QVERIFY(ScreenEvents::dropFiles(screen.footerBar(), {m_fixture->path("Foto.pdf")}));
        QVERIFY(!status(0));
        click(QStringLiteral("Temizle"));
        QVERIFY(store().compressResults().isEmpty() && !screen.bannerView());
    }

    // Every text reads at 4.5 : 1 on what it sits on and every icon at 3 : 1, in both appearances,
    // by the theme's own colours. The page's footer and the sidebar are blends of the window and
    // the controls' background, so those two bound them.
    void textAndIconsContrastWithWhatTheySitOn_data()
    {
        QTest::addColumn<QColor>("foreground");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<double>("threshold");
        constexpr double text = 4.5;
        constexpr double icon = 3.0;
        const QColor white(Qt::white);
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            const QPalette p = Theme::palette(appearance);
            const QString look = appearance == Appearance::dark ? "dark " : "light ";
            const auto row = [&](const QString& name, const QColor& fg, const QColor& bg,
                                 double threshold) {
                QTest::newRow(qPrintable(look + name)) << over(fg, bg) << bg << threshold;
            };
            for (const auto& [where, ground] :
                 {std::pair{QStringLiteral("window"), DS::canvas(p)},
                  std::pair{QStringLiteral("controls"), DS::surface(p)}}) {
                const QColor bg = ground;
                row("primary text on " + where, Theme::primary(p), bg, text);
                row("secondary text on " + where, Theme::secondary(p), bg, text);
                row("placeholder on " + where, p.color(QPalette::PlaceholderText), bg, text);
                row("red text on " + where, DS::down(p), bg, text);
                row("accent icon on " + where, Theme::accent(p), bg, icon);
                const QColor upBadge = over(Theme::withAlpha(DS::up(p), Badge::fillOpacity), bg);
                row("green badge on " + where, DS::up(p), upBadge, text);
                const QColor grey = over(Theme::secondary(p), bg);
                const QColor greyBadge = over(Theme::withAlpha(grey, Badge::fillOpacity), bg);
                row("grey badge on " + where, Theme::secondary(p), greyBadge, text);
            }
            const qreal bannerFill = appearance == Appearance::dark ? BannerView::darkFill
                                                                    : BannerView::lightFill;
            for (const auto& [kind, tint] : {std::pair{QStringLiteral("result"), DS::up(p)},
                                             std::pair{QStringLiteral("error"), DS::down(p)}}) {
                const QColor banner = over(Theme::withAlpha(tint, bannerFill), DS::canvas(p));
                row(kind + " banner text", Theme::primary(p), banner, text);
                row(kind + " banner icon", tint, banner, icon);
            }
            row("white on the accent fill", white, Theme::accentFill(p), text);
            row("white badge on the accent fill", white,
                over(Theme::withAlpha(white, Badge::fillOpacity), Theme::accentFill(p)), text);
            const QColor marked =
                over(Theme::withAlpha(DS::paperDown(), PageCellDelegate::markOpacity), DS::paper());
            row("trash disc on a marked page", DS::paperDown(), marked, icon);
            row("trash on its disc", white, DS::paperDown(), icon);
            row("remove disc on paper", DS::paperDown(), DS::paper(), icon);
        }
    }
    void textAndIconsContrastWithWhatTheySitOn()
    {
        QFETCH(QColor, foreground);
        QFETCH(QColor, background);
        QFETCH(double, threshold);
        const double ratio = contrast(foreground, background);
        QVERIFY2(ratio >= threshold, qPrintable(QStringLiteral("%1 on %2: %3 : 1")
                                                    .arg(foreground.name(), background.name())
                                                    .arg(ratio, 0, 'f', 2)));
    }

    void pagesClickAndKeysMarkCells()
    {
        show(new PagesScreen(store()), {860, 640});
        QVERIFY(!button(QStringLiteral("Seçimi ters çevir"))->isVisible());
        m_fixture->panels.openAnswers << QStringList{m_fixture->pdf("Rapor.pdf", 10)};
        click(QStringLiteral("Dosya seç…"));
        QCOMPARE(m_fixture->panels.calls, QStringList{QStringLiteral("openPDFs(single)")});
        QTRY_VERIFY(grid()->cellRect(9).isValid());
        // As many 122-point columns as fit, centred.
        QCOMPARE(grid()->columnCount(), 6);
        QCOMPARE(grid()->cellSize().width(), 122);
        const int left = grid()->viewport()->mapTo(grid(), grid()->cellRect(0).topLeft()).x();
        QVERIFY(qAbs((grid()->width() - 6 * 122 - 5 * PageGrid::gap) / 2 - left) <= 1);
        QCOMPARE(textOf(m_screen.get(), "summary"),
                 QStringLiteral("Silmek istediğin sayfalara tıkla."));
        clickPage(1);
        clickPage(4);
        QCOMPARE(store().pagesSelected(), pagesOf({1, 4}));
        QCOMPARE(textOf(m_screen.get(), "summary"), QStringLiteral("Silinecek: 2 · Kalacak: 8"));
        QVERIFY(marked(4) && !marked(3));
        clickPage(1); // a second click takes the mark away again
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

    // The page numbers under the cells are there as soon as the first document arrives on a
    // screen that was shown empty: inside their cells, on screen and drawn.
    void pagesCaptionsShowOnTheFirstLoad()
    {
        show(new PagesScreen(store()), {860, 640});
        store().addFiles({m_fixture->pdf(QStringLiteral("Rapor.pdf"), 4)}, AppSection::pages);
        QTRY_VERIFY(grid()->cellRect(3).isValid());
        const QImage shown = grid()->viewport()->grab().toImage();
        const qreal ratio = shown.devicePixelRatio();
        for (int page = 0; page < 4; ++page) {
            const QRect cell = grid()->cellRect(page);
            const QRect caption = grid()->captionBox().translated(cell.topLeft());
            QCOMPARE(grid()->model()->index(page, 0).data().toString(),
                     QStringLiteral("Sayfa %1").arg(page + 1));
            QVERIFY2(!caption.isEmpty() && cell.contains(caption) &&
                         grid()->viewport()->rect().contains(caption),
                     qPrintable(QString::number(page)));
            int ink = 0;
            for (int y = caption.top(); y <= caption.bottom(); ++y) {
                for (int x = caption.left(); x <= caption.right(); ++x) {
                    const QColor pixel = shown.pixelColor(QPoint(x, y) * ratio);
                    ink += pixel != shown.pixelColor(caption.topLeft() * ratio) ? 1 : 0;
                }
            }
            QVERIFY2(ink > 20, qPrintable(QString::number(page)));
        }
    }

    // Every Tab stop of the pages screen shows where the keyboard is and acts on Space; in the
    // grid the arrow keys move between pages.
    void pagesTabStopsShowFocusAndAct()
    {
        admitForPages(6);
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
        const auto tabTo = [this](const QString& name) {
            QStringList passed;
            for (int stop = 0; stop < 10; ++stop) {
                QWidget* from = QApplication::focusWidget();
                QTest::keyClick(from ? from : m_screen.get(), Qt::Key_Tab);
                QWidget* at = QApplication::focusWidget();
                const auto* button = qobject_cast<QAbstractButton*>(at);
                passed << (button && at->accessibleName().isEmpty() ? button->text()
                                                                    : at->accessibleName());
                if (!at->property("focusRing").toBool()) {
                    return passed.join(u',') + QStringLiteral(": no focus ring");
                }
                if (Find::called(at, name)) {
                    return QString();
                }
            }
            return passed.join(u',') + QStringLiteral(": never reached ") + name;
        };
        QCOMPARE(tabTo(QStringLiteral("Sayfalar")), QString());
        QTest::keyClick(grid(), Qt::Key_Space);
        QTest::keyClick(grid(), Qt::Key_Right);
        QTest::keyClick(grid(), Qt::Key_Space);
        QCOMPARE(store().pagesSelected(), pagesOf({0, 1}));
        // Now that something is marked, the run and "Seçimi temizle" take the keyboard too.
        QCOMPARE(tabTo(run()->text()), QString());
        QCOMPARE(tabTo(QStringLiteral("Seçimi temizle")), QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(store().pagesSelected().isEmpty());
    }

    void pagesInvertAndClear()
    {
        admitForPages(10);
        QVERIFY(!button(QStringLiteral("Seçimi temizle"))->isEnabled());
        // Inverting nothing marks every page, which may not all be deleted.
        click(QStringLiteral("Seçimi ters çevir"));
        QCOMPARE(store().pagesSelected().size(), 10);
        auto* summary = Find::named<ToneLabel>(m_screen.get(), QStringLiteral("summary"));
        QCOMPARE(summary->text(), QStringLiteral("En az bir sayfa kalmalı."));
        QCOMPARE(summary->tone(), Tone::down);
        QVERIFY(!run()->isEnabled());
        click(QStringLiteral("Seçimi temizle"));
        QVERIFY(store().pagesSelected().isEmpty());
        QVERIFY(!button(QStringLiteral("Seçimi temizle"))->isEnabled());
        clickPage(0);
        clickPage(7);
        click(QStringLiteral("Seçimi ters çevir"));
        QCOMPARE(store().pagesSelected(), pagesOf({1, 2, 3, 4, 5, 6, 8, 9}));
        QTest::mouseClick(run(), Qt::LeftButton); // the save panel is cancelled
        QCOMPARE(m_fixture->panels.calls, QStringList{"save(Rapor düzenlenmiş)"});
    }

    // A long document draws only what is on screen: no widget per page, and images asked for
    // only for the cells that came into view.
    void pagesLongDocumentIsLazy()
    {
        admitForPages(500, QStringLiteral("Katalog.pdf"));
        const PDFFile file = *store().pagesFile();
        QTRY_VERIFY(store().thumbnail(file, 0, PageGrid::thumbSide).has_value());
        QVERIFY(m_screen->findChildren<QWidget*>().size() < 80);
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
        admitForPages(8);
        clickPage(2);
        QVERIFY(ScreenEvents::dropFiles(grid()->viewport(), {m_fixture->pdf("Kapak.pdf", 3)}));
        QCOMPARE(grid()->model()->rowCount(), 3);
        QCOMPARE(grid()->columnCount(), 3); // few pages never grow past 180 points
        QCOMPARE(grid()->cellSize().width(), 180);
        QVERIFY(store().pagesSelected().isEmpty() && !marked(2));
        QTRY_COMPARE(m_screen->findChildren<SingleFileCard*>().size(), 1);
        click(QStringLiteral("Dosyayı kaldır"));
        QVERIFY(!store().pagesFile());
        QVERIFY(m_screen->findChild<DropZone*>()->isVisible());
        QCOMPARE(grid()->model()->rowCount(), 0);
    }

    void historyRowsShowEachRecord()
    {
        showFourRecords();
        const QList<HistoryRow*> rows = history()->rows();
        QCOMPARE(rows.size(), 4);
        QStringList titles, details, dates;
        for (const HistoryRow* row : rows) {
            titles << fullText(row, QStringLiteral("title"));
            details << fullText(row, QStringLiteral("detail"));
            dates << textOf(row, QStringLiteral("date"));
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

        // Files removed while another section showed are noticed when the history shows again.
        history()->hide();
        QFile::remove(store().data().history.first().outputs.first());
        history()->show();
        QVERIFY(!revealOf(history()->rows().first())->isEnabled());
        QCOMPARE(fullText(history()->rows().first(), QStringLiteral("detail")),
                 QStringLiteral("Birleştir · Dosya taşınmış ya da silinmiş"));
    }

    void historyScreenshotModeTreatsOutputsAsPresent()
    {
        qputenv("LEAFLOW_SNAPSHOT", "1");
        showFourRecords();
        const HistoryRow* pages = history()->rows().at(2);
        QCOMPARE(fullText(pages, QStringLiteral("detail")),
                 QStringLiteral("Sayfa sil · Rapor.pdf"));
        QVERIFY(revealOf(pages)->isEnabled());
    }

    void historyDatesFollowTheClock()
    {
        showHistory({record("rotate", {"Eski.pdf"}, {output("Eski döndürülmüş.pdf")},
                            clockNow.addSecs(-40))});
        // A tool this version does not know shows just its inputs.
        QCOMPARE(fullText(history()->rows().first(), QStringLiteral("detail")),
                 QStringLiteral("Eski.pdf"));
        QCOMPARE(textOf(history()->rows().first(), QStringLiteral("date")),
                 QStringLiteral("40 saniye önce"));
        m_now = clockNow.addDays(1);
        history()->refreshDates();
        QCOMPARE(textOf(history()->rows().first(), QStringLiteral("date")), QStringLiteral("dün"));
    }

    void historyClearingAsksFirst_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("confirm") << "Temizle" << true;
        QTest::newRow("cancel") << "Vazgeç" << false;
        QTest::newRow("escape") << "escape" << false;
        QTest::newRow("nothing to clear") << "" << false;
    }
    void historyClearingAsksFirst()
    {
        QFETCH(QString, answer);
        QFETCH(bool, cleared);
        if (answer.isEmpty()) {
            showHistory({});
            QVERIFY(!button(QStringLiteral("Geçmişi temizle…"))->isEnabled());
            history()->confirmClear();
            QVERIFY(!history()->findChild<QMessageBox*>());
            return;
        }
        const QList<HistoryItem> records = showFourRecords();
        click(QStringLiteral("Geçmişi temizle…"));
        QMessageBox* box = history()->findChild<QMessageBox*>();
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("Geçmiş temizlensin mi?"));
        QCOMPARE(box->defaultButton()->text(), QStringLiteral("Vazgeç"));
        if (answer == "escape") {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            QTest::mouseClick(Find::named<QPushButton>(box, answer), Qt::LeftButton);
        }
        QTRY_VERIFY(!history()->findChild<QMessageBox*>());
        const std::optional<AppData> onDisk = DataFile().load();
        QVERIFY(onDisk);
        QCOMPARE(onDisk->history, cleared ? QList<HistoryItem>() : records);
        QCOMPARE(history()->findChild<EmptyState*>()->isVisible(), cleared);
        // The files themselves are never touched.
        QCOMPARE(HistoryDisplay::existing(records.at(1)).size(), 5);
    }
};

QTEST_MAIN(ScreensTest)
#include "ScreensTest.moc"
