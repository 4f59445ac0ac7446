#include "BannerView.h"
#include "CompressScreen.h"
#include "FileList.h"
#include "MergeScreen.h"
#include "PageThumb.h"
#include "SplitScreen.h"
#include "RenderSupport.h"
#include "StoreTestCase.h"

#include <QApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

namespace {

// A document that looks like one in a thumbnail: a coloured heading band, a title and text lines.
void writeDocument(const QString& path, int pages, const QColor& accent)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    const QRect page = painter.viewport();
    for (int index = 0; index < pages; ++index) {
        if (index > 0) {
            writer.newPage();
        }
        painter.fillRect(QRect(0, 0, page.width(), page.height() / 9), accent);
        painter.setPen(Qt::white);
        QFont title = painter.font();
        title.setPointSize(22);
        title.setBold(true);
        painter.setFont(title);
        painter.drawText(QRect(40, 0, page.width() - 80, page.height() / 9),
                         Qt::AlignVCenter, QStringLiteral("Sayfa %1").arg(index + 1));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x33, 0x33, 0x38));
        for (int line = 0; line < 22; ++line) {
            const int width = (page.width() - 80) * (line % 5 == 4 ? 55 : 92 + line % 3 * 2) / 100;
            painter.drawRect(40, page.height() / 9 + 40 + line * 28, width, 8);
        }
        painter.setBrush(QColor(accent.red(), accent.green(), accent.blue(), 70));
        painter.drawRect(40, page.height() - 160, page.width() - 80, 90);
    }
}

void waitForThumbs(QWidget& screen)
{
    QTRY_VERIFY_WITH_TIMEOUT(
        [&screen] {
            for (const PageThumb* thumb : screen.findChildren<PageThumb*>()) {
                if (thumb->isVisible() && !thumb->hasImage()) {
                    return false;
                }
            }
            return true;
        }(),
        20000);
}

} // namespace

// Every screen filled with real documents and results, drawn in both palettes;
// with LEAFLOW_RENDER_DIR set the pictures are kept there for a look.
class ScreenRenderTest : public StoreTestCase {
    Q_OBJECT

private:
    QString document(const QString& name, int pages, const QColor& accent)
    {
        const QString path = m_fixture->path(name);
        writeDocument(path, pages, accent);
        return path;
    }

    void check(QWidget& screen, Appearance appearance, const QString& name)
    {
        screen.resize(760, 580);
        screen.show();
        waitForThumbs(screen);
        // Widgets added to a shown page appear from the event loop, as they would on screen.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
        const QImage image = screen.grab().toImage();
        const QPalette palette = Theme::palette(appearance);
        // The page sits on the window background, and the footer bar is set apart from it.
        QCOMPARE(image.pixelColor(3, image.height() / 2), DS::canvas(palette));
        QVERIFY(image.pixelColor(3, image.height() - 4) != DS::canvas(palette));
        QVERIFY(RenderSupport::keep(image, name, appearance));
    }

private slots:
    void screens_data()
    {
        RenderSupport::addAppearanceRows();
    }

    void screens()
    {
        QFETCH(Appearance, appearance);
        QApplication::setPalette(Theme::palette(appearance));

        {
            MergeScreen empty(store());
            check(empty, appearance, QStringLiteral("merge-empty"));
        }

        store().addFiles({document("Yıllık rapor 2025.pdf", 14, QColor(0xc2, 0x21, 0x2e)),
                          document("Ek A – Bütçe tabloları.pdf", 6, QColor(0x1f, 0x6f, 0xd1)),
                          document("Sözleşme imzalı.pdf", 3, QColor(0x2f, 0x8f, 0x5b)),
                          document("Kapak.pdf", 1, QColor(0x6b, 0x3f, 0xa0))},
                         AppSection::merge);
        {
            MergeScreen merge(store());
            check(merge, appearance, QStringLiteral("merge"));
        }

        store().addFiles({document("Katalog 2026.pdf", 30, QColor(0xd9, 0x77, 0x06))},
                         AppSection::split);
        {
            SplitScreen split(store(), 24);
            check(split, appearance, QStringLiteral("split-each"));
            store().setSplitMode(SplitMode::every);
            store().setSplitEvery(4);
            check(split, appearance, QStringLiteral("split-every"));
            store().setSplitMode(SplitMode::ranges);
            store().setSplitRanges(QStringLiteral("1-3, 5, 8-12, 40"));
            check(split, appearance, QStringLiteral("split-error"));
            store().setSplitRanges(QStringLiteral("1-3, 5, 8-12, 20-"));
            check(split, appearance, QStringLiteral("split-ranges"));
        }

        store().addFiles({m_fixture->imagePdf("Taranmış fatura.pdf", 3),
                          document("Sunum notları.pdf", 5, QColor(0x0f, 0x76, 0x6e)),
                          m_fixture->imagePdf("Fotoğraflı katalog.pdf", 2)},
                         AppSection::compress);
        {
            CompressScreen compress(store());
            check(compress, appearance, QStringLiteral("compress"));
            m_fixture->panels.folderAnswers << m_fixture->folder("kucuk");
            store().run(AppSection::compress);
            QVERIFY(m_fixture->waitIdle());
            QVERIFY(compress.bannerView());
            check(compress, appearance, QStringLiteral("compress-done"));
        }
        QApplication::setPalette(QPalette());
    }
};

QTEST_MAIN(ScreenRenderTest)
#include "ScreenRenderTest.moc"
