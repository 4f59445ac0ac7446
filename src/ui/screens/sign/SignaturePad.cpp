#include "ui/screens/sign/SignaturePad.h"

#include "store/Store.h"
#include "ui/kit/AlertLabel.h"
#include "ui/kit/Button.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Theme.h"
#include "ui/screens/sign/InkArea.h"
#include "ui/screens/sign/InkPicker.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

SignaturePad::SignaturePad(Store& store, ImagePicker pickImage, QWidget* parent)
    : QDialog(parent), m_store(store), m_pickImage(std::move(pickImage)), m_area(new InkArea),
      m_picker(new InkPicker), m_name(new QLineEdit),
      m_hint(new AlertLabel(TextStyle::caption, Tone::secondary)),
      m_import(new Button(tr("Görselden al…"))), m_clear(new Button(tr("Temizle"))),
      m_cancel(new Button(tr("Vazgeç"))), m_save(new Button(tr("Kaydet"), Button::Kind::prominent))
{
    setWindowTitle(tr("Yeni imza"));
    setWindowModality(Qt::WindowModal);
    setSizeGripEnabled(false);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(16);
    column->setSizeConstraint(QLayout::SetFixedSize);

    auto* heading = new QVBoxLayout;
    heading->setSpacing(4);
    heading->addWidget(Labels::text(tr("Yeni imza"), TextStyle::title3));
    heading->itemAt(0)->widget()->setFont(Theme::font(TextStyle::title3, QFont::DemiBold));
    auto* instruction =
        Labels::text(tr("Fareyle ya da izleme dörtgeniyle aşağıdaki alana imzanı çiz."),
                     TextStyle::body, Tone::secondary);
    instruction->setWordWrap(true);
    heading->addWidget(instruction);
    column->addLayout(heading);

    column->addWidget(m_area);

    auto* settings = new QHBoxLayout;
    settings->setSpacing(12);
    settings->addWidget(m_picker);
    m_name->setAccessibleName(tr("İmza adı"));
    m_name->setPlaceholderText(m_store.nextSignatureName());
    m_name->setClearButtonEnabled(false);
    settings->addWidget(m_name, 1);
    column->addLayout(settings);

    m_hint->setObjectName(QStringLiteral("hint"));
    m_hint->setWordWrap(true);
    m_hint->setFixedWidth(InkArea::areaSize.width());
    column->addWidget(m_hint);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(m_import);
    buttons->addWidget(m_clear);
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_save);
    column->addLayout(buttons);

    // Return belongs to "Kaydet" alone; while it is disabled Return does nothing.
    for (Button* button : {m_import, m_clear, m_cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    m_save->setAutoDefault(false);
    m_save->setDefault(true);

    connect(m_picker, &InkPicker::inkChanged, m_area, &InkArea::setInk);
    connect(m_area, &InkArea::strokesChanged, this, &SignaturePad::refreshButtons);
    connect(m_import, &QPushButton::clicked, this, &SignaturePad::importImage);
    connect(m_clear, &QPushButton::clicked, m_area, &InkArea::clear);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, &SignaturePad::save);
    showHint();
    refreshButtons();
}

void SignaturePad::refreshButtons()
{
    const bool drawn = !m_area->strokes().isEmpty();
    m_clear->setEnabled(drawn);
    m_save->setEnabled(drawn);
}

void SignaturePad::showHint()
{
    if (m_importFailed) {
        m_hint->setMessage(tr("Görsel okunamadı. PNG ya da JPEG bir dosya seç."));
        m_hint->setTone(Tone::down);
    } else {
        m_hint->setMessage(tr("Kâğıda attığın imzanın fotoğrafını da kullanabilirsin: beyaz "
                              "zemin sayfada görünmez."),
                           false);
        m_hint->setTone(Tone::secondary);
    }
}

void SignaturePad::importImage()
{
    const std::optional<QString> path = m_pickImage ? m_pickImage() : std::nullopt;
    if (!path) {
        return;
    }
    if (m_store.addImageSignature(*path, m_name->text())) {
        accept();
        return;
    }
    m_importFailed = true;
    showHint();
}

void SignaturePad::save()
{
    if (m_area->strokes().isEmpty()) {
        return;
    }
    m_store.addDrawnSignature(m_name->text(), m_area->strokes(), InkArea::lineWidth, m_area->ink());
    accept();
}
