#include "InkArea.h"
#include "PlacementView.h"
#include "SignCanvas.h"
#include "SignScreenFixture.h"
#include "SignaturePad.h"
#include "SignaturePanel.h"
#include "SignatureCard.h"
#include "RenderSupport.h"
#include "Theme.h"

#include <QApplication>
#include <QTest>

// The sign screen with a placed, selected signature, and the pad with ink on
// it, drawn in both palettes; with LEAFLOW_RENDER_DIR set the pictures are kept there.
class SignRenderTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreEnvironment> m_environment;

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }

    void screenAndPad_data()
    {
        RenderSupport::addAppearanceRows();
    }
    void screenAndPad()
    {
        QFETCH(Appearance, appearance);
        const QPalette palette = Theme::palette(appearance);
        QApplication::setPalette(palette);
        m_environment->reset();
        SignScreenFixture screen(*m_environment);
        screen.addSignature(QStringLiteral("İmza 1"), 3.2, InkColor::blue);
        screen.openDocument(4);
        screen.click(screen.view().panel()->cards().first()->previewButton());
        SignCanvas* canvas = screen.view().canvas();
        QTRY_VERIFY(canvas->hasPageImage());
        SignScreenFixture::settle();

        const QImage image = screen.view().grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const QRectF page = QRectF(canvas->pageFrame()).translated(canvas->mapTo(&screen.view(), QPoint()));
        // Window background beside the page, paper on it.
        QCOMPARE(image.pixelColor((page.topLeft() - QPointF(6, -20)).toPoint() * ratio),
                 DS::canvas(palette));
        QCOMPARE(image.pixelColor((page.topLeft() + QPointF(8, 8)).toPoint() * ratio), DS::paper());
        // The selected placement's dashed outline is drawn in the accent colour.
        PlacementView* placed = canvas->placementViews().first();
        const QRectF frame = placed->frame().translated(canvas->mapTo(&screen.view(), QPoint()));
        const QColor tint = Theme::accent(palette);
        int accent = 0;
        const int top = qRound(frame.top());
        for (int x = qCeil(frame.left()) + 1; x < frame.right() - 1; ++x) {
            const QColor c = image.pixelColor(QPoint(x, top) * ratio);
            accent += std::abs(c.red() - tint.red()) + std::abs(c.green() - tint.green()) +
                          std::abs(c.blue() - tint.blue()) <
                      12;
        }
        QVERIFY2(accent > frame.width() / 3, qPrintable(QString::number(accent)));
        QVERIFY(RenderSupport::keep(image, QStringLiteral("sign"), appearance));

        screen.view().showPad();
        SignaturePad* pad = screen.view().pad();
        QVERIFY(QTest::qWaitForWindowExposed(pad));
        screen.drag(pad->area(), QPointF(40, 120), QPointF(200, 90), 6);
        screen.drag(pad->area(), QPointF(200, 90), QPointF(470, 135), 6);
        const QImage drawn = pad->grab().toImage();
        const QPoint area = pad->area()->mapTo(pad, QPoint());
        QCOMPARE(drawn.pixelColor((area + QPoint(260, 30)) * drawn.devicePixelRatio()),
                 DS::paper());
        // The baseline: black at 14 % over the paper.
        const QColor baseline = drawn.pixelColor(
            (area + QPoint(300, InkArea::areaSize.height() - 52)) * drawn.devicePixelRatio());
        QVERIFY2(baseline.lightness() < 240 && baseline.lightness() > 190,
                 qPrintable(baseline.name()));
        QVERIFY(RenderSupport::keep(drawn, QStringLiteral("pad"), appearance));
        pad->reject();
    }
};

QTEST_MAIN(SignRenderTest)
#include "SignRenderTest.moc"
