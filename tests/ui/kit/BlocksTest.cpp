#include "Badge.h"
#include "FileRow.h"
#include "Fixtures.h"
#include "Icons.h"
#include "Labels.h"
#include "PageThumb.h"
#include "RunButton.h"
#include "Theme.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <poppler-qt6.h>

Q_DECLARE_METATYPE(std::optional<AppSection>)

// The kit's building blocks on their own: the run button, file rows, page thumbnails, labels
// and the bundled symbols.
class BlocksTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    PDFFile m_file;
    QList<qint64> m_asked; // pages whose thumbnails were asked for

    FileDisplay display()
    {
        FileDisplay d;
        d.thumbnail = [this](const PDFFile& file, qint64 page, int side) {
            m_asked << page;
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
        const QString path = m_dir.filePath(QStringLiteral("Rapor 2026 taslak.pdf"));
        Fixtures::writePdf(path, Fixtures::tagged(QStringLiteral("p"), 3));
        m_file.id = QUuid::createUuid();
        m_file.source.url = path;
        m_file.doc = std::shared_ptr<Poppler::Document>(Poppler::Document::load(path).release());
        m_file.pageCount = 3;
        m_file.bytes = 1234;
    }
    void init() { m_asked.clear(); }

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
        // And it comes back once the run is over.
        button.setBusySection(std::nullopt);
        QCOMPARE(button.isEnabled(), ready);
        QVERIFY(!button.showsProgress());
    }

    void fileRowShowsTheFileAndOneStatus()
    {
        FileRow row(m_file, std::nullopt, display());
        row.resize(500, 60);
        row.show();
        QCOMPARE(row.findChild<QLabel*>(QStringLiteral("details"))->text(),
                 QStringLiteral("Sayfa: 3 · 1234 B"));
        QTRY_COMPARE(m_asked, QList<qint64>{0});
        QVERIFY(!row.findChild<QLabel*>(QStringLiteral("index")));
        QVERIFY(!row.statusBadge());
        row.setStatus(QStringLiteral("→ 800 B"), DS::up(row.palette()));
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

    void thumbsLoadTheirPageOrShowPaper_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QColor>("centre");
        QTest::newRow("a page") << 1 << QColor(10, 20, 200);
        QTest::newRow("a page past the end") << 7 << DS::paper();
    }
    void thumbsLoadTheirPageOrShowPaper()
    {
        QFETCH(int, page);
        QFETCH(QColor, centre);
        PageThumb thumb(m_file, page, 60, display().thumbnail);
        thumb.resize(44, 58);
        QSignalSpy loaded(&thumb, &PageThumb::loaded);
        thumb.show();
        QTRY_COMPARE(loaded.size(), 1);
        QCOMPARE(thumb.grab().toImage().pixelColor(thumb.pageRect().center().toPoint()), centre);
        // Letter pages are narrower than the frame: the box keeps the page's shape.
        if (page < m_file.pageCount) {
            QVERIFY(qAbs(thumb.pageRect().width() / thumb.pageRect().height() - 612.0 / 792) < 0.02);
        }
        // Another page is loaded anew; the same page is not.
        thumb.setPage(m_file, page);
        thumb.setPage(m_file, 2);
        QTRY_COMPARE(m_asked, (QList<qint64>{page, 2}));
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

    void labelsFollowAnAppearanceChange()
    {
        QWidget host;
        host.setPalette(Theme::palette(Appearance::light));
        auto* label = Labels::overline(QStringLiteral("Düzey"), &host);
        host.setPalette(Theme::palette(Appearance::dark));
        QCOMPARE(label->palette().color(QPalette::WindowText),
                 Theme::secondary(Theme::palette(Appearance::dark)));
    }
};

QTEST_MAIN(BlocksTest)
#include "BlocksTest.moc"
