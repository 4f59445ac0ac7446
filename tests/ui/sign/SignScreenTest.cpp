#include "Button.h"
#include "DropZone.h"
#include "Labels.h"
#include "PlacementView.h"
#include "RunButton.h"
#include "SignCanvas.h"
#include "SignPager.h"
#include "SignScreenFixture.h"
#include "SignaturePad.h"
#include "SignaturePanel.h"
#include "SignatureCard.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTest>

namespace {

QStringList namesOf(const QList<SavedSignature>& signatures)
{
    QStringList names;
    for (const SavedSignature& signature : signatures) {
        names << signature.name;
    }
    return names;
}

QStringList cardNames(SignaturePanel* panel)
{
    QStringList names;
    for (SignatureCard* card : panel->cards()) {
        names << card->nameLabel()->fullText();
    }
    return names;
}

QPushButton* buttonTitled(QMessageBox* box, const QString& title)
{
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == title) {
            return qobject_cast<QPushButton*>(button);
        }
    }
    return nullptr;
}

} // namespace

// The sign screen around the page view: the library panel and its cards, the
// deletion confirmation, the header's file buttons, the footer and the pad sheet.
class SignScreenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<SignScreenFixture> m_screen;

    SignScreenFixture& screen() { return *m_screen; }
    SignView& view() { return m_screen->view(); }
    SignaturePanel* panel() { return view().panel(); }
    Store& store() { return m_screen->store(); }

    // Asks to delete the card's signature and answers the confirmation with `answer`.
    void deleteThroughCard(SignatureCard* card, const QString& answer)
    {
        screen().click(card->trashButton());
        QMessageBox* box = panel()->confirmation();
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->windowModality(), Qt::WindowModal);
        QCOMPARE(box->text(), card->signature().name + QStringLiteral(" silinsin mi?"));
        QCOMPARE(box->informativeText(),
                 QStringLiteral(
                     "İmza bu Mac'ten silinir. Daha önce imzaladığın dosyalar değişmez."));
        QCOMPARE(panel()->deleting()->id, card->signature().id);
        QPushButton* remove = buttonTitled(box, QStringLiteral("İmzayı sil"));
        QVERIFY(remove);
        QCOMPARE(box->buttonRole(remove), QMessageBox::DestructiveRole);
        QPushButton* cancel = buttonTitled(box, QStringLiteral("Vazgeç"));
        QVERIFY(cancel);
        QCOMPARE(box->buttonRole(cancel), QMessageBox::RejectRole);
        QPushButton* chosen = buttonTitled(box, answer);
        QVERIFY(chosen);
        QTest::mouseClick(chosen, Qt::LeftButton);
        QTRY_VERIFY(!panel()->confirmation());
        QCOMPARE(panel()->deleting(), std::nullopt);
    }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }
    void init()
    {
        m_environment->reset();
        m_screen = std::make_unique<SignScreenFixture>(*m_environment);
    }
    void cleanup() { m_screen.reset(); }

    void withoutDocumentOrSignatures()
    {
        SignScreenFixture::settle();
        QVERIFY(view().dropZone()->isVisible());
        QVERIFY(!view().canvas()->isVisible());
        QVERIFY(!view().otherFileButton()->isVisible());
        QVERIFY(!view().removeFileButton()->isVisible());
        QVERIFY(panel()->emptyLabel()->isVisible());
        QCOMPARE(panel()->emptyLabel()->text(),
                 QStringLiteral(
                     "Kayıtlı imza yok. İmzanı bir kez ekle, sonra her belgede kullan."));
        QVERIFY(!panel()->scrollArea()->isVisible());
        QVERIFY(panel()->newButton()->isVisible());
        QVERIFY(panel()->newButton()->isEnabled());
        QCOMPARE(panel()->noteLabel()->text(), QStringLiteral("İmzalamak için önce bir PDF ekle."));
        QVERIFY(!view().runButton()->isEnabled());
        QCOMPARE(view().runButton()->text(), QStringLiteral("İmzalı kopyayı kaydet…"));
        QCOMPARE(view().noteLabel()->text(),
                 QStringLiteral("Sayfaya görsel imza ekler. Sertifikalı dijital imza değildir."));
        QCOMPARE(panel()->width(), SignaturePanel::panelWidth);
        // The library's rows stay at the top of the panel.
        QVERIFY(panel()->noteLabel()->geometry().bottom() < panel()->height() / 2);
    }

    void withoutDocumentCardsShowButDoNotPlace()
    {
        screen().addSignature(QStringLiteral("İlk"), 3);
        screen().addSignature(QStringLiteral("İkinci"), 5);
        SignScreenFixture::settle();
        QCOMPARE(cardNames(panel()), (QStringList{"İlk", "İkinci"}));
        QVERIFY(panel()->scrollArea()->isVisible());
        QVERIFY(!panel()->emptyLabel()->isVisible());
        SignatureCard* first = panel()->cards().first();
        QVERIFY(!first->previewButton()->isEnabled());
        screen().click(first->previewButton());
        QVERIFY(store().placements().isEmpty());
        QCOMPARE(first->trashButton()->toolTip(), QStringLiteral("İmzayı sil"));
        QCOMPARE(first->previewButton()->accessibleDescription(), QStringLiteral("Sayfaya koy"));
        // Previews fit 52 points high (8 of padding around), proportions kept.
        const QRectF shown = first->previewButton()->imageRect();
        QCOMPARE(first->previewButton()->height(), 68);
        QVERIFY(std::abs(shown.height() - 52) < 1e-9);
        QVERIFY(std::abs(shown.width() / shown.height() - 3) < 0.02);

        deleteThroughCard(first, QStringLiteral("İmzayı sil"));
        QCOMPARE(namesOf(store().data().signatures), QStringList{"İkinci"});
        QTRY_COMPARE(cardNames(panel()), QStringList{"İkinci"});
    }

    void cancellingTheConfirmationKeepsTheSignature()
    {
        screen().addSignature(QStringLiteral("Kalan"));
        SignScreenFixture::settle();
        deleteThroughCard(panel()->cards().first(), QStringLiteral("Vazgeç"));
        QCOMPARE(namesOf(store().data().signatures), QStringList{"Kalan"});
        QCOMPARE(cardNames(panel()), QStringList{"Kalan"});
    }

    void runButtonFollowsThePlacements()
    {
        screen().addSignature(QStringLiteral("İmza 1"));
        screen().openDocument(2);
        QVERIFY(!view().runButton()->isEnabled());
        QCOMPARE(panel()->noteLabel()->text(),
                 QStringLiteral(
                     "Sayfaya koymak için imzaya tıkla. Sonra sürükle, köşesinden boyutlandır."));
        screen().click(panel()->cards().first()->previewButton());
        QVERIFY(view().runButton()->isEnabled());
        PlacementView* placed = view().canvas()->placementViews().value(0);
        QVERIFY(placed);
        screen().click(placed->removeButton());
        QVERIFY(!view().runButton()->isEnabled());
    }

    void deletingAPlacedSignatureTakesItsPlacementsAway()
    {
        const SavedSignature twice = screen().addSignature(QStringLiteral("İki kez"));
        const SavedSignature once = screen().addSignature(QStringLiteral("Bir kez"), 2);
        screen().openDocument(3);
        SignScreenFixture::settle();
        screen().click(panel()->cards().at(0)->previewButton());
        screen().click(view().pager()->nextButton());
        screen().click(panel()->cards().at(0)->previewButton());
        screen().click(panel()->cards().at(1)->previewButton());
        QCOMPARE(store().placements().size(), 3);
        QCOMPARE(view().pager()->countLabel()->text(), QStringLiteral("Yerleştirilen imza: 3"));
        QCOMPARE(view().canvas()->placementViews().size(), 2);

        deleteThroughCard(panel()->cards().at(0), QStringLiteral("İmzayı sil"));
        QCOMPARE(store().placements().size(), 1);
        QCOMPARE(store().placements().first().signatureID, once.id);
        QCOMPARE(view().pager()->countLabel()->text(), QStringLiteral("Yerleştirilen imza: 1"));
        QTRY_COMPARE(view().canvas()->placementViews().size(), 1);
        QCOMPARE(view().canvas()->placementViews().first()->placement().signatureID, once.id);
        QVERIFY(view().runButton()->isEnabled());
        Q_UNUSED(twice);

        SignScreenFixture::settle();
        deleteThroughCard(panel()->cards().at(0), QStringLiteral("İmzayı sil"));
        QVERIFY(store().placements().isEmpty());
        QVERIFY(!view().runButton()->isEnabled());
        QVERIFY(!view().pager()->countLabel()->isVisible());
        SignScreenFixture::settle();
        QVERIFY(panel()->emptyLabel()->isVisible());
    }

    void theCrossRemovesTheDocumentButNotTheLibrary()
    {
        screen().addSignature(QStringLiteral("Saklı"));
        screen().openDocument(2);
        SignScreenFixture::settle();
        QVERIFY(view().canvas()->isVisible());
        QVERIFY(view().removeFileButton()->isVisible());
        QCOMPARE(view().removeFileButton()->toolTip(), QStringLiteral("Dosyayı kaldır"));
        screen().click(panel()->cards().first()->previewButton());
        screen().click(view().pager()->nextButton());

        screen().click(view().removeFileButton());
        QCOMPARE(store().signFile(), std::nullopt);
        QVERIFY(store().placements().isEmpty());
        QCOMPARE(store().signPage(), 0);
        SignScreenFixture::settle();
        QVERIFY(view().dropZone()->isVisible());
        QVERIFY(!view().removeFileButton()->isVisible());
        QCOMPARE(namesOf(store().data().signatures), QStringList{"Saklı"});
        QVERIFY(!panel()->cards().first()->previewButton()->isEnabled());
        QCOMPARE(panel()->noteLabel()->text(), QStringLiteral("İmzalamak için önce bir PDF ekle."));
    }

    void otherFileAndDropZoneAskForAPDF()
    {
        screen().click(view().dropZone()->chooseButton());
        screen().openDocument(1);
        screen().click(view().otherFileButton());
        QCOMPARE(screen().fixture.panels.calls,
                 (QStringList{"openPDFs(single)", "openPDFs(single)"}));
    }

    void newSignatureOpensThePadOnce()
    {
        screen().click(panel()->newButton());
        SignaturePad* pad = view().pad();
        QVERIFY(pad);
        QTRY_VERIFY(pad->isVisible());
        QCOMPARE(pad->windowModality(), Qt::WindowModal);
        QCOMPARE(pad->parentWidget(), &view());
        view().showPad();
        QCOMPARE(view().pad(), pad);
        QTest::keyClick(pad->nameField(), Qt::Key_Escape);
        QTRY_VERIFY(!view().pad());
        QVERIFY(store().data().signatures.isEmpty());
    }
};

QTEST_MAIN(SignScreenTest)
#include "SignScreenTest.moc"
