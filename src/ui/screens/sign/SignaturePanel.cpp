#include "ui/screens/sign/SignaturePanel.h"

#include "store/Store.h"
#include "tools/sign/SignTool.h"
#include "ui/kit/Accessible.h"
#include "ui/kit/Button.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Theme.h"
#include "ui/screens/sign/SignatureCard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

SignaturePanel::SignaturePanel(SignTool& tool, QWidget* parent)
    : QWidget(parent), m_tool(tool), m_store(tool.store()),
      m_empty(Labels::text(tr("Kayıtlı imza yok. İmzanı bir kez ekle, sonra her belgede kullan."),
                           TextStyle::callout, Tone::secondary)),
      m_scroll(new QScrollArea), m_list(new QWidget), m_cards(new QVBoxLayout(m_list)),
      m_new(new Button(tr("Yeni imza…"))),
      m_note(Labels::text(QString(), TextStyle::caption, Tone::secondary)), m_filler(new QWidget)
{
    setFixedWidth(panelWidth);
    m_empty->setObjectName(QStringLiteral("empty"));
    m_note->setObjectName(QStringLiteral("nextStep"));
    m_empty->setWordWrap(true);
    m_note->setWordWrap(true);

    Accessible::setRole(m_list, QAccessible::List);
    m_list->setAccessibleName(tr("Kayıtlı imzalar"));
    m_cards->setContentsMargins(0, 0, 0, 0);
    m_cards->setSpacing(8);
    m_cards->addStretch(1);
    m_list->setAutoFillBackground(false);
    m_scroll->setWidget(m_list);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->viewport()->setAutoFillBackground(false);
    // Tab goes straight to the cards, which the area scrolls into view; the area itself has
    // nothing to say.
    m_scroll->setFocusPolicy(Qt::NoFocus);

    m_new->setSymbol(QStringLiteral("plus"));
    m_new->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_filler->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(12);
    column->addWidget(Labels::overline(tr("İmzalar")));
    column->addWidget(m_empty);
    column->addWidget(m_scroll, 1);
    column->addWidget(m_new);
    column->addWidget(m_note);
    column->addWidget(m_filler, 1);

    connect(m_new, &QPushButton::clicked, this, &SignaturePanel::padRequested);
    connect(&m_store, &Store::dataChanged, this, &SignaturePanel::refresh);
    connect(&m_tool, &SignTool::signFileChanged, this, &SignaturePanel::refresh);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (SignatureCard* card : cards()) {
            if (card->isAncestorOf(now)) {
                m_chosen = card->signature().id;
            }
        }
    });
    refresh();
}

std::optional<SavedSignature> SignaturePanel::chosen() const
{
    const auto& all = m_store.data().signatures;
    const auto found = std::find_if(all.cbegin(), all.cend(),
                                    [this](const SavedSignature& s) { return s.id == m_chosen; });
    if (found != all.cend()) {
        return *found;
    }
    return all.isEmpty() ? std::nullopt : std::optional(all.first());
}

QList<SignatureCard*> SignaturePanel::cards() const
{
    QList<SignatureCard*> found;
    for (int i = 0; i < m_cards->count(); ++i) {
        if (auto* card = qobject_cast<SignatureCard*>(m_cards->itemAt(i)->widget())) {
            found.append(card);
        }
    }
    return found;
}

void SignaturePanel::refresh()
{
    const bool empty = m_store.data().signatures.isEmpty();
    m_empty->setVisible(empty);
    m_scroll->setVisible(!empty);
    m_filler->setVisible(empty);
    m_note->setText(m_tool.signFile()
                        ? tr("Sayfaya koymak için imzaya tıkla. Sonra sürükle, köşesinden "
                             "boyutlandır.")
                        : tr("İmzalamak için önce bir PDF ekle."));

    QList<QPair<QUuid, QString>> shown;
    for (const SavedSignature& signature : m_store.data().signatures) {
        shown.append({signature.id, signature.name});
    }
    const bool placeable = m_tool.signFile().has_value();
    // The history shares the data file's signal; cards are rebuilt only when
    // the library itself or the chance to place changed.
    if (shown != m_shown || placeable != m_shownPlaceable) {
        m_shown = shown;
        m_shownPlaceable = placeable;
        rebuildCards();
    }
}

void SignaturePanel::rebuildCards()
{
    for (SignatureCard* card : cards()) {
        m_cards->removeWidget(card);
        card->hide(); // out of the Tab order and gone for a screen reader, though deleted only once
                      // its click is over
        card->deleteLater();
    }
    const bool placeable = m_tool.signFile().has_value();
    int at = 0;
    for (const SavedSignature& signature : m_store.data().signatures) {
        auto* card = new SignatureCard(signature, m_store.signatureImage(signature), placeable);
        connect(card, &SignatureCard::placeRequested, this, [this](const SavedSignature& s) {
            m_chosen = s.id;
            m_tool.place(s);
            emit placed();
        });
        connect(card, &SignatureCard::deleteRequested, this, &SignaturePanel::confirmDeletion);
        m_cards->insertWidget(at++, card);
    }
    orderTabs();
}

void SignaturePanel::orderTabs()
{
    // New cards join the end of the window's focus chain; they belong after whatever precedes
    // the library and before "Yeni imza…".
    QWidget* previous = m_new->previousInFocusChain();
    while (previous != m_new &&
           (previous->focusPolicy() == Qt::NoFocus || m_list->isAncestorOf(previous))) {
        previous = previous->previousInFocusChain();
    }
    for (SignatureCard* card : cards()) {
        for (QWidget* control : card->findChildren<QAbstractButton*>()) {
            setTabOrder(previous, control);
            previous = control;
        }
    }
}

void SignaturePanel::confirmDeletion(const SavedSignature& signature)
{
    if (m_confirmation) {
        return;
    }
    m_deleting = signature;
    auto* box = new QMessageBox(this);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(tr("İmzayı sil"));
    box->setText(tr("%1 silinsin mi?").arg(signature.name));
    box->setInformativeText(
        tr("İmza bu Mac'ten silinir. Daha önce imzaladığın dosyalar değişmez."));
    QPushButton* remove = box->addButton(tr("İmzayı sil"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box->addButton(tr("Vazgeç"), QMessageBox::RejectRole);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    m_confirmation = box;
    connect(box, &QMessageBox::finished, this, [this, box, remove] {
        // Closing the box in any other way also ends the confirmation.
        if (box->clickedButton() == remove && m_deleting) {
            m_store.deleteSignature(m_deleting->id);
        }
        m_deleting.reset();
    });
    box->open();
}
