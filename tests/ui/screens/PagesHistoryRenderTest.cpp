#include "HistoryRow.h"
#include "HistoryScreen.h"
#include "PageGrid.h"
#include "PagesScreen.h"
#include "Fixtures.h"
#include "RenderSupport.h"
#include "StoreTestCase.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

namespace {

// A report whose pages differ as real ones do: a chapter band on some, a
// chart on others, body text on all.
void writeReport(const QString& path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    const QRect page = painter.viewport();
    const QList<QColor> chapters{QColor(0x1f, 0x4e, 0x8c), QColor(0xb4, 0x3a, 0x2f),
                                 QColor(0x2f, 0x7d, 0x5a), QColor(0x7a, 0x4b, 0x9c)};
    for (int index = 0; index < pages; ++index) {
        if (index > 0) {
            writer.newPage();
        }
        const QColor accent = chapters.at(index / 3 % chapters.size());
        int y = 56;
        if (index % 3 == 0) {
            painter.fillRect(QRect(0, 0, page.width(), 220), accent);
            painter.setPen(Qt::white);
            QFont title = painter.font();
            title.setPointSize(30);
            title.setBold(true);
            painter.setFont(title);
            painter.drawText(QRect(48, 120, page.width() - 96, 60), Qt::AlignLeft,
                             QStringLiteral("Bölüm %1").arg(index / 3 + 1));
            y = 260;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x3a, 0x3a, 0x40));
        const int lines = index % 3 == 1 ? 10 : 24;
        for (int line = 0; line < lines; ++line) {
            const int width = (page.width() - 96) * (line % 6 == 5 ? 48 : 90 + line % 4 * 2) / 100;
            painter.drawRect(48, y + line * 22, width, 7);
        }
        if (index % 3 == 1) {
            const int base = y + lines * 22 + 40;
            for (int bar = 0; bar < 7; ++bar) {
                const int height = 60 + (bar * 37 + index * 13) % 200;
                painter.setBrush(bar % 2 ? accent : accent.lighter(140));
                painter.drawRect(60 + bar * 66, base + 260 - height, 44, height);
            }
        }
        painter.setBrush(QColor(0x3a, 0x3a, 0x40, 90));
        painter.drawRect(page.width() / 2 - 10, page.height() - 40, 20, 5);
    }
}

HistoryItem record(const QString& tool, const QStringList& inputs, const QStringList& outputs,
                   const QDateTime& date, qint64 before, qint64 after)
{
    return {QUuid::createUuid(), date, tool, inputs, outputs, before, after};
}

} // namespace

// The pages and history screens filled with real documents and records, drawn
// in both palettes; with LEAFLOW_RENDER_DIR set the pictures are kept there.
class PagesHistoryRenderTest : public StoreTestCase {
    Q_OBJECT

private:
    QImage keep(QWidget& screen, Appearance appearance, const QString& name)
    {
        const QImage image = screen.grab().toImage();
        RenderSupport::keep(image, name, appearance);
        return image;
    }

    QString output(const QString& folder, const QString& name)
    {
        const QString path = m_fixture->folder(folder) + "/" + name;
        Fixtures::writeBytes(path, "%PDF-1.7\n");
        return path;
    }

private slots:
    void cleanup() override
    {
        StoreTestCase::cleanup();
        QApplication::setPalette(QPalette());
    }

    void screens_data()
    {
        RenderSupport::addAppearanceRows();
    }

    void screens()
    {
        QFETCH(Appearance, appearance);
        const QPalette palette = Theme::palette(appearance);
        QApplication::setPalette(palette);

        {
            PagesScreen empty(store());
            empty.resize(900, 640);
            empty.show();
            keep(empty, appearance, QStringLiteral("pages-empty"));
        }

        const QString report = m_fixture->path("Yıllık faaliyet raporu 2025.pdf");
        writeReport(report, 24);
        store().addFiles({report}, AppSection::pages);
        store().setPagesSelected({1, 4, 5});
        {
            PagesScreen pages(store());
            pages.resize(900, 640);
            pages.show();
            PageGrid* grid = pages.grid();
            const PDFFile file = *store().pagesFile();
            QTRY_VERIFY_WITH_TIMEOUT(
                [&] {
                    for (int page = 0; page < 8; ++page) {
                        if (!store().thumbnail(file, page, PageGrid::thumbSide)) {
                            return false;
                        }
                    }
                    return true;
                }(),
                20000);
            QTest::mouseMove(grid->viewport(), grid->cellRect(2).center());
            const QImage image = keep(pages, appearance, QStringLiteral("pages"));
            // A marked page is tinted red in its middle; an unmarked one shows its paper.
            const QPoint marked = grid->viewport()->mapTo(&pages, grid->cellRect(1).center());
            const QColor tint = image.pixelColor(marked + QPoint(0, 40));
            QVERIFY(tint.red() > tint.green() + 40);

            store().setPagesSelected({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
                                      17, 18, 19, 20, 21, 22, 23});
            keep(pages, appearance, QStringLiteral("pages-all"));
        }

        const QDateTime now = QDateTime::currentDateTime();
        QStringList parts;
        for (int part = 1; part <= 6; ++part) {
            parts << output("Katalog parçaları", QStringLiteral("Katalog 2026 %1.pdf").arg(part));
        }
        AppData data = store().data();
        data.history = {
            record("compress", {"Taranmış fatura.pdf", "Fotoğraflı katalog.pdf"},
                   {output("Belgeler", "Taranmış fatura sıkıştırılmış.pdf"),
                    output("Belgeler", "Fotoğraflı katalog sıkıştırılmış.pdf")},
                   now.addSecs(-95), 18'400'000, 4'730'000),
            record("merge", {"Yıllık rapor 2025.pdf", "Ek A – Bütçe tabloları.pdf", "Kapak.pdf"},
                   {output("Belgeler", "Yıllık rapor 2025 birleşik.pdf")}, now.addSecs(-3 * 3600),
                   2'860'000, 2'790'000),
            record("sign", {"Kira sözleşmesi.pdf"},
                   {output("Belgeler", "Kira sözleşmesi imzalı.pdf")}, now.addDays(-1),
                   412'000, 436'000),
            record("split", {"Katalog 2026.pdf"}, parts, now.addDays(-4), 9'150'000, 9'420'000),
            record("pages", {"Sunum notları.pdf"},
                   {m_fixture->path("Taşınmış/Sunum notları düzenlenmiş.pdf")}, now.addDays(-16),
                   1'240'000, 980'000),
        };
        store().setData(data);
        {
            HistoryScreen history(store());
            history.resize(900, 640);
            history.show();
            QVERIFY(QTest::qWaitForWindowExposed(&history));
            QCOMPARE(history.rows().size(), 5);
            const QImage image = keep(history, appearance, QStringLiteral("history"));
            QCOMPARE(image.pixelColor(3, image.height() - 4), DS::canvas(palette));

            history.confirmClear();
            QMessageBox* box = history.confirmation();
            QVERIFY(box);
            QTRY_VERIFY(box->isVisible());
            keep(*box, appearance, QStringLiteral("history-confirm"));
            box->reject();
        }
        store().setData(AppData{});
        {
            HistoryScreen empty(store());
            empty.resize(900, 640);
            empty.show();
            keep(empty, appearance, QStringLiteral("history-empty"));
        }
    }
};

QTEST_MAIN(PagesHistoryRenderTest)
#include "PagesHistoryRenderTest.moc"
