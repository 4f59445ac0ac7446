#include "AccessTree.h"
#include "Contrast.h"
#include "Find.h"
#include "Fixtures.h"
#include "StoreTestCase.h"
#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "tools/ocr/OcrTool.h"
#include "tools/organize/OrganizeTool.h"
#include "ui/kit/AlertLabel.h"
#include "ui/kit/Badge.h"
#include "ui/kit/BannerView.h"
#include "ui/kit/Button.h"
#include "ui/kit/DropZone.h"
#include "ui/kit/EmptyState.h"
#include "ui/kit/FileList.h"
#include "ui/kit/FileRow.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RunButton.h"
#include "ui/kit/SegmentedControl.h"
#include "ui/kit/SingleFileCard.h"
#include "ui/kit/StepperControl.h"
#include "ui/kit/Theme.h"
#include "ui/screens/CompressScreen.h"
#include "ui/screens/HistoryDisplay.h"
#include "ui/screens/HistoryRow.h"
#include "ui/screens/HistoryScreen.h"
#include "ui/screens/MergeRow.h"
#include "ui/screens/MergeScreen.h"
#include "ui/screens/OcrScreen.h"
#include "ui/screens/OrganizeGrid.h"
#include "ui/screens/OrganizeScreen.h"
#include "ui/screens/PageCellDelegate.h"
#include "ui/screens/PageGrid.h"
#include "ui/screens/PageGridModel.h"
#include "ui/screens/PagesScreen.h"
#include "ui/screens/SplitPreview.h"
#include "ui/screens/SplitScreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>
#include <QWheelEvent>

namespace {

const QDateTime clockNow(QDate(2026, 6, 10), QTime(15, 30));

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
    auto* row = Find::named<QAbstractButton>(root, QStringLiteral("reveal"));
    return row ? row : Find::named<QAbstractButton>(root, QStringLiteral("Finder'da göster"));
}

// A list as a screen reader reads it: "<item> | <its button>", "(selected)" on the current one.
QStringList readList(QObject* root, const QString& name)
{
    QStringList read;
    QAccessibleInterface* list = AccessTree::find(root, QAccessible::List, name);
    for (int index = 0; list && index < list->childCount(); ++index) {
        QAccessibleInterface* item = list->child(index);
        QString button;
        AccessTree::walk(item, [&](QAccessibleInterface* node) {
            button += node->role() == QAccessible::Button ? node->text(QAccessible::Name) : "";
        });
        const bool whole = item->role() == QAccessible::ListItem && item->parent() == list;
        read << (whole ? item->text(QAccessible::Name) : "?") + " | " + button +
                    (item->state().selected ? " (selected)" : "");
    }
    return read;
}

QString sizeOf(const QString& path)
{
    return Formatting::fileSize(QFileInfo(path).size(), AppLanguages::locale());
}

using Contrast::over;

// Drags and drops delivered straight to a widget, as the window system delivers them.
namespace ScreenEvents {

// Enters, moves over and drops on target at pos; true when the drop was accepted.
bool drop(QWidget* target, const QMimeData* mime, QPoint pos = {4, 4})
{
    const auto actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(pos, actions, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(pos, actions, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent dropped(QPointF(pos), actions, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

bool dropFiles(QWidget* target, const QStringList& paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    mime.setUrls(urls);
    mime.setText(paths.join(u'\n')); // as file managers send them
    return drop(target, &mime);
}

} // namespace ScreenEvents

// Whether the caption under each of the first pages' cells is drawn, right after the grid fills.
bool captionsDrawn(const PageGrid* grid, int pages)
{
    const QImage shown = grid->viewport()->grab().toImage();
    const qreal ratio = shown.devicePixelRatio();
    for (int page = 0; page < pages; ++page) {
        const QRect caption = grid->captionBox().translated(grid->cellRect(page).topLeft());
        if (caption.isEmpty() || !grid->viewport()->rect().contains(caption)) {
            return false;
        }
        int ink = 0;
        for (int y = caption.top(); y <= caption.bottom(); ++y) {
            for (int x = caption.left(); x <= caption.right(); ++x) {
                ink += shown.pixelColor(QPoint(x, y) * ratio) !=
                       shown.pixelColor(caption.topLeft() * ratio);
            }
        }
        if (ink < 20) {
            return false;
        }
    }
    return true;
}

} // namespace

// The tool pages and the history list over a real Store, driven as a user would.
class ScreensTest : public StoreTestCase {
    Q_OBJECT

    std::unique_ptr<QWidget> m_screen;

    ToolPage* page() { return qobject_cast<ToolPage*>(m_screen.get()); }
    RunButton* run() { return m_screen->findChild<RunButton*>(); }
    FileList* list() { return m_screen->findChild<FileList*>(); }
    SplitPreview* preview() { return m_screen->findChild<SplitPreview*>(); }
    PageGrid* grid() { return m_screen->findChild<PageGrid*>(); }
    QLineEdit* rangesField() { return Find::named<QLineEdit>(m_screen.get(), "Aralıklar"); }
    HistoryScreen* history() { return static_cast<HistoryScreen*>(m_screen.get()); }
    QAbstractButton* button(const QString& name)
    {
        return Find::named<QAbstractButton>(m_screen.get(), name);
    }
    void click(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void removeRow(int row)
    {
        QTest::mouseClick(list()->row(row)->findChild<QAbstractButton*>(), Qt::LeftButton);
    }
    bool marked(int page)
    {
        return grid()->model()->index(page, 0).data(PageGridModel::SelectedRole).toBool();
    }

    OrganizeTool& organize() { return store().tool<OrganizeTool>(); }
    // The arrangement as "<file letter><page>", with "r<turns>" for a turned page: "A2 B1r1".
    QString arranged()
    {
        QStringList shown;
        for (const PDFEngine::OrganizedPage& page : organize().arrangement()) {
            shown << QString(QChar(u'A' + page.source)) + QString::number(page.page + 1) +
                         (page.quarterTurns ? "r" + QString::number(page.quarterTurns) : "");
        }
        return shown.join(u' ');
    }
    // A point on cell's left (before) or right (after) half.
    QPoint onCell(int cell, bool after)
    {
        const QRect rect = grid()->cellRect(cell);
        return {after ? rect.right() - 4 : rect.left() + 4, rect.center().y()};
    }
    // Drags mime over the grid to point and drops it; whether the bar showed there first.
    bool dragAndDrop(const QMimeData* mime, QPoint point, int before)
    {
        const auto actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(point, actions, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid()->viewport(), &enter);
        QDragMoveEvent move(point, actions, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid()->viewport(), &move);
        auto* organizeGrid = static_cast<OrganizeGrid*>(grid());
        const QImage shown = grid()->viewport()->grab().toImage();
        const QPoint bar = organizeGrid->insertionBar(before).center();
        const bool barShown = organizeGrid->insertion() == before &&
                              shown.pixelColor(bar * shown.devicePixelRatio()) ==
                                  Theme::accent(grid()->palette());
        QDropEvent drop(QPointF(point), actions, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid()->viewport(), &drop);
        return barShown && drop.isAccepted() && !organizeGrid->insertion();
    }
    // The quarter of a cell's box where its page's tag (drawn near the page's lower left
    // corner) shows: 0 top left, 1 top right, 2 bottom left, 3 bottom right.
    int tagQuarter(int cell)
    {
        if (!QTest::qWaitFor([&] { return grid()->thumbnail(cell).has_value(); })) {
            return -1;
        }
        const QImage shown = grid()->viewport()->grab().toImage();
        const QRect box = grid()->thumbBox().translated(grid()->cellRect(cell).topLeft());
        std::array<int, 4> ink{};
        for (int y = box.top() + 2; y < box.bottom() - 2; ++y) {
            for (int x = box.left() + 2; x < box.right() - 2; ++x) {
                if (shown.pixelColor(QPoint(x, y) * shown.devicePixelRatio()).lightness() < 110) {
                    ++ink.at((y > box.center().y() ? 2 : 0) + (x > box.center().x() ? 1 : 0));
                }
            }
        }
        return static_cast<int>(std::max_element(ink.begin(), ink.end()) - ink.begin());
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
        show(new MergeScreen(store().tool<MergeTool>(), store()));
        store().addFiles({m_fixture->pdf("Rapor.pdf", 2), m_fixture->pdf("Ek.pdf", 1),
                          m_fixture->pdf("Kapak.pdf", 3)},
                         store().tool<MergeTool>());
        QCOMPARE(store().tool<MergeTool>().mergeFiles().size(), 3);
    }

    void admitForSplit(int pages)
    {
        show(new SplitScreen(store().tool<SplitTool>(), store(), nullptr, 24), {760, 700});
        store().addFiles({m_fixture->pdf("Rapor.pdf", pages)}, store().tool<SplitTool>());
        QVERIFY(store().tool<SplitTool>().splitFile());
    }

    void clickPage(int page)
    {
        grid()->scrollTo(grid()->model()->index(page, 0));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid()->cellRect(page).center());
    }

    // A tool's screen with its files, ready to run; the history with a record and a banner.
    QWidget* loaded(const QString& tool)
    {
        const bool two = tool == QLatin1String("merge") || tool == QLatin1String("compress");
        if (ToolModel* model = store().tool(tool)) {
            store().addFiles(QStringList{m_fixture->pdf("Rapor.pdf", 3)} +
                                 (two ? QStringList{m_fixture->pdf("Ek.pdf", 2)} : QStringList{}),
                             *model);
        }
        store().tool<SplitTool>().setSplitMode(SplitMode::every);
        store().tool<PagesTool>().setPagesSelected({1});
        AppData data;
        const QString made = output(QStringLiteral("A.pdf"));
        data.history = {{QUuid::createUuid(), clockNow, "merge", {"A.pdf"}, {made}}};
        store().setData(data);
        m_fixture->reveal.fails = true;
        store().reveal({made}, QStringLiteral("history"));
        const std::map<QString, std::function<QWidget*()>> screens{
            {"merge", [this] { return new MergeScreen(store().tool<MergeTool>(), store()); }},
            {"split",
             [this] { return new SplitScreen(store().tool<SplitTool>(), store(), nullptr, 24); }},
            {"compress",
             [this] { return new CompressScreen(store().tool<CompressTool>(), store()); }},
            {"pages", [this] { return new PagesScreen(store().tool<PagesTool>(), store()); }},
            {"history",
             [this] { return new HistoryScreen(store(), nullptr, [] { return clockNow; }); }}};
        return screens.at(tool)();
    }
    void activate()
    {
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
    }

    std::optional<QString> status(int row)
    {
        const Badge* badge = static_cast<CompressScreen*>(m_screen.get())->row(row)->statusBadge();
        return badge ? std::optional<QString>(badge->text()) : std::nullopt;
    }

    QString output(const QString& name, const QString& folder = QStringLiteral("out"))
    {
        QString path = m_fixture->folder(folder) + "/" + name;
        Fixtures::writeBytes(path, QByteArray(1200, 'x'));
        return path;
    }

private slots:
    void cleanup() override
    {
        m_screen.reset();
        StoreTestCase::cleanup();
    }

    // Files dropped on any part of a page reach its tool, never a text field; web addresses do not.
    void dropAnywhereAdmitsFiles_data()
    {
        QTest::addColumn<QString>("where");
        for (const char* where : {"merge: drop zone", "merge: footer bar", "merge: row",
                                  "split: field", "split: preview"}) {
            QTest::newRow(where) << QString::fromUtf8(where);
        }
    }
    void dropAnywhereAdmitsFiles()
    {
        QFETCH(QString, where);
        const bool merge = where.startsWith(QLatin1String("merge"));
        const QString& section = merge ? QStringLiteral("merge") : QStringLiteral("split");
        if (merge) {
            show(new MergeScreen(store().tool<MergeTool>(), store()));
        } else {
            show(new SplitScreen(store().tool<SplitTool>(), store(), nullptr, 24), {760, 700});
        }
        store().addFiles({m_fixture->pdf("Var.pdf", 2)}, *store().tool(section));
        const QString part = where.section(QStringLiteral(": "), 1);
        if (part == QLatin1String("drop zone")) {
            store().clear(*store().tool(section));
        }
        const int before = static_cast<int>(store().tool<MergeTool>().mergeFiles().size());
        auto* field = rangesField();
        const QMap<QString, QWidget*> targets = {{"drop zone", m_screen->findChild<DropZone*>()},
                                                 {"footer bar", page()->footerBar()},
                                                 {"row", merge ? list()->row(0) : nullptr},
                                                 {"field", field},
                                                 {"preview", preview()}};
        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://example.org/a.pdf"))});
        QVERIFY(!ScreenEvents::drop(targets.value(part), &web));
        // Which of the dropped files a tool admits is the Store's.
        QVERIFY(ScreenEvents::dropFiles(targets.value(part), {m_fixture->pdf("Yeni.PDF", 3),
                                                              m_fixture->pdf("Diger.pdf")}));
        QVERIFY(!page()->bannerView() && (merge || field->text().isEmpty()));
        if (merge) {
            QCOMPARE(rowTexts(list()).last(), QStringLiteral("%1 Diger.pdf").arg(before + 2));
        } else {
            QCOMPARE(QFileInfo(store().tool<SplitTool>().splitFile()->source.path).fileName(),
                     "Yeni.PDF");
        }
    }

    // The run button wakes at two files and sleeps again below two.
    void mergeNeedsTwoFiles()
    {
        auto& screen = show(new MergeScreen(store().tool<MergeTool>(), store()));
        QVERIFY(!run()->isEnabled());
        store().addFiles({m_fixture->pdf("Rapor.pdf", 2)}, store().tool<MergeTool>());
        QVERIFY(!run()->isEnabled());
        store().addFiles({m_fixture->pdf("Ek.pdf", 3), m_fixture->pdf("Kapak.pdf")},
                         store().tool<MergeTool>());
        QVERIFY(textOf(&screen, QStringLiteral("summary")).startsWith("Dosya: 3 · Sayfa: 6 · "));
        // The list reads as one, each row saying what it shows and its button naming its file.
        const QString row = QStringLiteral("%1. %2, %3 sayfa, %4 | %2 dosyasını listeden kaldır");
        const auto size = [this](int at) {
            return sizeOf(store().tool<MergeTool>().mergeFiles().at(at).source.path);
        };
        QCOMPARE(readList(&screen, QStringLiteral("Birleştirilecek dosyalar")).mid(0, 2),
                 (QStringList{row.arg(1).arg("Rapor.pdf").arg(2).arg(size(0)) + " (selected)",
                              row.arg(2).arg("Ek.pdf").arg(3).arg(size(1))}));
        removeRow(1);
        QTRY_COMPARE(rowTexts(list()), (QStringList{"1 Rapor.pdf", "2 Kapak.pdf"}));
        QVERIFY(run()->isEnabled());
        removeRow(1);
        QVERIFY(!run()->isEnabled());
        click(QStringLiteral("Temizle"));
        QVERIFY(store().tool<MergeTool>().mergeFiles().isEmpty());
        QVERIFY(m_screen->findChild<DropZone*>()->isVisible());
    }

    // Rows move by a drag onto a gap, or from the keyboard: arrows choose the current row, Alt or
    // Ctrl+Shift carry its file, Delete removes it. The list shows the order the merge takes.
    void mergeListReorders_data()
    {
        QTest::addColumn<QString>("input"); // "drag <from> to <gap: top|end|row>" or key presses
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("current"); // after keys
        const QString r = QStringLiteral("Rapor.pdf");
        const QString e = QStringLiteral("Ek.pdf");
        const QString k = QStringLiteral("Kapak.pdf");
        QTest::newRow("third dragged to the top") << "drag 2 to top" << QStringList{k, r, e} << 0;
        QTest::newRow("first dragged to the end") << "drag 0 to end" << QStringList{e, k, r} << 0;
        QTest::newRow("dragged just below itself") << "drag 1 to 2" << QStringList{r, e, k} << 0;
        QTest::newRow("Alt+Down carries the first, current row following")
            << "Alt+Down, Alt+Down" << QStringList{e, k, r} << 2;
        QTest::newRow("Ctrl+Shift+Up carries the last")
            << "Down, Down, Ctrl+Shift+Up" << QStringList{r, k, e} << 1;
        QTest::newRow("nothing above the top") << "Alt+Up" << QStringList{r, e, k} << 0;
        QTest::newRow("arrows alone only choose")
            << "Down, Down, Down, Up" << QStringList{r, e, k} << 1;
        QTest::newRow("Delete removes the current file")
            << "Down, Delete" << QStringList{r, k} << 1;
    }
    void mergeListReorders()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, order);
        QFETCH(int, current);
        addThree();
        if (input.startsWith(QLatin1String("drag"))) {
            const QString gap = input.section(u' ', 3);
            const int y = gap == QLatin1String("top") ? list()->row(0)->geometry().top() + 3
                          : gap == QLatin1String("end")
                              ? list()->row(2)->geometry().bottom() + 10
                              : list()->row(gap.toInt())->geometry().top() + 3;
            const auto mime = list()->rowMime(input.section(u' ', 1, 1).toInt());
            QWidget* rows = Find::named(list(), QStringLiteral("rows"));
            QVERIFY(ScreenEvents::drop(rows, mime.get(), QPoint(rows->width() / 2, y)));
            QVERIFY(!list()->indicatedGap());
        } else {
            m_screen->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
            AccessTree::EventLog log;
            list()->clearFocus();
            list()->setFocus(Qt::TabFocusReason);
            QTest::keySequence(list(), QKeySequence::fromString(input));
            QCOMPARE(list()->currentRow(), std::optional(current));
            // A screen reader lands on the current row, its position said anew after a move.
            const QString heard = QStringLiteral("%1. %2, ").arg(current + 1).arg(order[current]);
            QTRY_VERIFY(log.names(QAccessible::Focus).last().startsWith(heard));
            QVERIFY(log.names(QAccessible::StateChanged).last().startsWith(heard));
            QAccessibleInterface* focused = AccessTree::focused();
            QVERIFY(AccessTree::name(focused).startsWith(heard) && focused->state().selected &&
                    focused->state().focused);
        }
        QStringList merged;
        QStringList shown;
        for (const PDFFile& file : store().tool<MergeTool>().mergeFiles()) {
            merged << QFileInfo(file.source.path).fileName();
            shown << QStringLiteral("%1 %2").arg(shown.size() + 1).arg(merged.last());
        }
        QCOMPARE(merged, order);
        QTRY_COMPARE(rowTexts(list()), shown);
    }

    // A row's field reads its range as it is typed: the row's count and what a screen reader
    // hears of it, the footer's total and the run follow; a bad range says why, as a split does.
    void mergeRowsTakeRanges_data()
    {
        QTest::addColumn<int>("row"); // of Rapor (2 pages), Ek (1), Kapak (3)
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // the row's count and name (to its size), total, error
        QTest::newRow("some pages, one twice")
            << 2 << "3, 1-"
            << "Sayfa: 4 / 3|3. Kapak.pdf, 3 sayfadan 4 sayfa|Sayfa: 7|";
        QTest::newRow("past the end") << 0 << "2-3"
                                      << "Sayfa: 2|1. Rapor.pdf, 2 sayfa|Sayfa: 6|Bu PDF 2 sayfa. "
                                         "“2-3” bunun dışında kalıyor.";
        QTest::newRow("unreadable") << 2 << "x-1"
                                    << "Sayfa: 3|3. Kapak.pdf, 3 sayfa|Sayfa: 6|“x-1” anlaşılmadı. "
                                       "Örnek: 1-3, 5, 8-12";
    }
    void mergeRowsTakeRanges()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        addThree();
        auto* edited = qobject_cast<MergeRow*>(list()->row(row));
        QTest::keyClicks(edited->rangeField(), typed);
        QTest::keyClick(edited->rangeField(), Qt::Key_Down); // the field's, not the list's
        QVERIFY(list()->row(row) == edited && list()->currentRow() == 0);
        QCOMPARE((QStringList{textOf(edited, "details").section(" · ", 0, 0),
                              edited->accessibleName().section(", ", 0, 1),
                              textOf(m_screen.get(), "summary").section(" · ", 1, 1),
                              textOf(edited, "rangeError"),
                              edited->rangeField()->accessibleDescription()}),
                 shown.split(u'|') << shown.section(u'|', 3));
        QCOMPARE(run()->isEnabled(), shown.endsWith(u'|')); // no error
    }

    // Inputs stay put while the run works; its one-line banner outlasts leaving the page.
    void mergeRunShowsProgressThenTheResultBanner()
    {
        addThree();
        SplitScreen split(store().tool<SplitTool>(), store());
        store().addFiles({m_fixture->pdf("Bolunecek.pdf", 4)}, store().tool<SplitTool>());
        auto* splitRun = split.findChild<RunButton*>();
        const QString name = "Birlesik " + QString(226, u'u') + " son.pdf";
        const QString target = m_fixture->path(name);
        m_fixture->dialogs.saveAnswers << target;
        QTest::mouseClick(run(), Qt::LeftButton);
        // Every run button rests while a tool works; only the working one shows progress.
        QVERIFY(run()->showsProgress() && !run()->isEnabled());
        QVERIFY(!splitRun->isEnabled() && !splitRun->showsProgress());
        const auto editable = [this] { // "Temizle", a row's ⓧ and its range field
            return QList<bool>{button(QStringLiteral("Temizle"))->isEnabled(),
                               list()->row(0)->findChild<QAbstractButton*>()->isEnabled(),
                               qobject_cast<MergeRow*>(list()->row(0))->rangeField()->isEnabled()};
        };
        QCOMPARE(editable(), QList<bool>(3, false));
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(store().tool<MergeTool>().mergeFiles().size(), 3);
        QVERIFY(m_fixture->waitIdle());
        QVERIFY(!run()->showsProgress() && run()->isEnabled() && splitRun->isEnabled());
        QCOMPARE(editable(), QList<bool>(3, true));
        store().setShownPage(QStringLiteral("split")); // a result outlasts leaving the page
        store().setShownPage(QStringLiteral("merge"));
        BannerView* banner = page()->bannerView();
        QVERIFY(banner && !banner->banner().isError());
        auto* text = Find::named<QLabel>(banner, QStringLiteral("text"));
        QTRY_VERIFY(text->text().contains(u'…'));
        QVERIFY(text->text().startsWith("Hazır: Birlesik uu") &&
                text->text().contains("u son.pdf · "));
        QVERIFY(text->fontMetrics().horizontalAdvance(text->text()) <=
                text->contentsRect().width());
        QVERIFY(text->heightForWidth(text->width()) < 2 * text->fontMetrics().height());
        QCOMPARE(text->toolTip(), banner->banner().text);
        QTest::mouseClick(revealOf(banner), Qt::LeftButton);
        QCOMPARE(m_fixture->reveal.revealed, QList<QStringList>{QStringList{target}});
        click(QStringLiteral("Aç"));
        QCOMPARE(m_fixture->reveal.opened, QStringList{target});
        m_fixture->reveal.fails = true;
        click(QStringLiteral("Aç"));
        QTRY_VERIFY(page()->bannerView() && page()->bannerView()->banner().isError());
        QCOMPARE(page()->bannerView()->banner().text,
                 "PDF görüntüleyici açılamadı. Dosya: " + target);
        // An error is about what the user was just doing: leaving the page takes it away.
        store().setShownPage(QStringLiteral("merge"));
        QVERIFY(page()->bannerView());
        store().setShownPage(QStringLiteral("split"));
        store().setShownPage(QStringLiteral("merge"));
        QTRY_VERIFY(!page()->bannerView());
    }

    // At most 24 names in the preview; the banner ends where the cards do, scroll bar or not.
    void splitBannerKeepsToTheCards_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("scroll bar showing") << 420 << true;
        QTest::newRow("everything in view") << 1400 << false;
    }
    void splitBannerKeepsToTheCards()
    {
        QFETCH(int, height);
        QFETCH(bool, scrolls);
        admitForSplit(30);
        store().tool<SplitTool>().setSplitMode(SplitMode::each);
        QCOMPARE(preview()->lines().size(), 25);
        QCOMPARE(preview()->lines().value(23), QStringLiteral("Rapor 24.pdf"));
        QCOMPARE(preview()->lines().last(), QStringLiteral("ve 6 dosya daha"));
        QCOMPARE(textOf(m_screen.get(), QStringLiteral("count")),
                 QStringLiteral("Oluşacak dosya: 30"));
        m_screen->resize(760, height);
        m_fixture->dialogs.folderAnswers << m_fixture->folder("parcalar");
        QTest::mouseClick(run(), Qt::LeftButton);
        QVERIFY(m_fixture->waitIdle());
        BannerView* banner = page()->bannerView();
        QVERIFY(banner && !banner->banner().isError());
        QVERIFY(!Find::named<QAbstractButton>(banner, QStringLiteral("Aç")));
        QVERIFY(revealOf(banner));
        auto* scroll = m_screen->findChild<QScrollArea*>();
        QTRY_COMPARE(scroll->verticalScrollBar()->isVisible(), scrolls);
        const auto* card = m_screen->findChild<SingleFileCard*>();
        const int cardRight = card->mapTo(m_screen.get(), QPoint(card->width(), 0)).x();
        QTRY_COMPARE(banner->mapTo(m_screen.get(), QPoint(banner->width(), 0)).x() -
                         Metrics::pageSide - banner->trailingInset(),
                     cardRight);
    }

    // The stepper stops at the page count and at one; rejected ranges say why and the run waits.
    void splitControlsAreBoundToTheStore()
    {
        admitForSplit(7);
        auto* modes = m_screen->findChild<SegmentedControl*>();
        QTest::mouseClick(modes, Qt::LeftButton, {}, modes->segmentRect(1).center());
        QCOMPARE(store().tool<SplitTool>().splitMode(), SplitMode::every);
        auto* stepper = m_screen->findChild<StepperControl*>();
        for (int i = 0; i < 9; ++i) {
            QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->upRect().center());
        }
        QCOMPARE(store().tool<SplitTool>().splitEvery(), 7);
        for (int i = 0; i < 9; ++i) {
            QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->downRect().center());
        }
        QCOMPARE(store().tool<SplitTool>().splitEvery(), 1);
        // Typed digits count within range, shown as typed until Enter or Tab; the wheel steps.
        const auto typed = [&](const QString& keys, int every, int files) {
            QTest::keyClicks(stepper->field(), keys);
            QCOMPARE(store().tool<SplitTool>().splitEvery(), every);
            QCOMPARE(preview()->lines().size(), files);
            QCOMPARE(textOf(m_screen.get(), QStringLiteral("count")),
                     QStringLiteral("Oluşacak dosya: %1").arg(files));
        };
        stepper->field()->setFocus();
        stepper->field()->selectAll();
        typed(QStringLiteral("x2"), 2, 4);
        typed(QStringLiteral("0"), 7, 1);
        QCOMPARE(stepper->field()->text(), QStringLiteral("20"));
        QTest::keyClick(stepper->field(), Qt::Key_Backspace);
        QCOMPARE(store().tool<SplitTool>().splitEvery(), 2);
        QTest::keyClick(stepper->field(), Qt::Key_Return);
        stepper->field()->selectAll();
        typed(QStringLiteral("500"), 7, 1);
        QTest::keyClick(stepper->field(), Qt::Key_Tab);
        QCOMPARE(stepper->field()->text(), QStringLiteral("7"));
        const QPointF at = QRectF(stepper->rect()).center();
        QWheelEvent wheel(at, stepper->mapToGlobal(at), {}, {0, -240}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(stepper, &wheel);
        QCOMPARE(store().tool<SplitTool>().splitEvery(), 5);
        QTest::mouseClick(modes, Qt::LeftButton, {}, modes->segmentRect(2).center());
        auto* field = rangesField();
        QVERIFY(field->isVisible() && !stepper->isVisible());
        // Ranges not written yet are no mistake until a run is tried.
        const auto quiet = [this] { return preview()->lines().isEmpty() && !run()->isEnabled(); };
        QVERIFY(quiet());
        AccessTree::EventLog log; // each reason is spoken as it shows, and once
        store().run(store().tool<SplitTool>());
        QVERIFY(preview()->showsFailure() && preview()->lines().size() == 1);
        QVERIFY(log.names(QAccessible::Alert).contains(preview()->lines().first()));
        QTest::mouseClick(modes, Qt::LeftButton, {}, modes->segmentRect(0).center());
        QTest::mouseClick(modes, Qt::LeftButton, {}, modes->segmentRect(2).center());
        QVERIFY(quiet());
        field->setFocus();
        log.clear();
        QTest::keyClicks(field, QStringLiteral("2-9"));
        QCOMPARE(store().tool<SplitTool>().splitRanges(), QStringLiteral("2-9"));
        QVERIFY(preview()->showsFailure() && preview()->lines().size() == 1);
        QCOMPARE(log.names(QAccessible::Alert), preview()->lines());
        QVERIFY(!preview()->lines().first().endsWith(QStringLiteral(".pdf")));
        QVERIFY(textOf(m_screen.get(), QStringLiteral("count")).isEmpty() && !run()->isEnabled());
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QStringLiteral("7"));
        QCOMPARE(preview()->lines(), QStringList{"Rapor 2-7.pdf"});
        QVERIFY(!preview()->showsFailure() && run()->isEnabled());
    }

    void compressStatusesAfterARun()
    {
        auto& screen = show(new CompressScreen(store().tool<CompressTool>(), store()));
        auto* levels = m_screen->findChild<SegmentedControl*>();
        QTest::mouseClick(levels, Qt::LeftButton, {}, levels->segmentRect(2).center());
        QCOMPARE(store().tool<CompressTool>().compressionLevel(), CompressionLevel::strong);
        store().addFiles({m_fixture->imagePdf("Foto.pdf"), m_fixture->settledPdf("Metin.pdf", 2)},
                         store().tool<CompressTool>());
        m_fixture->dialogs.folderAnswers << m_fixture->folder("kucuk");
        QVERIFY(!status(0) && !status(1));
        QTest::mouseClick(run(), Qt::LeftButton);
        QVERIFY(m_fixture->waitIdle());
        QVERIFY(status(0)->startsWith(QStringLiteral("→ ")));
        QCOMPARE(status(1), std::optional<QString>(QStringLiteral("Küçülmedi")));
        QCOMPARE(readList(&screen, QStringLiteral("Sıkıştırılacak dosyalar")).at(1),
                 "Metin.pdf, 2 sayfa, " +
                     sizeOf(store().tool<CompressTool>().compressFiles().at(1).source.path) +
                     ", Küçülmedi | Metin.pdf dosyasını listeden kaldır");
        click(QStringLiteral("Temizle"));
        QVERIFY(store().tool<CompressTool>().compressResults().isEmpty() && !screen.bannerView());
    }

    // The recognition page's boxes are named and described; with no language the run waits and
    // says why; after a run each row tells what became of its pages.
    void ocrOptionsAndTallies()
    {
        auto& ocr = store().tool<OcrTool>();
        auto& screen = show(new OcrScreen(ocr, store()));
        store().addFiles({m_fixture->pdf("Tarama.pdf", 3), m_fixture->pdf("Metin.pdf", 2)}, ocr);
        QStringList boxes;
        for (QAccessibleInterface* box : AccessTree::all(&screen, QAccessible::CheckBox)) {
            QVERIFY(!box->text(QAccessible::Description).isEmpty());
            boxes << box->text(QAccessible::Name);
        }
        QCOMPARE(boxes,
                 QStringList({"Türkçe", "İngilizce", "İspanyolca", "Yan yatmış sayfaları düzelt",
                              "Tanınmış sayfaları yeniden tanı"}));
        auto* note = m_screen->findChild<AlertLabel*>("languageNote");
        const auto tick = [](QCheckBox* box) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        };
        for (QCheckBox* box : m_screen->findChildren<QCheckBox*>()) {
            if (box->isChecked()) {
                QVERIFY(run()->isEnabled() && note->isHidden());
                tick(box);
            }
        }
        QVERIFY(ocr.ocrLanguages().isEmpty() && !run()->isEnabled());
        QCOMPARE(note->text(), "En az bir dil seç.");
        tick(m_screen->findChild<QCheckBox*>("spa"));
        QVERIFY(ocr.ocrLanguages() == QStringList{"spa"} && run()->isEnabled() && note->isHidden());

        ocr.setOcrResults({{ocr.ocrFiles()[0].id, {2, 1, 1}}, {ocr.ocrFiles()[1].id, {0, 2, 0}}});
        const auto shown = [&screen](int row) { return screen.row(row)->statusBadge()->text(); };
        QCOMPARE(shown(0), "2 sayfa tanındı · 1 zaten aranabilir · 1 sayfa döndürüldü");
        QCOMPARE(shown(1), "Tüm sayfalar zaten aranabilir");
    }

    // Text at 4.5 : 1 and graphics at 3 : 1 on the window and the controls, which bound the blends.
    void textAndIconsContrastWithWhatTheySitOn_data()
    {
        QTest::addColumn<QColor>("foreground");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<double>("threshold");
        constexpr double text = 4.5;
        constexpr double icon = 3.0; // also outlines and disabled titles, which show the control
        const QColor white(Qt::white);
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            const QPalette p = Theme::palette(appearance);
            const QString look = appearance == Appearance::dark ? "dark " : "light ";
            const auto row = [&](const QString& name, const QColor& fg, const QColor& bg,
                                 double threshold) {
                QTest::newRow(qPrintable(look + name)) << over(fg, bg) << bg << threshold;
            };
            for (const auto& [where, bg] :
                 {std::pair{QStringLiteral("window"), DS::canvas(p)},
                  std::pair{QStringLiteral("controls"), DS::surface(p)}}) {
                row("primary text on " + where, Theme::primary(p), bg, text);
                row("secondary text on " + where, Theme::secondary(p), bg, text);
                row("placeholder on " + where, p.color(QPalette::PlaceholderText), bg, text);
                row("red text on " + where, DS::down(p), bg, text);
                row("accent icon on " + where, Theme::accent(p), bg, icon);
                row("control outline on " + where, Theme::outline(p), bg, icon);
                row("disabled text on " + where, Theme::disabled(p), bg, icon);
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
            const QColor face = over(Button::borderedFace(p), DS::canvas(p));
            row("disabled title on a button", Theme::disabled(p), face, icon);
            row("tick on a ticked box", white, Theme::accent(p), icon);
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
        const double ratio = Contrast::ratio(foreground, background);
        QVERIFY2(ratio >= threshold, qPrintable(QStringLiteral("%1 on %2: %3 : 1")
                                                    .arg(foreground.name(), background.name())
                                                    .arg(ratio, 0, 'f', 2)));
    }

    // Tab stops, clicks and keys mark cells; not every page may go; a new file resets marks.
    void pagesMarkInvertAndReplace()
    {
        show(new PagesScreen(store().tool<PagesTool>(), store()), {860, 640});
        QVERIFY(!button(QStringLiteral("Seçimi ters çevir"))->isVisible());
        m_fixture->dialogs.openAnswers << QStringList{m_fixture->pdf("Rapor.pdf", 10)};
        click(QStringLiteral("Dosya seç…"));
        QTRY_VERIFY(grid()->cellRect(9).isValid());
        QVERIFY(captionsDrawn(grid(), 4)); // "Sayfa N" without anything else redrawing
        // Space marks, arrows move in the grid; Space on "Seçimi temizle" takes the marks away.
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
        grid()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(grid(), Qt::Key_Space);
        QTest::keyClick(grid(), Qt::Key_Right);
        QTest::keyClick(grid(), Qt::Key_Space);
        QCOMPARE(store().tool<PagesTool>().pagesSelected(), (QSet<int>{0, 1}));
        button(QStringLiteral("Seçimi temizle"))->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(store().tool<PagesTool>().pagesSelected().isEmpty());
        auto* summary = Find::named<ToneLabel>(m_screen.get(), QStringLiteral("summary"));
        AccessTree::EventLog log; // the refusal is spoken, the counts are not
        click(QStringLiteral("Seçimi ters çevir"));
        QCOMPARE(store().tool<PagesTool>().pagesSelected().size(), 10);
        QCOMPARE(summary->text(), QStringLiteral("En az bir sayfa kalmalı."));
        QCOMPARE(summary->tone(), Tone::down);
        QCOMPARE(log.names(QAccessible::Alert), QStringList{summary->text()});
        QVERIFY(!run()->isEnabled());
        click(QStringLiteral("Seçimi temizle"));
        QVERIFY(store().tool<PagesTool>().pagesSelected().isEmpty());
        QVERIFY(!button(QStringLiteral("Seçimi temizle"))->isEnabled());
        clickPage(1);
        clickPage(4);
        QCOMPARE(summary->text(), QStringLiteral("Silinecek: 2 · Kalacak: 8"));
        QCOMPARE(log.names(QAccessible::Alert).size(), 1);
        QCOMPARE(AccessTree::of(summary)->role(), QAccessible::StaticText);
        QVERIFY(marked(4) && !marked(3));
        clickPage(1); // a second click takes the mark away again
        QCOMPARE(store().tool<PagesTool>().pagesSelected(), (QSet<int>{4}));
        grid()->setFocus();
        grid()->setCurrentIndex(grid()->model()->index(3, 0));
        QTest::keyClick(grid(), Qt::Key_Return);
        QTest::keyClick(grid(), Qt::Key_A, Qt::ControlModifier); // no select-all of the cells
        QCOMPARE(store().tool<PagesTool>().pagesSelected(), (QSet<int>{3, 4}));
        // A screen reader's Toggle marks the page as Space does, and takes the mark away again.
        QAccessibleInterface* cell = AccessTree::find(grid(), QAccessible::ListItem, "Sayfa 6");
        for (const bool marks : {true, false}) {
            cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QCOMPARE(store().tool<PagesTool>().pagesSelected().contains(5), marks);
            QCOMPARE(cell->state().selected, marks);
        }
        QVERIFY(
            AccessTree::find(m_screen.get(), QAccessible::Button, "Rapor.pdf dosyasını kaldır"));
        click(QStringLiteral("Seçimi ters çevir"));
        QCOMPARE(store().tool<PagesTool>().pagesSelected(), (QSet<int>{0, 1, 2, 5, 6, 7, 8, 9}));
        QTest::mouseClick(run(), Qt::LeftButton); // the save panel is cancelled
        QCOMPARE(m_fixture->dialogs.calls,
                 (QStringList{"openPDFs(single)", "save(Rapor düzenlenmiş)"}));
        // Another document replaces the grid and its marks.
        QVERIFY(ScreenEvents::dropFiles(grid()->viewport(), {m_fixture->pdf("Kapak.pdf", 3)}));
        QCOMPARE(grid()->model()->rowCount(), 3);
        QCOMPARE(grid()->cellSize().width(), 180); // few pages never grow past 180 points
        QVERIFY(store().tool<PagesTool>().pagesSelected().isEmpty() && !marked(2));
        QTRY_COMPARE(m_screen->findChildren<SingleFileCard*>().size(), 1);
    }

    // Selection by clicks, a drag with its bar, keyboard moves and turns, all undone and redone.
    void organizeDragMoveRotateAndUndo()
    {
        show(new OrganizeScreen(organize(), store()), {860, 640});
        store().addFiles({m_fixture->pdf("Rapor.pdf", 6)}, organize());
        QTRY_VERIFY(grid()->cellRect(5).isValid());
        const QString start = arranged();
        activate();
        clickPage(0);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          grid()->cellRect(1).center());
        QCOMPARE(organize().organizeSelected(), (QSet<int>{0, 1}));
        QScopedPointer<QMimeData> mime(
            grid()->model()->mimeData(grid()->selectionModel()->selectedIndexes()));
        QVERIFY(dragAndDrop(mime.get(), onCell(3, true), 4));
        QCOMPARE(arranged(), QStringLiteral("A3 A4 A1 A2 A5 A6"));
        QVERIFY(marked(2) && marked(3) && !marked(0));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          grid()->cellRect(3).center()); // Ctrl+click takes one away
        QCOMPARE(organize().organizeSelected(), (QSet<int>{2}));
        // Keys move the selection and turn it; the thumbnail's tag turns with the page.
        grid()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(grid(), Qt::Key_Right, Qt::AltModifier);
        QTest::keyClick(grid(), Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(arranged(), QStringLiteral("A3 A4 A2 A5 A1 A6"));
        QTest::keyClick(grid(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(tagQuarter(3), 2);
        QTest::keyClick(grid(), Qt::Key_R);
        QCOMPARE(tagQuarter(3), 0);
        QTest::keyClick(grid(), Qt::Key_BracketRight, Qt::ControlModifier);
        QCOMPARE(tagQuarter(3), 1);
        QTest::keyClick(grid(), Qt::Key_R, Qt::ShiftModifier);
        click(QStringLiteral("Sağa döndür"));
        QCOMPARE(arranged(), QStringLiteral("A3 A4 A2 A1r2 A5 A6"));
        QCOMPARE(grid()->model()->index(3, 0).data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("Sayfa 4, döndürülmüş 180°"));
        QTest::keyClick(grid(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(organize().organizeSelected().size(), 6);
        QTest::keyClick(grid(), Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        const QString edited = arranged(); // the whole document cannot move: nothing changes
        QCOMPARE(edited, QStringLiteral("A3 A4 A2 A1r2 A5 A6"));
        for (int step = 0; step < 20 && organize().canUndo(); ++step) {
            QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
        }
        QCOMPARE(arranged(), start);
        QVERIFY(!button(QStringLiteral("Sıfırla"))->isEnabled());
        for (int step = 0; step < 20 && organize().canRedo(); ++step) {
            QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        }
        QCOMPARE(arranged(), edited);
        click(QStringLiteral("Geri al"));
        click(QStringLiteral("Yinele"));
        click(QStringLiteral("Sıfırla"));
        QCOMPARE(arranged(), start);
        QVERIFY(button(QStringLiteral("Geri al"))->isEnabled());
    }

    // Another PDF dropped between two cells joins there; the run and the extract write in order.
    void organizeInsertByDropAndExtract()
    {
        show(new OrganizeScreen(organize(), store()), {860, 640});
        store().addFiles({m_fixture->pdf("Rapor.pdf", 3)}, organize());
        QTRY_VERIFY(grid()->cellRect(2).isValid());
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(m_fixture->pdf("Ek.pdf", 2))});
        QVERIFY(dragAndDrop(&mime, onCell(1, false), 1));
        QCOMPARE(arranged(), QStringLiteral("A1 B1 B2 A2 A3"));
        QCOMPARE(grid()->model()->index(2, 0).data().toString(),
                 QStringLiteral("Sayfa 3 · Ek.pdf"));
        QCOMPARE(organize().organizeSelected(), (QSet<int>{1, 2})); // the new pages
        organize().setOrganizeSelected({});
        QVERIFY(!button(QStringLiteral("Seçilenleri ayrı kaydet…"))->isEnabled());
        organize().setOrganizeSelected({4, 1});
        const QString part = m_fixture->folder("out") + "/Parça.pdf";
        m_fixture->dialogs.saveAnswers << part;
        click(QStringLiteral("Seçilenleri ayrı kaydet…"));
        QVERIFY(m_fixture->waitIdle());
        QCOMPARE(Fixtures::readTags(part), (QStringList{"Ek-1", "Rapor-3"}));
        const QString whole = m_fixture->folder("out") + "/Tümü.pdf";
        m_fixture->dialogs.saveAnswers << whole;
        QTest::mouseClick(run(), Qt::LeftButton);
        QVERIFY(m_fixture->waitIdle());
        QCOMPARE(Fixtures::readTags(whole),
                 (QStringList{"Rapor-1", "Ek-1", "Ek-2", "Rapor-2", "Rapor-3"}));
    }

    void historyRowsShowEachRecord()
    {
        // Newest first: a merge, a split into five, a deletion (output gone), a half-gone signing.
        QStringList parts;
        for (int part = 1; part <= 5; ++part) {
            parts << output(QStringLiteral("Katalog %1.pdf").arg(part), QStringLiteral("parcalar"));
        }
        const QString out = m_fixture->folder("out");
        const auto record = [](const QDateTime& when, const char* tool, const QStringList& inputs,
                               const QStringList& outputs) {
            return HistoryItem{QUuid::createUuid(), when, tool, inputs, outputs};
        };
        AppData data = store().data();
        data.history = {record(clockNow.addSecs(-300), "merge", {"Rapor.pdf", "Ek.pdf"},
                               {output("Rapor birleşik.pdf")}),
                        record(clockNow.addDays(-1), "split", {"Katalog.pdf"}, parts),
                        record(clockNow.addDays(-3), "pages", {"Rapor.pdf"},
                               {out + "/Rapor düzenlenmiş.pdf"}),
                        record(clockNow.addDays(-20), "sign", {"Sözleşme.pdf", "Ek.pdf"},
                               {out + "/Sözleşme imzalı.pdf", output("Ek imzalı.pdf")})};
        store().setData(data);
        show(new HistoryScreen(store(), nullptr, [] { return clockNow; }), {820, 560});
        const QList<HistoryRow*> rows = history()->rows();
        QStringList titles;
        QStringList details;
        for (const HistoryRow* row : rows) {
            titles << fullText(row, QStringLiteral("title"));
            details << fullText(row, QStringLiteral("detail"));
        }
        QCOMPARE(titles, (QStringList{"Rapor birleşik.pdf", "5 dosya · parcalar",
                                      "Rapor düzenlenmiş.pdf", "2 dosya · out"}));
        QCOMPARE(details, (QStringList{"Birleştir · Rapor.pdf, Ek.pdf", "Böl · Katalog.pdf",
                                       "Sayfa sil · Dosya taşınmış ya da silinmiş",
                                       "İmzala · Sözleşme.pdf, Ek.pdf"}));
        const QString reveal = QStringLiteral(" | %1 dosya yöneticisinde göster");
        QCOMPARE(readList(m_screen.get(), QStringLiteral("Geçmiş kayıtları")),
                 (QStringList{"Birleştir, Rapor birleşik.pdf, 5 dakika önce" +
                                  reveal.arg("Rapor birleşik.pdf dosyasını") + " (selected)",
                              "Böl, 5 dosya · parcalar, dün" + reveal.arg("5 dosyayı"),
                              "Sayfa sil, Rapor düzenlenmiş.pdf, 3 gün önce, Dosya taşınmış ya da "
                              "silinmiş" +
                                  reveal.arg("Rapor düzenlenmiş.pdf dosyasını"),
                              "İmzala, 2 dosya · out, 2 hafta önce" + reveal.arg("2 dosyayı")}));

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

        // With no file manager to answer, the page says so and names where the files are.
        m_fixture->reveal.fails = true;
        QTest::mouseClick(revealOf(history()->rows().at(3)), Qt::LeftButton);
        const QString failed = QStringLiteral("Dosya yöneticisi açılamadı. Konum: ");
        QTRY_VERIFY(m_screen->findChild<BannerView*>());
        const auto* banner = m_screen->findChild<BannerView*>();
        QCOMPARE(banner->findChild<QLabel*>(QStringLiteral("text"))->text(),
                 failed + m_fixture->folder("out"));
        store().reveal({"/a/x.pdf", "/b/y.pdf", "/a/z.pdf"}, QStringLiteral("history"));
        QCOMPARE(store().banner(QStringLiteral("history"))->text, failed + "/a · /b");
        click(QStringLiteral("Kapat"));
        QVERIFY(!store().banner(QStringLiteral("history")));

        // Clearing asks, the safe answer first; it takes its banner with it but never the files.
        const auto clear = [this](bool confirm) {
            click(QStringLiteral("Geçmişi temizle…"));
            QMessageBox* box = history()->findChild<QMessageBox*>();
            QTRY_VERIFY(box && box->isVisible());
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("Vazgeç"));
            if (confirm) {
                QTest::mouseClick(Find::named<QPushButton>(box, "Temizle"), Qt::LeftButton);
            } else {
                QTest::keyClick(box, Qt::Key_Escape);
            }
            QTRY_VERIFY(!history()->findChild<QMessageBox*>());
        };
        QTest::mouseClick(revealOf(history()->rows().at(3)), Qt::LeftButton);
        QTRY_VERIFY(store().banner(QStringLiteral("history")));
        const QList<HistoryItem> records = store().data().history;
        clear(false);
        QCOMPARE(store().data().history, records);
        QVERIFY(m_screen->findChild<BannerView*>() &&
                !history()->findChild<EmptyState*>()->isVisible());
        clear(true);
        QVERIFY(store().data().history.isEmpty() &&
                history()->findChild<EmptyState*>()->isVisible());
        QTRY_VERIFY(!m_screen->findChild<BannerView*>());
        QCOMPARE(HistoryDisplay::existing(records.at(1)).size(), 5);
    }

    // Tab meets each page's controls as laid out, each showing its ring, and comes round again.
    void tabFollowsTheLayout_data()
    {
        QTest::addColumn<QStringList>("stops");
        for (const char* row :
             {"merge:PDF ekle|1. Rapor.pdf, 3 sayfa, 1 kB|Rapor.pdf sayfaları|Rapor.pdf dosyasını "
              "listeden kaldır|Ek.pdf sayfaları|Ek.pdf dosyasını listeden "
              "kaldır|Temizle|Birleştir…",
              "split:Başka dosya…|Rapor.pdf dosyasını kaldır|Sabit aralık|Her 2 sayfada bir "
              "böl|Böl…",
              "compress:PDF ekle|Rapor.pdf, 3 sayfa, 1 kB|Rapor.pdf dosyasını listeden kaldır|"
              "Ek.pdf dosyasını listeden kaldır|Dengeli|Temizle|Sıkıştır…",
              "pages:Seçimi ters çevir|Seçimi temizle|Başka dosya…|Rapor.pdf dosyasını "
              "kaldır|Sayfa 1|"
              "Seçili sayfaları sil…",
              "history:Geçmişi temizle…|Dosya yöneticisi açılamadı. Konum: OUT|Kapat|"
              "Birleştir, A.pdf, şimdi|"
              "A.pdf dosyasını dosya yöneticisinde göster"}) {
            const QString text = QString::fromUtf8(row);
            QTest::newRow(qPrintable(text.section(u':', 0, 0)))
                << text.section(u':', 1).split(u'|');
        }
    }
    void tabFollowsTheLayout()
    {
        QFETCH(QStringList, stops);
        show(loaded(QTest::currentDataTag()), {860, 640});
        activate();
        QApplication::focusWidget()->clearFocus();
        QStringList order;
        for (qsizetype stop = 0; stop <= stops.size(); ++stop) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                        : m_screen.get(),
                            Qt::Key_Tab);
            const QVariant ring = QApplication::focusWidget()->property("focusRing");
            order << AccessTree::name(AccessTree::focused())
                             .replace(m_fixture->folder(QStringLiteral("out")), "OUT") +
                         (ring.isValid() && !ring.toBool() ? " (no ring)" : "");
        }
        QCOMPARE(order, stops << stops.first());
    }

    // However a run starts, the focus waits on "Vazgeç" and comes back to the run button after
    // it, done, failed or cancelled: never on a control the user did not choose.
    void runKeepsTheFocus_data()
    {
        QTest::addColumn<QString>("start"); // menu: from "Temizle"; behind: a panel in front
        QTest::addColumn<QString>("end");   // leave: another page shows during the run
        for (const char* row :
             {"merge mouse done", "merge Space failure", "merge Enter cancel", "merge menu done",
              "merge behind done", "merge leave done", "split Space done", "split mouse failure",
              "split Enter cancel", "compress menu failure", "compress Space cancel",
              "compress Enter done", "pages Space done", "pages mouse cancel",
              "pages behind failure", "pages leave done"}) {
            QTest::newRow(row) << QString(row).section(u' ', 1, 1) << QString(row).section(u' ', 2);
        }
    }
    void runKeepsTheFocus()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        const QString tool = QString(QTest::currentDataTag()).section(u' ', 0, 0);
        auto* host = new QStackedWidget;
        host->addWidget(loaded(tool));
        host->addWidget(new Button(QStringLiteral("Başka")));
        show(host);
        activate();
        Fixtures::writeBytes(m_fixture->path("engel"), "x"); // a folder that is a file
        const QString target = m_fixture->path(end == "failure" ? "engel/cikti" : "cikti");
        m_fixture->dialogs.saveAnswers << target + ".pdf";
        m_fixture->dialogs.folderAnswers << target;
        (start == "menu" ? button(QStringLiteral("Temizle")) : run())->setFocus(Qt::TabFocusReason);
        AccessTree::EventLog log;
        QWidget panel; // the save panel, in front while the run begins
        panel.setVisible(start == "behind");
        panel.activateWindow();
        QVERIFY(start != "behind" || QTest::qWaitForWindowActive(&panel));
        if (start == "mouse") {
            QTest::mouseClick(run(), Qt::LeftButton);
        } else if (start == "menu" || start == "behind") { // what the window's action calls
            store().run(*store().tool(tool));
        } else {
            QTest::keyClick(run(), start == "Space" ? Qt::Key_Space : Qt::Key_Return);
        }
        panel.hide();
        activate();
        QCOMPARE(AccessTree::name(AccessTree::focused()), QStringLiteral("Vazgeç"));
        if (end == "cancel") {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        host->setCurrentIndex(start == "leave" ? 1 : 0);
        QVERIFY(m_fixture->waitIdle());
        const std::optional<Banner> banner = store().banner(tool);
        QCOMPARE(QString(banner ? banner->isError() ? "failure" : "done" : "cancel"), end);
        host->setCurrentIndex(0);
        QStringList focused = log.names(QAccessible::Focus);
        focused.removeDuplicates(); // the stack hands a page's focus on twice as it switches
        QCOMPARE(focused, QStringList{"Vazgeç"} +
                              QStringList{"Başka"}.mid(start == "leave" ? 0 : 1) +
                              QStringList{run()->text()});
        QCOMPARE(AccessTree::name(AccessTree::focused()), run()->text());
    }
};

QTEST_MAIN(ScreensTest)
#include "ScreensTest.moc"
