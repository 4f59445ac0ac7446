#include "AccessTree.h"
#include "Contrast.h"
#include "Fixtures.h"
#include "core/AppLanguage.h"
#include "ui/kit/AlertLabel.h"
#include "ui/kit/Badge.h"
#include "ui/kit/BannerView.h"
#include "ui/kit/BrandHeader.h"
#include "ui/kit/Compositing.h"
#include "ui/kit/ControlStyle.h"
#include "ui/kit/FileDisplay.h"
#include "ui/kit/FileRow.h"
#include "ui/kit/FlowGrid.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Labels.h"
#include "ui/kit/PageThumb.h"
#include "ui/kit/RelativeDate.h"
#include "ui/kit/RunButton.h"
#include "ui/kit/SegmentedControl.h"
#include "ui/kit/StepperControl.h"
#include "ui/kit/TipPanel.h"
#include "ui/kit/TipPlacement.h"
#include "ui/kit/ToolPage.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

Q_DECLARE_METATYPE(Appearance)
Q_DECLARE_METATYPE(TextStyle)

namespace {

// A window in `appearance` that paints its own background, as the main window does.
std::unique_ptr<QWidget> windowIn(Appearance appearance)
{
    auto window = std::make_unique<QWidget>();
    window->setPalette(Theme::palette(appearance));
    window->setAutoFillBackground(true);
    return window;
}

// Separate runs of ink down the first inked columns: "I" has one, a dotted "İ" two.
int inkRuns(const QImage& image, const QColor& paper)
{
    const auto ink = [&](int x, int y) {
        return Contrast::ratio(image.pixelColor(x, y), paper) > 1.6;
    };
    int first = -1;
    for (int x = 0; x < image.width() && first < 0; ++x) {
        for (int y = 0; y < image.height() && first < 0; ++y) {
            first = ink(x, y) ? x : -1;
        }
    }
    int most = 0;
    for (int x = std::max(first, 0); x < std::min(first + 3, image.width()); ++x) {
        int runs = 0;
        bool inside = false;
        for (int y = 0; y < image.height(); ++y) {
            runs += ink(x, y) && !inside;
            inside = ink(x, y);
        }
        most = std::max(most, runs);
    }
    return most;
}

} // namespace

Q_DECLARE_METATYPE(AppLanguage)

// The kit's controls on their own; drops on a tool page are ScreensTest's.
class KitTest : public QObject {
    Q_OBJECT

private slots:
    // A spinner first, then a rounded-down percentage; Escape cancels only its own tool's run.
    void runButtonShowsProgressAndCancels()
    {
        QWidget bar;
        auto* row = new QHBoxLayout(&bar);
        auto* run = new RunButton(QStringLiteral("merge"), QStringLiteral("Birleştir…"));
        run->addTo(*row);
        run->setReady(true);
        bar.show();
        QVERIFY(QTest::qWaitForWindowActive(&bar));
        QSignalSpy cancelled(run, &RunButton::cancelRequested);
        run->setBusyTool(QStringLiteral("split"));
        QVERIFY(!run->isEnabled());
        QVERIFY(!run->cancelButton()->isVisible());

        QElapsedTimer clock;
        clock.start();
        run->setBusyTool(QStringLiteral("merge"));
        run->setProgress(2, 3);
        if (clock.elapsed() < RunButton::determinateAfterMs) {
            QCOMPARE(run->busyFraction(), std::nullopt);
        }
        AccessTree::EventLog log;
        QTRY_VERIFY(run->busyFraction().has_value());
        QCOMPARE(run->busyPercent(), QStringLiteral("%66")); // rounded down, never ahead
        run->setProgress(20, 30);                            // the same count: nothing new to say
        run->setProgress(5, 6);
        QCOMPARE(log.names(QAccessible::NameChanged),
                 QStringList({"Birleştir…, %66", "Birleştir…, %83"}));
        QVERIFY(!AccessTree::of(run)->valueInterface());
        QTest::keyClick(&bar, Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);

        run->setBusyTool(std::nullopt);
        QVERIFY(run->isEnabled() && !run->cancelButton()->isVisible());
        QCOMPARE(run->busyFraction(), std::nullopt);
        QTest::keyClick(&bar, Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
    }

    // The custom-drawn controls as a screen reader meets them: role, name, checked state, value.
    void controlsDescribeThemselves()
    {
        QWidget window;
        auto* column = new QVBoxLayout(&window);
        auto* levels = new SegmentedControl({"Hafif", "Dengeli", "Güçlü"});
        auto* stepper = new StepperControl;
        auto* badge = new Badge(QStringLiteral("2"), Qt::red);
        for (QWidget* control : {static_cast<QWidget*>(levels), static_cast<QWidget*>(stepper)}) {
            auto* label = new QLabel(control == levels ? QStringLiteral("Seviye") : "Sayfa");
            label->setBuddy(control);
            column->addWidget(label);
            column->addWidget(control);
        }
        column->addWidget(badge);
        stepper->setRange(1, 9);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QAccessibleInterface* group = AccessTree::of(levels);
        const struct {
            QAccessibleInterface* node;
            QAccessible::Role role;
            const char* name;
            bool checked;
        } rows[] = {{group, QAccessible::Grouping, "Seviye", false},
                    {group->child(0), QAccessible::RadioButton, "Hafif", true},
                    {group->child(2), QAccessible::RadioButton, "Güçlü", false},
                    {AccessTree::of(stepper), QAccessible::SpinBox, "Sayfa", false},
                    {AccessTree::of(badge), QAccessible::StaticText, "2", false}};
        for (const auto& row : rows) {
            QCOMPARE(row.node->role(), row.role);
            QCOMPARE(AccessTree::name(row.node), QString::fromUtf8(row.name));
            QCOMPARE(bool(row.node->state().checked), row.checked);
        }
        QCOMPARE(group->relations(QAccessible::Label).size(), 1);

        // Arrow keys and a screen reader's actions choose; each move says which choice it left.
        stepper->setFocus();
        AccessTree::EventLog log;
        levels->setFocus(Qt::TabFocusReason);
        // The chosen segment's focus follows the control's own, where a screen reader lands.
        QTRY_COMPARE(log.names(QAccessible::Focus).last(), QStringLiteral("Hafif"));
        QTest::keyClick(levels, Qt::Key_Right);
        QVERIFY(group->child(1)->state().checked && group->child(1)->state().focused);
        QCOMPARE(AccessTree::name(AccessTree::focused()), QStringLiteral("Dengeli"));
        QCOMPARE(log.names(QAccessible::StateChanged), QStringList({"Hafif", "Dengeli"}));
        group->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(levels->currentIndex(), 2);

        QSignalSpy stepped(stepper, &StepperControl::stepped);
        QAccessibleValueInterface* value = AccessTree::of(stepper)->valueInterface();
        QCOMPARE(QVariantList({value->minimumValue(), value->maximumValue()}),
                 QVariantList({1, 9}));
        value->setCurrentValue(12);
        QTest::keyClick(stepper->field(), Qt::Key_Down);
        QCOMPARE(stepped.count(), 2);
        QCOMPARE(value->currentValue(), QVariant(8));
        QCOMPARE(log.names(QAccessible::ValueChanged), QStringList({"Sayfa", "Sayfa"}));
    }

    // A banner is spoken whole as it appears or replaces another, once; its text comes first
    // on the page, then its actions and "Kapat", then the content it speaks of.
    void bannersAndErrorsAreAnnounced()
    {
        ToolPage page({QStringLiteral("merge"), QStringLiteral("Birleştir"), {}, {}});
        auto* content = new QPushButton(QStringLiteral("İçerik"));
        page.setContent(content);
        const QString text = "Hazır: " + QString(300, u'u') + ".pdf";
        page.setBanner(Banner{text, {QStringLiteral("/tmp/a.pdf")}});
        page.resize(500, 400);
        AccessTree::EventLog log;
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        content->setFocus(Qt::TabFocusReason);
        QCOMPARE(AccessTree::tabOrder(5),
                 QStringList({text, "Aç", "Finder'da göster", "Kapat", "İçerik"}));
        QCOMPARE(AccessTree::of(page.bannerView())->role(), QAccessible::AlertMessage);
        page.hide();
        page.show();
        page.setBanner(Banner{QStringLiteral("Açılamadı."), {}, Banner::Kind::error});
        QTRY_COMPARE(log.names(QAccessible::Alert), QStringList({text, "Açılamadı."}));

        // An inline error: spoken as it shows and as it changes, not as it shows again.
        log.clear();
        auto* error = new AlertLabel(TextStyle::body, Tone::down, content);
        for (const char* message : {"", "Aralık yok.", "Aralık yok.", "Sayfa 9 yok."}) {
            error->setMessage(QString::fromUtf8(message));
        }
        content->hide();
        content->show();
        QCOMPARE(log.names(QAccessible::Alert), QStringList({"Aralık yok.", "Sayfa 9 yok."}));
        QCOMPARE(AccessTree::of(error)->role(), QAccessible::AlertMessage);
    }

    // Loaded once; another page is loaded anew, the same page is not.
    void thumbLoadsItsPageOnce()
    {
        QTemporaryDir folder;
        PDFFile file;
        file.source.path = folder.filePath(QStringLiteral("Rapor.pdf"));
        Fixtures::writePdf(file.source.path, Fixtures::tagged(QStringLiteral("p"), 3));
        file.pageSizes = QList<QSizeF>(3, QSizeF(612, 792));
        file.pageCount = 3;
        QList<qint64> asked; // pages whose thumbnails were asked for
        PageThumb thumb(file, 1, 60, [&asked](const PDFFile&, qint64 page, int side) {
            asked << page;
            QImage image(side, side, QImage::Format_RGB32);
            image.fill(QColor(10, 20, 200));
            return image;
        });
        thumb.resize(44, 58);
        QSignalSpy loaded(&thumb, &PageThumb::loaded);
        thumb.show();
        QTRY_COMPARE(loaded.size(), 1);
        QVERIFY(thumb.hasImage());
        // Letter pages are narrower than the frame: the box keeps the page's shape.
        QVERIFY(qAbs(thumb.pageRect().width() / thumb.pageRect().height() - 612.0 / 792) < 0.02);
        thumb.setPage(file, 1);
        thumb.setPage(file, 2);
        QTRY_COMPARE(asked, (QList<qint64>{1, 2}));
    }

    // Pages counted the interface language's way (the grouping rules are FormattingTest's).
    void fileRowCountsPagesInTheInterfaceLanguage_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<qint64>("pages");
        QTest::addColumn<QString>("details");
        QTest::newRow("tr grouped") << AppLanguage::tr << qint64(3510) << "Sayfa: 3.510 · 1,2 MB";
        QTest::newRow("en grouped")
            << AppLanguage::en << qint64(14'040) << "Pages: 14,040 · 1.2 MB";
        QTest::newRow("es grouped")
            << AppLanguage::es << qint64(14'040) << "Páginas: 14.040 · 1,2 MB";
    }
    void fileRowCountsPagesInTheInterfaceLanguage()
    {
        QFETCH(AppLanguage, language);
        QFETCH(qint64, pages);
        QFETCH(QString, details);
        AppLanguages::installTranslator(*QCoreApplication::instance(), language);
        const auto back = qScopeGuard([] {
            AppLanguages::installTranslator(*QCoreApplication::instance(), AppLanguage::tr);
        });
        PDFFile file;
        file.source.path = QStringLiteral("/belgeler/Rapor.pdf");
        file.pageCount = pages;
        file.bytes = 1'234'567;
        const FileRow row(file, 1, FileDisplay{});
        QCOMPARE(row.findChild<QLabel*>(QStringLiteral("details"))->text(), details);
    }

    // Shown after a rest, gone on leaving or hiding, never taking the focus from a field.
    void hoverTipShowsOnRestAndHides()
    {
        HoverTips::install();
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("A"), &window);
        button->setToolTip(QStringLiteral("plain"));
        auto* field = new QLineEdit(&window);
        window.show();
        window.activateWindow();
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QVERIFY(QApplication::sendEvent(button, &help));
        QVERIFY(!TipPanel::shared()->isVisible());
        QEvent enterEvent(QEvent::Enter);
        QApplication::sendEvent(button, &enterEvent);
        QTRY_VERIFY(TipPanel::shared()->isVisible());
        QCOMPARE(TipPanel::shared()->text(), QStringLiteral("plain"));
        QCOMPARE(QApplication::focusWidget(), field);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        QVERIFY(!TipPanel::shared()->isVisible());
        QApplication::sendEvent(button, &enterEvent);
        QTRY_VERIFY(TipPanel::shared()->isVisible());
        window.hide();
        QVERIFY(!TipPanel::shared()->isVisible());
    }

    void tipPlacement_data()
    {
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<QSizeF>("tip");
        QTest::addColumn<QRectF>("visible");
        QTest::addColumn<QPointF>("origin");
        QTest::addColumn<bool>("arrowUp");
        const QRectF screen(0, 0, 1440, 900);
        QTest::newRow("fits exactly at the bottom")
            << QPointF(700, 840) << QSizeF(100, 40) << screen << QPointF(650, 860) << true;
        QTest::newRow("one point too low: above")
            << QPointF(700, 841) << QSizeF(100, 40) << screen << QPointF(650, 799) << false;
        QTest::newRow("second screen to the right, left edge")
            << QPointF(1445, 100) << QSizeF(100, 40) << QRectF(1440, 0, 1920, 1080)
            << QPointF(1444, 120) << true;
        QTest::newRow("wider than the screen: right edge wins")
            << QPointF(50, 100) << QSizeF(300, 40) << QRectF(0, 0, 200, 400) << QPointF(-104, 120)
            << true;
    }
    void tipPlacement()
    {
        QFETCH(QPointF, pointer);
        QFETCH(QSizeF, tip);
        QFETCH(QRectF, visible);
        QFETCH(QPointF, origin);
        QFETCH(bool, arrowUp);
        const TipPlacement placement = TipGeometry::place(pointer, tip, visible);
        QCOMPARE(placement.origin, origin);
        QCOMPARE(placement.arrowUp, arrowUp);
    }

    // As many equal columns as fit at the minimum width, never more than there are cells.
    void flowGridColumns_data()
    {
        QTest::addColumn<qreal>("width");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("columns");
        QTest::addColumn<qreal>("cellWidth");
        QTest::newRow("exact fit of four") << 344.0 << 4 << 4 << 80.0;
        QTest::newRow("one short of four") << 343.0 << 4 << 3 << (343.0 - 16) / 3;
        QTest::newRow("limited by the items") << 1000.0 << 2 << 2 << 496.0;
    }
    void flowGridColumns()
    {
        QFETCH(qreal, width);
        QFETCH(int, items);
        QFETCH(int, columns);
        QFETCH(qreal, cellWidth);
        const FlowGrid::Columns result = FlowGrid::columns(width, items, 80, 8);
        QCOMPARE(result.count, columns);
        QVERIFY(qAbs(result.cellWidth - cellWidth) < 1e-9);
    }

    void relativeDate_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("expected");
        const QDateTime now(QDate(2026, 3, 15), QTime(12, 0, 0));
        QTest::newRow("same moment") << now << now << "şimdi";
        QTest::newRow("minutes round down")
            << now.addSecs(-(42 * 60 + 59)) << now << "42 dakika önce";
        QTest::newRow("almost a day")
            << now.addSecs(-(23 * 3600 + 59 * 60)) << now << "23 saat önce";
        QTest::newRow("a day and hours") << now.addSecs(qint64{-47} * 3600) << now << "dün";
        QTest::newRow("four months") << now.addMonths(-4).addDays(-3) << now << "4 ay önce";
        QTest::newRow("tomorrow") << now.addDays(1) << now << "yarın";
        // Months are calendar months: from the last of January one is over on the last of February.
        const QDateTime january(QDate(2026, 1, 31), QTime(9, 0));
        QTest::newRow("end of january to march 1") << january << january.addDays(29) << "geçen ay";
        QTest::newRow("end of january to february 27")
            << january << january.addDays(27) << "3 hafta önce";
        const QDateTime leapDay(QDate(2024, 2, 29), QTime(9, 0));
        QTest::newRow("leap day to february 28") << leapDay << leapDay.addDays(365) << "geçen yıl";
    }
    void relativeDate()
    {
        QFETCH(QDateTime, date);
        QFETCH(QDateTime, now);
        QFETCH(QString, expected);
        QCOMPARE(RelativeDate::text(date, now), expected);
    }

    // A box's edge and a Tab focus ring, beside the blue run button and around the brand mark,
    // read at 3 : 1 on the window (a dark unticked box was the window's colour).
    void edgesShowAgainstTheWindow_data()
    {
        QTest::addColumn<Appearance>("appearance");
        QTest::addColumn<QString>("control");
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            for (const char* control :
                 {"unticked", "ticked", "disabled", "run ring", "brand ring"}) {
                QTest::addRow("%s %s", appearance == Appearance::dark ? "dark" : "light", control)
                    << appearance << QString::fromLatin1(control);
            }
        }
    }
    void edgesShowAgainstTheWindow()
    {
        QFETCH(Appearance, appearance);
        QFETCH(QString, control);
        QApplication::setStyle(new ControlStyle);
        const auto window = windowIn(appearance);
        const QColor canvas = DS::canvas(window->palette());
        QPoint edge;
        if (!control.endsWith(QLatin1String("ring"))) {
            const bool ticked = control == QLatin1String("ticked");
            auto* box = new QCheckBox(QStringLiteral("Göster"), window.get());
            box->move(10, 10);
            box->setEnabled(control != QLatin1String("disabled"));
            window->resize(200, 60);
            window->show();
            if (ticked) {
                QTest::mouseClick(box, Qt::LeftButton);
            }
            QCOMPARE(box->isChecked(), ticked);
            QStyleOptionButton option;
            option.initFrom(box);
            const QRect indicator = box->style()
                                        ->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box)
                                        .translated(box->pos());
            // A ticked box shows by its fill (clear of the tick), an unticked one by its outline.
            edge = ticked ? indicator.topLeft() + QPoint(3, 3)
                          : QPoint(indicator.left(), indicator.center().y());
            const QPoint beside(indicator.left() - 2, indicator.center().y());
            QCOMPARE(window->grab().toImage().pixelColor(beside), canvas);
        } else {
            auto* column = new QVBoxLayout(window.get());
            auto* field = new QLineEdit(window.get());
            column->addWidget(field);
            QWidget* target = nullptr;
            if (control == QLatin1String("run ring")) {
                auto* run = new RunButton(QStringLiteral("merge"), QStringLiteral("Birleştir…"));
                column->addWidget(run);
                run->setReady(true);
                target = run;
            } else {
                auto* header = new BrandHeader(QStringLiteral("1.0"));
                column->addWidget(header);
                target = header->findChild<QAbstractButton*>(QStringLiteral("about"));
            }
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            field->setFocus();
            edge = target->mapTo(window.get(), QPoint(0, target->height() / 2));
            QCOMPARE(window->grab().toImage().pixelColor(edge), canvas);
            QTest::keyClick(field, Qt::Key_Tab);
            QVERIFY(target->hasFocus());
        }
        const double ratio = Contrast::ratio(window->grab().toImage().pixelColor(edge), canvas);
        QVERIFY2(ratio >= 3.0, qPrintable(QString::number(ratio)));
    }

    // The dot of a capital "İ" survives every small label style and weight as laid out.
    void dottedCapitalKeepsItsDot_data()
    {
        QTest::addColumn<TextStyle>("style");
        QTest::addColumn<QFont::Weight>("weight");
        QTest::addColumn<bool>("elided");
        for (const TextStyle style : {TextStyle::caption, TextStyle::subheadline,
                                      TextStyle::callout, TextStyle::body, TextStyle::title2}) {
            for (const QFont::Weight weight : {QFont::Normal, QFont::Medium, QFont::DemiBold}) {
                QTest::addRow("style %d, %d", int(style), int(weight)) << style << weight << false;
            }
            QTest::addRow("style %d, elided", int(style)) << style << QFont::Normal << true;
        }
    }
    void dottedCapitalKeepsItsDot()
    {
        QFETCH(TextStyle, style);
        QFETCH(QFont::Weight, weight);
        QFETCH(bool, elided);
        const auto window = windowIn(Appearance::light);
        const auto runs = [&](const QString& text) {
            ToneLabel* label =
                elided ? new ElidedLabel(text, style, Tone::primary, Qt::ElideRight, window.get())
                       : Labels::text(text, style, Tone::primary, window.get());
            label->setFont(Theme::font(style, weight));
            // Exactly as tall as it asks to be: the most a layout gives a one-line label.
            window->setFixedSize(label->sizeHint());
            label->setGeometry(QRect(QPoint(), label->sizeHint()));
            label->show();
            window->show();
            const int found = inkRuns(window->grab().toImage(), DS::canvas(window->palette()));
            delete label;
            return found;
        };
        QCOMPARE(runs(QStringLiteral("Imza")), 1);
        QCOMPARE(runs(QStringLiteral("İmza")), 2);
    }

    // Without a compositor the tip is an opaque square: clear corners would come out black.
    void tipPanelFollowsCompositing_data()
    {
        QTest::addColumn<bool>("composited");
        QTest::newRow("compositor") << true;
        QTest::newRow("no compositor") << false;
    }
    void tipPanelFollowsCompositing()
    {
        QFETCH(bool, composited);
        Compositing::setOverride(composited);
        const auto restore = qScopeGuard([] { Compositing::setOverride(std::nullopt); });
        TipPanel* panel = TipPanel::shared();
        panel->showText(QStringLiteral("Ayarlar"), QPoint(300, 300));
        QCOMPARE(panel->isOpaque(), !composited);
        panel->setFade(1.0);
        const QImage shown = panel->grab().toImage();
        const QRect area = shown.rect();
        for (const QPoint corner :
             {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()}) {
            QCOMPARE(shown.pixelColor(corner).alpha(), composited ? 0 : 255);
        }
        panel->orderOut();
    }
};

QTEST_MAIN(KitTest)
#include "KitTest.moc"
