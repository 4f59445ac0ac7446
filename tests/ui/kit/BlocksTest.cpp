#include "Badge.h"
#include "Button.h"
#include "DropZone.h"
#include "FileRow.h"
#include "Fixtures.h"
#include "Icons.h"
#include "Labels.h"
#include "PageThumb.h"
#include "RunButton.h"
#include "SingleFileCard.h"
#include "Theme.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <poppler-qt6.h>

Q_DECLARE_METATYPE(AppSection)
Q_DECLARE_METATYPE(std::optional<AppSection>)

namespace {

struct Call {
    QUuid file;
    qint64 page;
    int side;
};

} // namespace

class BlocksTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    PDFFile m_file;

    FileDisplay display(QList<Call>* calls = nullptr) const
    {
        FileDisplay d;
        d.thumbnail = [calls](const PDFFile& file, qint64 page, int side) {
            if (calls) {
                calls->append({file.id, page, side});
            }
            if (page < 0 || page >= file.pageCount) {
                return QImage();
            }
            QImage image(side, side, QImage::Format_RGB32);
            image.fill(QColor(10, 20, 200));
            return image;
        };
        d.sizeText = [](qint64 bytes) { return QStringLiteral("%1 B").arg(bytes); };
        return d;
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<AppSection>();
        const QString path = m_dir.filePath(QStringLiteral("Rapor 2026 taslak.pdf"));
        Fixtures::writePdf(path, Fixtures::tagged(QStringLiteral("p"), 3));
        m_file.id = QUuid::createUuid();
        m_file.source.url = path;
        m_file.doc = std::shared_ptr<Poppler::Document>(Poppler::Document::load(path).release());
        m_file.pageCount = 3;
        m_file.bytes = 1234;
    }

    void runButtonEnablingAndProgress_data()
    {
        QTest::addColumn<bool>("ready");
        QTest::addColumn<std::optional<AppSection>>("busy");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("progress");
        QTest::newRow("ready, idle") << true << std::optional<AppSection>() << true << false;
        QTest::newRow("not ready, idle") << false << std::optional<AppSection>() << false << false;
        QTest::newRow("ready, own tool running")
            << true << std::optional(AppSection::merge) << false << true;
        QTest::newRow("ready, other tool running")
            << true << std::optional(AppSection::split) << false << false;
        QTest::newRow("not ready, own tool running")
            << false << std::optional(AppSection::merge) << false << true;
    }

    void runButtonEnablingAndProgress()
    {
        QFETCH(bool, ready);
        QFETCH(std::optional<AppSection>, busy);
        QFETCH(bool, enabled);
        QFETCH(bool, progress);
        RunButton button(AppSection::merge, QStringLiteral("Birleştir…"));
        QSignalSpy runs(&button, &RunButton::runRequested);
        button.setReady(ready);
        button.setBusySection(busy);
        button.show();
        QCOMPARE(button.isEnabled(), enabled);
        QCOMPARE(button.showsProgress(), progress);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(runs.size(), enabled ? 1 : 0);
        if (enabled) {
            QCOMPARE(runs.at(0).at(0).value<AppSection>(), AppSection::merge);
        }
    }

    void runButtonRecoversAfterTheRun()
    {
        RunButton button(AppSection::compress, QStringLiteral("Sıkıştır…"));
        button.setReady(true);
        const int idleWidth = button.sizeHint().width();
        button.setBusySection(AppSection::compress);
        QVERIFY(button.sizeHint().width() > idleWidth); // room for the indicator
        button.setBusySection(std::nullopt);
        QVERIFY(button.isEnabled());
        QVERIFY(!button.showsProgress());
        QCOMPARE(button.sizeHint().width(), idleWidth);
    }

    void fileRowShowsTheFile()
    {
        QList<Call> calls;
        FileRow row(m_file, 2, display(&calls));
        row.resize(500, 60);
        row.show();
        QCOMPARE(row.findChild<QLabel*>(QStringLiteral("index"))->text(), QStringLiteral("2"));
        auto* name = row.findChild<ElidedLabel*>(QStringLiteral("name"));
        QCOMPARE(name->fullText(), QStringLiteral("Rapor 2026 taslak.pdf"));
        QCOMPARE(row.findChild<QLabel*>(QStringLiteral("details"))->text(),
                 QStringLiteral("Sayfa: 3 · 1234 B"));
        QCOMPARE(row.removeButton()->toolTip(), QStringLiteral("Listeden çıkar"));
        QTRY_COMPARE(calls.size(), 1);
        QCOMPARE(calls[0].file, m_file.id);
        QCOMPARE(calls[0].page, 0);
        QCOMPARE(calls[0].side, qRound(48 * row.devicePixelRatioF()));

        QSignalSpy removed(&row, &FileRow::removeRequested);
        QTest::mouseClick(row.removeButton(), Qt::LeftButton);
        QCOMPARE(removed.size(), 1);
    }

    void fileRowWithoutIndexOrStatus()
    {
        FileRow row(m_file, std::nullopt, display());
        QVERIFY(!row.findChild<QLabel*>(QStringLiteral("index")));
        QVERIFY(!row.statusBadge());
        const QColor up = DS::up(row.palette());
        row.setStatus(QStringLiteral("→ 800 B"), up);
        QVERIFY(row.statusBadge());
        QCOMPARE(row.statusBadge()->text(), QStringLiteral("→ 800 B"));
        QCOMPARE(row.statusBadge()->tint(), up);
        row.setStatus(QStringLiteral("Küçülmedi"), Theme::secondary(row.palette()));
        QCOMPARE(row.findChildren<Badge*>().size(), 1);
        QCOMPARE(row.statusBadge()->text(), QStringLiteral("Küçülmedi"));
        row.setStatus(std::nullopt);
        QVERIFY(!row.statusBadge());
    }

    void namesAreShortenedInTheMiddle()
    {
        ElidedLabel label(QStringLiteral("çok uzun bir dosya adı olan belge sonu.pdf"), TextStyle::body,
                          Tone::primary);
        label.resize(120, 20);
        const QString shown = label.shownText();
        QVERIFY(shown.contains(QStringLiteral("…")));
        QVERIFY(shown.startsWith(QStringLiteral("ço")));
        QVERIFY(shown.endsWith(QStringLiteral(".pdf")));
    }

    void thumbLoadsThePageImage()
    {
        PageThumb thumb(m_file, 1, 60, display().thumbnail);
        thumb.resize(44, 58);
        QSignalSpy loaded(&thumb, &PageThumb::loaded);
        thumb.show();
        QTRY_COMPARE(loaded.size(), 1);
        QVERIFY(thumb.hasImage());
        const QPoint centre = thumb.pageRect().center().toPoint();
        QCOMPARE(thumb.grab().toImage().pixelColor(centre), QColor(10, 20, 200));
        // Letter pages are narrower than the frame: the box keeps the page's shape.
        QVERIFY(qAbs(thumb.pageRect().width() / thumb.pageRect().height() - 612.0 / 792) < 0.02);
    }

    void missingPageShowsOnlyPaper()
    {
        PageThumb thumb(m_file, 7, 60, display().thumbnail);
        thumb.resize(44, 58);
        QSignalSpy loaded(&thumb, &PageThumb::loaded);
        thumb.show();
        QTRY_COMPARE(loaded.size(), 1);
        QVERIFY(!thumb.hasImage());
        QCOMPARE(thumb.grab().toImage().pixelColor(thumb.pageRect().center().toPoint()),
                 DS::paper());
    }

    void thumbReloadsWhenThePageChanges()
    {
        QList<Call> calls;
        PageThumb thumb(m_file, 0, 60, display(&calls).thumbnail);
        thumb.show();
        QTRY_COMPARE(calls.size(), 1);
        thumb.setPage(m_file, 0);
        thumb.setPage(m_file, 2);
        QTRY_COMPARE(calls.size(), 2);
        QCOMPARE(calls[1].page, 2);
    }

    void singleFileCardActions()
    {
        SingleFileCard card(m_file, AppSection::pages, display());
        QSignalSpy open(&card, &SingleFileCard::openRequested);
        QSignalSpy clear(&card, &SingleFileCard::clearRequested);
        card.resize(600, 90);
        card.show();
        QCOMPARE(card.otherButton()->text(), QStringLiteral("Başka dosya…"));
        QCOMPARE(card.removeButton()->toolTip(), QStringLiteral("Dosyayı kaldır"));
        QCOMPARE(card.findChild<QLabel*>(QStringLiteral("details"))->text(),
                 QStringLiteral("Sayfa: 3 · 1234 B"));
        QTest::mouseClick(card.otherButton(), Qt::LeftButton);
        QTest::mouseClick(card.removeButton(), Qt::LeftButton);
        QCOMPARE(open.size(), 1);
        QCOMPARE(open.at(0).at(0).value<AppSection>(), AppSection::pages);
        QCOMPARE(clear.size(), 1);
        QCOMPARE(clear.at(0).at(0).value<AppSection>(), AppSection::pages);
    }

    void dropZoneOffersTheOpenPanel()
    {
        DropZone zone(QStringLiteral("scissors"), QStringLiteral("Bölünecek PDF'i buraya bırak"),
                      QStringLiteral("Her sayfayı ayrı dosya yapabilir."));
        zone.resize(600, 400);
        zone.show();
        QSignalSpy choose(&zone, &DropZone::chooseRequested);
        QCOMPARE(zone.chooseButton()->text(), QStringLiteral("Dosya seç…"));
        QTest::mouseClick(zone.chooseButton(), Qt::LeftButton);
        QCOMPARE(choose.size(), 1);
        // The dashed frame keeps 24 to the sides and 16 to the bottom.
        const QRectF frame = zone.frameRect();
        QCOMPARE(qRound(frame.left() - 0.75), 24);
        QCOMPARE(qRound(zone.width() - frame.right() - 0.75), 24);
        QCOMPARE(qRound(zone.height() - frame.bottom() - 0.75), 16);
    }

    void everySymbolTheScreensUseIsBundled()
    {
        const QStringList used = {
            "arrow.down.circle.fill", "arrow.down.right.and.arrow.up.left", "arrow.triangle.merge",
            "checkmark.circle.fill", "chevron.left", "chevron.right", "clock.arrow.circlepath",
            "doc", "doc.text", "exclamationmark.triangle.fill", "externaldrive", "gearshape",
            "info.circle", "lock.shield", "magnifyingglass", "plus", "rectangle.stack.badge.minus",
            "scissors", "signature", "trash", "trash.circle.fill", "xmark", "xmark.circle.fill"};
        QCOMPARE(Icons::names(), used);
        for (const QString& name : used) {
            QVERIFY2(!Icons::image(name, Qt::black, 24).isNull(), qPrintable(name));
        }
        QVERIFY(Icons::image(QStringLiteral("no.such.symbol"), Qt::black, 24).isNull());
    }

    void symbolsAreTintedAndFilledOnesKnockOutTheirGlyph()
    {
        const QColor red(220, 30, 40);
        const QImage disc = Icons::image(QStringLiteral("xmark.circle.fill"), red, 96);
        // The ring of the disc carries the tint; the cross at the centre is see-through.
        const QColor ring = disc.pixelColor(48, 10);
        QCOMPARE(ring.alpha(), 255);
        QCOMPARE(ring.rgb(), red.rgb());
        QCOMPARE(disc.pixelColor(48, 48).alpha(), 0);
        QCOMPARE(disc.pixelColor(0, 0).alpha(), 0);

        const QImage plus = Icons::image(QStringLiteral("plus"), red, 96);
        QCOMPARE(plus.pixelColor(48, 48).rgb(), red.rgb());
        QCOMPARE(plus.pixelColor(10, 10).alpha(), 0);

        // A lighter weight draws thinner strokes.
        const auto inked = [](const QImage& image) {
            int count = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    count += image.pixelColor(x, y).alpha() > 128;
                }
            }
            return count;
        };
        QVERIFY(inked(Icons::image(QStringLiteral("scissors"), red, 96, SymbolWeight::light)) <
                inked(Icons::image(QStringLiteral("scissors"), red, 96, SymbolWeight::semibold)));
    }

    void badgeIsPaddedAroundItsText()
    {
        Badge badge(QStringLiteral("12"), DS::up(QPalette()));
        const QFontMetricsF metrics(Theme::monospacedDigits(Theme::systemFont(11, QFont::Medium)));
        QCOMPARE(badge.sizeHint().width(), qCeil(metrics.horizontalAdvance(QStringLiteral("12")) + 12));
        QCOMPARE(badge.sizeHint().height(), qCeil(metrics.height()) + 4);
        Badge withIcon(QStringLiteral("12"), DS::up(QPalette()), QStringLiteral("plus"));
        QVERIFY(withIcon.sizeHint().width() > badge.sizeHint().width());
    }

    void tokensFollowThePalette()
    {
        const QPalette light = Theme::palette(Appearance::light);
        const QPalette dark = Theme::palette(Appearance::dark);
        QVERIFY(!Theme::isDark(light));
        QVERIFY(Theme::isDark(dark));
        QCOMPARE(DS::surface(light), light.color(QPalette::Base));
        QCOMPARE(DS::canvas(dark), dark.color(QPalette::Window));
        QVERIFY(qAbs(DS::hairline(dark).alphaF() - 0.08F) < 0.002F);
        QCOMPARE(DS::hairline(dark).rgb(), dark.color(QPalette::WindowText).rgb());
        QVERIFY(DS::up(light) != DS::up(dark));
        QCOMPARE(DS::paperEdge().rgba(), QColor(0, 0, 0, qRound(0.14 * 255)).rgba());
        QCOMPARE(Brand::crimson(), QColor::fromRgbF(0.76F, 0.13F, 0.18F));
        QVERIFY(Theme::font(TextStyle::title2).pointSizeF() > Theme::font(TextStyle::body).pointSizeF());
        QVERIFY(Theme::font(TextStyle::caption).pointSizeF() < Theme::font(TextStyle::callout).pointSizeF());
        QCOMPARE(Theme::font(TextStyle::headline).weight(), QFont::DemiBold);
    }

    void secondaryLabelsFollowAnAppearanceChange()
    {
        QWidget host;
        host.setPalette(Theme::palette(Appearance::light));
        auto* label = Labels::overline(QStringLiteral("Düzey"), &host);
        const QColor before = label->palette().color(QPalette::WindowText);
        host.setPalette(Theme::palette(Appearance::dark));
        const QColor after = label->palette().color(QPalette::WindowText);
        QVERIFY(before != after);
        QCOMPARE(after, Theme::secondary(Theme::palette(Appearance::dark)));
        QCOMPARE(label->font().weight(), QFont::Medium);
    }
};

QTEST_MAIN(BlocksTest)
#include "BlocksTest.moc"
