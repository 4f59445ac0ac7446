#include "Button.h"
#include "ImageFixtures.h"
#include "InkArea.h"
#include "InkPicker.h"
#include "Labels.h"
#include "SignaturePad.h"
#include "SignatureArt.h"
#include "StoreTestCase.h"
#include "Theme.h"

#include <QImage>
#include <QLineEdit>
#include <QTabletEvent>
#include <QTest>
#include <QWindow>

// The signature pad: drawing with the mouse and the pen, clamping, dots,
// saving and clearing, Return and Escape, names, ink, and importing images.
class SignaturePadTest : public StoreTestCase {
    Q_OBJECT

private:
    std::unique_ptr<SignaturePad> m_pad;

    SignaturePad& pad() { return *m_pad; }
    QWindow* window() { return m_pad->windowHandle(); }
    QPoint at(QPointF inArea) { return pad().area()->mapTo(m_pad.get(), inArea.toPoint()); }

    void stroke(const QList<QPointF>& points)
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, at(points.first()));
        for (const QPointF& point : points.mid(1)) {
            QTest::mouseMove(window(), at(point));
        }
        QTest::mouseRelease(window(), Qt::LeftButton, {}, at(points.last()));
    }

    void addSignatures(int count)
    {
        for (int i = 0; i < count; ++i) {
            store().addDrawnSignature(QString(), {{QPointF(10, 10), QPointF(50, 30)}}, 2.6,
                                      InkColor::black);
        }
    }

    void openPad()
    {
        m_pad = std::make_unique<SignaturePad>(
            store(), [this] { return m_fixture->panels.openImage(); });
        m_pad->open();
        QVERIFY(QTest::qWaitForWindowExposed(m_pad.get()));
    }

private slots:
    void cleanup() override
    {
        m_pad.reset();
        StoreTestCase::cleanup();
    }

    void startsEmptyWithTheDefaultNameAsPlaceholder()
    {
        addSignatures(2);
        openPad();
        QCOMPARE(pad().area()->size(), QSize(520, 200));
        QCOMPARE(pad().width(), 568);
        QCOMPARE(pad().nameField()->placeholderText(), QStringLiteral("İmza 3"));
        QCOMPARE(pad().nameField()->accessibleName(), QStringLiteral("İmza adı"));
        QCOMPARE(pad().inkPicker()->ink(), InkColor::black);
        QCOMPARE(pad().inkPicker()->segment(InkColor::black)->text(), QStringLiteral("Siyah"));
        QCOMPARE(pad().inkPicker()->segment(InkColor::blue)->text(), QStringLiteral("Mavi"));
        QVERIFY(!pad().saveButton()->isEnabled());
        QVERIFY(!pad().clearButton()->isEnabled());
        QVERIFY(pad().importButton()->isEnabled());
        QCOMPARE(pad().hintLabel()->text(),
                 QStringLiteral("Kâğıda attığın imzanın fotoğrafını da kullanabilirsin: beyaz "
                                "zemin sayfada görünmez."));
        QCOMPARE(pad().hintLabel()->tone(), Tone::secondary);
    }

    void drawingEnablesSaveAndClearingDisables()
    {
        openPad();
        stroke({{40, 100}, {120, 80}, {200, 120}});
        QCOMPARE(pad().area()->strokes(),
                 (QList<Stroke>{{QPointF(40, 100), QPointF(120, 80), QPointF(200, 120)}}));
        QVERIFY(pad().saveButton()->isEnabled());
        QVERIFY(pad().clearButton()->isEnabled());
        QTest::mouseClick(pad().clearButton(), Qt::LeftButton);
        QVERIFY(pad().area()->strokes().isEmpty());
        QVERIFY(!pad().saveButton()->isEnabled());
        QVERIFY(!pad().clearButton()->isEnabled());
    }

    void aDragLeavingTheAreaRunsAlongItsEdge()
    {
        openPad();
        stroke({{500, 100}, {560, 150}, {600, 260}, {-30, -40}});
        QCOMPARE(pad().area()->strokes(),
                 (QList<Stroke>{
                     {QPointF(500, 100), QPointF(520, 150), QPointF(520, 200), QPointF(0, 0)}}));
    }

    void aClickMakesADotAndSavesASquareSignature()
    {
        openPad();
        stroke({{100, 50}});
        QCOMPARE(pad().area()->strokes(), (QList<Stroke>{{QPointF(100, 50)}}));
        // The dot shows on the paper.
        const QImage drawn = pad().area()->grab().toImage();
        const QColor centre = drawn.pixelColor(QPoint(100, 50) * drawn.devicePixelRatio());
        QVERIFY2(centre.lightness() < 80, qPrintable(centre.name()));
        QTest::mouseClick(pad().saveButton(), Qt::LeftButton);
        QTRY_VERIFY(!pad().isVisible());
        QCOMPARE(store().data().signatures.size(), 1);
        const SavedSignature saved = store().data().signatures.first();
        QCOMPARE(saved.name, QStringLiteral("İmza 1"));
        QCOMPARE(saved.strokes, std::optional(QList<Stroke>{{QPointF(0.5, 0.5)}}));
        QCOMPARE(saved.aspect, 1.0);
        QCOMPARE(saved.weight, std::optional(2.6 / 24));
        QCOMPARE(saved.ink, std::optional(InkColor::black));
    }

    void returnSavesOnlyWhenSomethingIsDrawn()
    {
        openPad();
        pad().nameField()->setFocus();
        QTest::keyClick(pad().nameField(), Qt::Key_Return);
        QVERIFY(pad().isVisible());
        QVERIFY(store().data().signatures.isEmpty());
        stroke({{30, 30}, {90, 60}});
        QTest::keyClicks(pad().nameField(), QStringLiteral("Paraf"));
        QTest::keyClick(pad().nameField(), Qt::Key_Return);
        QTRY_VERIFY(!pad().isVisible());
        QCOMPARE(pad().result(), int(QDialog::Accepted));
        QCOMPARE(store().data().signatures.size(), 1);
        QCOMPARE(store().data().signatures.first().name, QStringLiteral("Paraf"));
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
        addSignatures(2);
        openPad();
        pad().nameField()->insert(typed); // QTest types only ASCII
        stroke({{30, 30}, {90, 60}});
        QTest::mouseClick(pad().saveButton(), Qt::LeftButton);
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
            QTest::mouseClick(pad().inkPicker()->segment(InkColor::blue), Qt::LeftButton);
        }
        stroke({{40, 100}, {480, 100}});
        if (!pickFirst) {
            QTest::mouseClick(pad().inkPicker()->segment(InkColor::blue), Qt::LeftButton);
        }
        QCOMPARE(pad().area()->ink(), InkColor::blue);
        const QImage drawn = pad().area()->grab().toImage();
        const QColor ink = drawn.pixelColor(QPoint(240, 100) * drawn.devicePixelRatio());
        QCOMPARE(ink.name(), SignatureArt::inkColor(InkColor::blue).name());
        QTest::mouseClick(pad().saveButton(), Qt::LeftButton);
        QCOMPARE(store().data().signatures.first().ink, std::optional(InkColor::blue));
    }

    void aFailedImportShowsTheHintAndKeepsTheDrawing()
    {
        openPad();
        stroke({{30, 30}, {90, 60}});
        m_fixture->panels.imageAnswers = {m_fixture->file("notes.png", "not an image at all")};
        QTest::mouseClick(pad().importButton(), Qt::LeftButton);
        QVERIFY(pad().importFailed());
        QCOMPARE(pad().hintLabel()->text(),
                 QStringLiteral("Görsel okunamadı. PNG ya da JPEG bir dosya seç."));
        QCOMPARE(pad().hintLabel()->tone(), Tone::down);
        QCOMPARE(pad().hintLabel()->palette().color(QPalette::WindowText),
                 DS::down(pad().palette()));
        QVERIFY(pad().isVisible());
        QCOMPARE(pad().area()->strokes().size(), 1);
        QVERIFY(store().data().signatures.isEmpty());

        QImage scan(800, 200, QImage::Format_RGB32);
        scan.fill(Qt::white);
        const QString png = m_fixture->path("scan.png");
        QVERIFY(scan.save(png));
        m_fixture->panels.imageAnswers = {png};
        QTest::keyClicks(pad().nameField(), QStringLiteral("Tarama"));
        QTest::mouseClick(pad().importButton(), Qt::LeftButton);
        QTRY_VERIFY(!pad().isVisible());
        QCOMPARE(store().data().signatures.size(), 1);
        QCOMPARE(store().data().signatures.first().name, QStringLiteral("Tarama"));
        QVERIFY(store().data().signatures.first().imageFile.has_value());
        QCOMPARE(store().data().signatures.first().aspect, 4.0);
    }

    void cancellingTheImagePanelChangesNothing()
    {
        openPad();
        stroke({{30, 30}, {90, 60}});
        QTest::mouseClick(pad().importButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls, QStringList{"openImage()"});
        QVERIFY(!pad().importFailed());
        QCOMPARE(pad().hintLabel()->tone(), Tone::secondary);
        QVERIFY(pad().isVisible());
        QCOMPARE(pad().area()->strokes().size(), 1);
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
            QTest::keyClick(pad().nameField(), Qt::Key_Escape);
        } else {
            QTest::mouseClick(pad().cancelButton(), Qt::LeftButton);
        }
        QTRY_VERIFY(!pad().isVisible());
        QCOMPARE(pad().result(), int(QDialog::Rejected));
        QVERIFY(store().data().signatures.isEmpty());
    }

    void aPenDrawsLikeTheMouse()
    {
        openPad();
        InkArea* area = pad().area();
        const QList<std::pair<QEvent::Type, QPointF>> events = {
            {QEvent::TabletPress, {60, 60}},
            {QEvent::TabletMove, {120, 90}},
            {QEvent::TabletMove, {700, 90}},
            {QEvent::TabletRelease, {700, 90}},
        };
        for (const auto& [type, point] : events) {
            QTabletEvent event(type, QPointingDevice::primaryPointingDevice(), point,
                               area->mapToGlobal(point), 0.5, 0, 0, 0, 0, 0, {},
                               type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton,
                               type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton);
            QApplication::sendEvent(area, &event);
            QVERIFY(event.isAccepted());
        }
        QCOMPARE(area->strokes(),
                 (QList<Stroke>{{QPointF(60, 60), QPointF(120, 90), QPointF(520, 90)}}));
        QVERIFY(pad().saveButton()->isEnabled());
    }
};

QTEST_MAIN(SignaturePadTest)
#include "SignaturePadTest.moc"
