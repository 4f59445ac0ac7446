#include "Find.h"
#include "InkArea.h"
#include "InkPicker.h"
#include "Labels.h"
#include "SignatureArt.h"
#include "SignaturePad.h"
#include "StoreTestCase.h"

#include <QImage>
#include <QLineEdit>
#include <QTabletEvent>
#include <QTest>
#include <QWindow>

// The signature pad: drawing with the mouse and the pen, clamping, dots, saving and clearing,
// Return and Escape, names, ink, and importing images.
class SignaturePadTest : public StoreTestCase {
    Q_OBJECT

    std::unique_ptr<SignaturePad> m_pad;

    SignaturePad& pad() { return *m_pad; }
    InkArea* area() { return m_pad->findChild<InkArea*>(); }
    QLineEdit* nameField() { return Find::named<QLineEdit>(m_pad.get(), QStringLiteral("İmza adı")); }
    ToneLabel* hint() { return Find::named<ToneLabel>(m_pad.get(), QStringLiteral("hint")); }
    QAbstractButton* button(const QString& text) { return Find::named<QAbstractButton>(m_pad.get(), text); }
    void press(const QString& text) { QTest::mouseClick(button(text), Qt::LeftButton); }

    void stroke(const QList<QPointF>& points)
    {
        auto at = [this](QPointF inArea) { return area()->mapTo(m_pad.get(), inArea.toPoint()); };
        QTest::mousePress(m_pad->windowHandle(), Qt::LeftButton, {}, at(points.first()));
        for (const QPointF& point : points.mid(1)) {
            QTest::mouseMove(m_pad->windowHandle(), at(point));
        }
        QTest::mouseRelease(m_pad->windowHandle(), Qt::LeftButton, {}, at(points.last()));
    }

    void openPad(int existing = 0)
    {
        for (int i = 0; i < existing; ++i) {
            store().addDrawnSignature(QString(), {{QPointF(10, 10), QPointF(50, 30)}}, 2.6,
                                      InkColor::black);
        }
        m_pad = std::make_unique<SignaturePad>(store(), [this] { return m_fixture->panels.openImage(); });
        m_pad->open();
        QVERIFY(QTest::qWaitForWindowExposed(m_pad.get()));
    }

private slots:
    void cleanup() override
    {
        m_pad.reset();
        StoreTestCase::cleanup();
    }

    void drawingEnablesSaveAndClearingDisables()
    {
        openPad();
        QVERIFY(!button(QStringLiteral("Kaydet"))->isEnabled());
        QVERIFY(!button(QStringLiteral("Temizle"))->isEnabled());
        stroke({{40, 100}, {120, 80}, {200, 120}});
        QCOMPARE(area()->strokes(),
                 (QList<Stroke>{{QPointF(40, 100), QPointF(120, 80), QPointF(200, 120)}}));
        QVERIFY(button(QStringLiteral("Kaydet"))->isEnabled());
        press(QStringLiteral("Temizle"));
        QVERIFY(area()->strokes().isEmpty());
        QVERIFY(!button(QStringLiteral("Kaydet"))->isEnabled());
    }

    void aDragLeavingTheAreaRunsAlongItsEdge()
    {
        openPad();
        stroke({{500, 100}, {560, 150}, {600, 260}, {-30, -40}});
        QCOMPARE(area()->strokes(),
                 (QList<Stroke>{
                     {QPointF(500, 100), QPointF(520, 150), QPointF(520, 200), QPointF(0, 0)}}));
    }

    void aClickMakesADotAndSavesASquareSignature()
    {
        openPad();
        stroke({{100, 50}});
        QCOMPARE(area()->strokes(), (QList<Stroke>{{QPointF(100, 50)}}));
        // The dot shows on the paper.
        const QImage drawn = area()->grab().toImage();
        QVERIFY(drawn.pixelColor(QPoint(100, 50) * drawn.devicePixelRatio()).lightness() < 80);
        press(QStringLiteral("Kaydet"));
        QTRY_VERIFY(!pad().isVisible());
        const SavedSignature saved = store().data().signatures.value(0);
        QCOMPARE(saved.name, QStringLiteral("İmza 1"));
        QCOMPARE(saved.strokes, std::optional(QList<Stroke>{{QPointF(0.5, 0.5)}}));
        QCOMPARE(saved.aspect, 1.0);
        QCOMPARE(saved.weight, std::optional(2.6 / 24));
    }

    void returnSavesOnlyWhenSomethingIsDrawn()
    {
        openPad();
        nameField()->setFocus();
        QTest::keyClick(nameField(), Qt::Key_Return);
        QVERIFY(pad().isVisible());
        stroke({{30, 30}, {90, 60}});
        QTest::keyClick(nameField(), Qt::Key_Return);
        QTRY_VERIFY(!pad().isVisible());
        QCOMPARE(pad().result(), int(QDialog::Accepted));
        QCOMPARE(store().data().signatures.size(), 1);
    }

    void namesAreSavedAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("empty gives the default") << QString() << QStringLiteral("İmza 3");
        QTest::newRow("blanks stay blanks") << QStringLiteral("   ") << QStringLiteral("   ");
        QTest::newRow("a name") << QStringLiteral("Ayşe") << QStringLiteral("Ayşe");
    }
    void namesAreSavedAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        openPad(2);
        QCOMPARE(nameField()->placeholderText(), QStringLiteral("İmza 3"));
        nameField()->insert(typed); // QTest types only ASCII
        stroke({{30, 30}, {90, 60}});
        press(QStringLiteral("Kaydet"));
        QCOMPARE(store().data().signatures.size(), 3);
        QCOMPARE(store().data().signatures.last().name, saved);
    }

    void blueInkColoursTheWholeDrawing_data()
    {
        QTest::addColumn<bool>("pickFirst");
        QTest::newRow("blue before drawing") << true;
        QTest::newRow("blue after drawing") << false;
    }
    void blueInkColoursTheWholeDrawing()
    {
        QFETCH(bool, pickFirst);
        openPad();
        if (pickFirst) {
            press(QStringLiteral("Mavi"));
        }
        stroke({{40, 100}, {480, 100}});
        if (!pickFirst) {
            press(QStringLiteral("Mavi"));
        }
        const QImage drawn = area()->grab().toImage();
        QCOMPARE(drawn.pixelColor(QPoint(240, 100) * drawn.devicePixelRatio()).name(),
                 SignatureArt::inkColor(InkColor::blue).name());
        press(QStringLiteral("Kaydet"));
        QCOMPARE(store().data().signatures.first().ink, std::optional(InkColor::blue));
    }

    void importsAndFailedImports()
    {
        openPad();
        stroke({{30, 30}, {90, 60}});
        // A cancelled panel changes nothing.
        press(QStringLiteral("Görselden al…"));
        QCOMPARE(m_fixture->panels.calls, QStringList{"openImage()"});
        QCOMPARE(hint()->tone(), Tone::secondary);
        // A file that is no image says so and keeps the drawing.
        m_fixture->panels.imageAnswers = {m_fixture->file("notes.png", "not an image at all")};
        press(QStringLiteral("Görselden al…"));
        QCOMPARE(hint()->text(), QStringLiteral("Görsel okunamadı. PNG ya da JPEG bir dosya seç."));
        QCOMPARE(hint()->tone(), Tone::down);
        QVERIFY(pad().isVisible());
        QCOMPARE(area()->strokes().size(), 1);
        QVERIFY(store().data().signatures.isEmpty());

        QImage scan(800, 200, QImage::Format_RGB32);
        scan.fill(Qt::white);
        const QString png = m_fixture->path("scan.png");
        QVERIFY(scan.save(png));
        m_fixture->panels.imageAnswers = {png};
        QTest::keyClicks(nameField(), QStringLiteral("Tarama"));
        press(QStringLiteral("Görselden al…"));
        QTRY_VERIFY(!pad().isVisible());
        const SavedSignature saved = store().data().signatures.value(0);
        QCOMPARE(saved.name, QStringLiteral("Tarama"));
        QVERIFY(saved.imageFile.has_value());
        QCOMPARE(saved.aspect, 4.0);
    }

    void cancelAndEscapeCloseWithoutSaving_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Vazgeç") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelAndEscapeCloseWithoutSaving()
    {
        QFETCH(bool, escape);
        openPad();
        stroke({{30, 30}, {90, 60}});
        if (escape) {
            QTest::keyClick(nameField(), Qt::Key_Escape);
        } else {
            press(QStringLiteral("Vazgeç"));
        }
        QTRY_VERIFY(!pad().isVisible());
        QCOMPARE(pad().result(), int(QDialog::Rejected));
        QVERIFY(store().data().signatures.isEmpty());
    }

    void aPenDrawsLikeTheMouse()
    {
        openPad();
        const QList<std::pair<QEvent::Type, QPointF>> events = {
            {QEvent::TabletPress, {60, 60}},
            {QEvent::TabletMove, {120, 90}},
            {QEvent::TabletMove, {700, 90}},
            {QEvent::TabletRelease, {700, 90}},
        };
        for (const auto& [type, point] : events) {
            const Qt::MouseButton button = type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton;
            QTabletEvent event(type, QPointingDevice::primaryPointingDevice(), point,
                               area()->mapToGlobal(point), 0.5, 0, 0, 0, 0, 0, {}, button, button);
            QApplication::sendEvent(area(), &event);
            QVERIFY(event.isAccepted());
        }
        QCOMPARE(area()->strokes(),
                 (QList<Stroke>{{QPointF(60, 60), QPointF(120, 90), QPointF(520, 90)}}));
    }
};

QTEST_MAIN(SignaturePadTest)
#include "SignaturePadTest.moc"
