#include "ui/shell/NoticePanel.h"

#include "ui/kit/BrandMark.h"
#include "ui/kit/Button.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Theme.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int padding = 14;
constexpr qreal radius = 14;

} // namespace

NoticePanel::NoticePanel(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("backgroundNotice"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* body = new QHBoxLayout;
    body->setSpacing(12);
    body->addWidget(new BrandMark(32, this), 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    auto* title = Labels::text(tr("Leaflow menü çubuğunda çalışıyor"), TextStyle::callout,
                               Tone::primary, this);
    title->setFont(Theme::font(TextStyle::callout, QFont::DemiBold));
    auto* text = Labels::text(tr("Araçlar ve son dosyaların menü çubuğundaki ikonda. Pencereyi "
                                 "açmak ya da çıkmak için ona tıkla."),
                              TextStyle::caption, Tone::primary, this);
    text->setWordWrap(true);
    texts->addWidget(title);
    texts->addWidget(text);
    body->addLayout(texts, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new Button(tr("Tamam"), Button::Kind::bordered, this);
    auto* mute = new Button(tr("Bir daha gösterme"), Button::Kind::bordered, this);
    buttons->addWidget(ok);
    buttons->addWidget(mute);
    connect(ok, &QAbstractButton::clicked, this, &NoticePanel::dismissed);
    connect(mute, &QAbstractButton::clicked, this, &NoticePanel::muted);

    auto* column = new QVBoxLayout(this);
    const int margin = padding + shadowRoom;
    column->setContentsMargins(margin, margin, margin, margin);
    column->setSpacing(10);
    column->addLayout(body);
    column->addLayout(buttons);
    setFixedWidth(contentWidth + 2 * shadowRoom);
    setFixedHeight(column->heightForWidth(width()) > 0 ? column->heightForWidth(width())
                                                       : sizeHint().height());
}

void NoticePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(shadowRoom, shadowRoom, -shadowRoom, -shadowRoom);
    // A soft shadow below the card, then the card with its faint outline.
    for (int step = shadowRoom; step > 0; step -= 2) {
        QPainterPath shadow;
        shadow.addRoundedRect(card.adjusted(-step / 2.0, 6 - step / 2.0, step / 2.0,
                                            6 + step / 2.0),
                              radius + step / 2.0, radius + step / 2.0);
        painter.fillPath(shadow, QColor(0, 0, 0, 8));
    }
    QPainterPath shape;
    shape.addRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.fillPath(shape, DS::surface(palette()));
    QColor outline = palette().color(QPalette::WindowText);
    outline.setAlphaF(0.08);
    painter.setPen(QPen(outline, 1));
    painter.drawPath(shape);
}

void NoticePanel::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    QWidget::enterEvent(event);
}

void NoticePanel::leaveEvent(QEvent* event)
{
    m_hovered = false;
    QWidget::leaveEvent(event);
    emit left();
}
