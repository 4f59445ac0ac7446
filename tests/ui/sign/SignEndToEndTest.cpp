#include "InkArea.h"
#include "InkPicker.h"
#include "PlacementView.h"
#include "RunButton.h"
#include "SignCanvas.h"
#include "SignPager.h"
#include "SignScreenFixture.h"
#include "SignaturePad.h"
#include "SignaturePanel.h"
#include "SignatureCard.h"
#include "Button.h"
#include "ToolPage.h"

#include <QTest>
#include <poppler-qt6.h>

namespace {

// The pixels of blue ink (the pad's blue, antialiased) in a rendered page.
struct Ink {
    int count = 0;
    QRect bounds;
};

Ink blueInk(const QImage& image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 90 && c.blue() > c.red() + 60 && c.blue() > c.green() + 40) {
                ++ink.count;
                ink.bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

} // namespace

// From the pad to the file: a signature drawn in the window, placed on the
// turned second page of a document and moved there, lands in the signed copy
// exactly inside the rectangle the page view showed.
class SignEndToEndTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreEnvironment> m_environment;

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }

    void drawPlaceMoveAndSave()
    {
        m_environment->reset();
        SignScreenFixture screen(*m_environment);
        SignView& view = screen.view();

        // Draw a blue signature on the pad and keep it.
        screen.click(view.panel()->newButton());
        SignaturePad* pad = view.pad();
        QVERIFY(pad);
        QVERIFY(QTest::qWaitForWindowExposed(pad));
        screen.click(pad->inkPicker()->segment(InkColor::blue));
        InkArea* area = pad->area();
        screen.drag(area, QPointF(40, 130), QPointF(480, 70), 12);
        screen.drag(area, QPointF(60, 60), QPointF(300, 150), 8);
        QCOMPARE(area->strokes().size(), 2);
        screen.click(pad->saveButton());
        QTRY_VERIFY(!view.pad());
        QCOMPARE(screen.store().data().signatures.size(), 1);
        const SavedSignature signature = screen.store().data().signatures.first();
        QCOMPARE(signature.ink, std::optional(InkColor::blue));

        // A document whose second page is turned a quarter.
        QList<Fixtures::Page> pages = Fixtures::tagged(QStringLiteral("t"), 3);
        pages[1].rotate = 90;
        screen.openDocument(pages, QStringLiteral("Sözleşme.pdf"));
        QVERIFY(screen.store().signFile());
        screen.click(view.pager()->nextButton());
        QCOMPARE(screen.store().signPage(), 1);
        SignCanvas* canvas = view.canvas();
        const QRectF page = canvas->pageFrame();
        QVERIFY(std::abs(page.width() / page.height() - 792.0 / 612) < 1e-9);

        screen.click(view.panel()->cards().first()->previewButton());
        PlacementView* placed = canvas->placementViews().value(0);
        QVERIFY(placed);
        const QPointF from(placed->frame().center().toPoint());
        screen.drag(canvas, from, from + QPointF(-140, -90));
        QCOMPARE(screen.store().placements().size(), 1);
        QCOMPARE(screen.store().placements().first().page, 1);

        // The rectangle the page view shows, as fractions of the page.
        const QRectF shown = placed->frame();
        const QRectF fraction((shown.x() - page.x()) / page.width(),
                              (shown.y() - page.y()) / page.height(),
                              shown.width() / page.width(), shown.height() / page.height());
        QVERIFY(fraction.x() < 0.34 - 0.05); // it really moved left and up
        QVERIFY(fraction.y() < 0.62 - 0.05);

        const QString output = screen.fixture.path(QStringLiteral("imzalı.pdf"));
        screen.fixture.panels.saveAnswers = {output};
        QVERIFY(view.runButton()->isEnabled());
        screen.click(view.runButton());
        QVERIFY(screen.fixture.waitIdle());
        QCOMPARE(screen.fixture.panels.calls.last(), QStringLiteral("save(Sözleşme imzalı)"));
        QVERIFY(QFile::exists(output));
        QTRY_VERIFY(view.page()->bannerView());

        std::unique_ptr<Poppler::Document> document = Poppler::Document::load(output);
        QVERIFY(document);
        QCOMPARE(document->numPages(), 3);
        const double dpi = 144;
        for (int index : {0, 2}) {
            const QImage other = document->page(index)->renderToImage(dpi, dpi);
            QCOMPARE(blueInk(other).count, 0);
        }
        const QImage rendered = document->page(1)->renderToImage(dpi, dpi);
        // Poppler shows the page turned, as the canvas does.
        QCOMPARE(rendered.size(), QSize(792 * 2, 612 * 2));
        const QRectF expected(fraction.x() * rendered.width(), fraction.y() * rendered.height(),
                              fraction.width() * rendered.width(),
                              fraction.height() * rendered.height());
        const Ink ink = blueInk(rendered);
        QVERIFY2(ink.count > 200, qPrintable(QString::number(ink.count)));
        const QRectF slack = expected.adjusted(-2, -2, 2, 2);
        QVERIFY2(slack.contains(QRectF(ink.bounds)),
                 qPrintable(QStringLiteral("ink %1,%2 %3x%4 outside %5,%6 %7x%8")
                                .arg(ink.bounds.x())
                                .arg(ink.bounds.y())
                                .arg(ink.bounds.width())
                                .arg(ink.bounds.height())
                                .arg(expected.x())
                                .arg(expected.y())
                                .arg(expected.width())
                                .arg(expected.height())));
        // And it fills the rectangle, upright: the long stroke spans its width.
        QVERIFY(ink.bounds.width() > 0.9 * expected.width());
        QVERIFY(ink.bounds.height() > 0.7 * expected.height());
    }
};

QTEST_MAIN(SignEndToEndTest)
#include "SignEndToEndTest.moc"
