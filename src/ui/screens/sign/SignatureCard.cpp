#include "ui/screens/sign/SignatureCard.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/Button.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/Theme.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

SignaturePreview::SignaturePreview(QImage image, QWidget* parent)
    : QAbstractButton(parent), m_image(std::move(image))
{
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    hint(this, tr("Sayfaya koy"));
}

QSize SignaturePreview::sizeHint() const
{
    return {120, previewHeight + 2 * padding};
}

QSize SignaturePreview::minimumSizeHint() const
{
    return {2 * padding + 1, previewHeight + 2 * padding};
}

QRectF SignaturePreview::imageRect() const
{
    const QRectF area = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
    if (m_image.isNull() || m_image.height() < 1) {
        return {};
    }
    const qreal aspect = qreal(m_image.width()) / m_image.height();
    QSizeF size(area.height() * aspect, area.height());
    if (size.width() > area.width()) {
        size = QSizeF(area.width(), area.width() / aspect);
    }
    return {area.center().x() - size.width() / 2, area.center().y() - size.height() / 2,
            size.width(), size.height()};
}

void SignaturePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled()) {
        painter.setOpacity(0.55);
    }
    const QRectF bounds = QRectF(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(isDown() ? DS::paper().darker(104) : DS::paper());
    painter.drawRoundedRect(bounds, radius, radius);
    if (!m_image.isNull()) {
        painter.drawImage(imageRect(), m_image);
    }
    painter.setPen(QPen(DS::paperEdge(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
}

SignatureCard::SignatureCard(const SavedSignature& signature, const QImage& preview, bool placeable,
                             QWidget* parent)
    : QWidget(parent), m_signature(signature), m_preview(new SignaturePreview(preview)),
      m_name(new ElidedLabel(signature.name, TextStyle::caption, Tone::primary, Qt::ElideRight)),
      m_trash(new Button(QString(), Button::Kind::borderless))
{
    // Each saved signature is an item of the library, its buttons named after it.
    Accessible::setRole(this, QAccessible::ListItem);
    setAccessibleName(signature.name);
    m_preview->setEnabled(placeable);
    m_preview->setAccessibleName(tr("%1 adlı imzayı sayfaya koy").arg(signature.name));
    m_trash->setSymbol(QStringLiteral("trash"),
                       QFontMetricsF(Theme::font(TextStyle::caption)).height(), Tone::secondary);
    m_trash->setAccessibleName(tr("%1 adlı imzayı sil").arg(signature.name));
    tip(m_trash, tr("İmzayı sil"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(m_preview);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(m_name, 1);
    row->addWidget(m_trash);
    column->addLayout(row);

    connect(m_preview, &QAbstractButton::clicked, this,
            [this] { emit placeRequested(m_signature); });
    connect(m_trash, &QPushButton::clicked, this, [this] { emit deleteRequested(m_signature); });
}
