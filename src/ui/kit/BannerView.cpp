#include "BannerView.h"

#include "Button.h"
#include "HoverTips.h"
#include "Labels.h"
#include "Shapes.h"
#include "SymbolView.h"
#include "Theme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>

namespace {

constexpr int insideX = 12;
constexpr int insideY = 8;

QString symbol(Banner::Kind kind)
{
    switch (kind) {
    case Banner::Kind::information: return QStringLiteral("info.circle");
    case Banner::Kind::error: return QStringLiteral("exclamationmark.triangle.fill");
    case Banner::Kind::success: break;
    }
    return QStringLiteral("checkmark.circle.fill");
}

Tone tone(Banner::Kind kind)
{
    switch (kind) {
    case Banner::Kind::information: return Tone::accent;
    case Banner::Kind::error: return Tone::down;
    case Banner::Kind::success: break;
    }
    return Tone::up;
}

} // namespace

BannerView::BannerView(const Banner& banner, QWidget* parent)
    : QWidget(parent), m_banner(banner),
      m_close(new Button(QString(), Button::Kind::borderless, this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(Metrics::pageSide + insideX, insideY, Metrics::pageSide + insideX,
                            insideY + Metrics::headerBottom);
    row->setSpacing(10);

    auto* icon = new SymbolView(symbol(banner.kind), 16, tone(banner.kind), this);
    icon->setObjectName(QStringLiteral("icon"));
    row->addWidget(icon, 0, Qt::AlignVCenter);

    auto* text = Labels::text(banner.text, TextStyle::body, Tone::primary, this);
    text->setObjectName(QStringLiteral("text"));
    text->setFont(Theme::monospacedDigits(Theme::font(TextStyle::body)));
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Keeps the height-for-width that word wrapping gave the label; without it the layouts sized
    // the text for a guessed width (three lines high for one line of text).
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    text->setSizePolicy(policy);
    m_text = text;
    row->addWidget(text, 1);

    if (!banner.outputs.isEmpty()) {
        m_reveal = new Button(tr("Finder'da göster"), Button::Kind::bordered, this);
        row->addWidget(m_reveal, 0, Qt::AlignVCenter);
        connect(m_reveal, &QAbstractButton::clicked, this,
                [this] { emit revealRequested(m_banner.outputs); });
    }

    m_close->setSymbol(QStringLiteral("xmark"), 12, Tone::secondary);
    m_close->setAccessibleName(tr("Kapat"));
    tip(m_close, tr("Kapat"));
    row->addWidget(m_close, 0, Qt::AlignVCenter);
    connect(m_close, &QAbstractButton::clicked, this, &BannerView::dismissed);
}

void BannerView::fitHeight()
{
    // A page's layout would otherwise stretch the banner where its content cannot take the
    // room, and squeeze it below its lines where the window is short.
    const int height = layout()->totalHeightForWidth(width());
    if (height > 0 && (minimumHeight() != height || maximumHeight() != height)) {
        setFixedHeight(height);
    }
}

void BannerView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitHeight();
}

void BannerView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitHeight();
    }
}

void BannerView::setOpaque(bool opaque)
{
    m_opaque = opaque;
    update();
}

void BannerView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor tint = Theme::color(tone(m_banner.kind), palette());
    const QRectF box = QRectF(rect()).adjusted(Metrics::pageSide + 0.5, 0.5,
                                               -Metrics::pageSide - 0.5,
                                               -Metrics::headerBottom - 0.5);
    const QPainterPath shape = Shapes::continuousRect(box, Metrics::cardRadius);
    QColor fill = tint;
    fill.setAlphaF(static_cast<float>(Theme::isDark(palette()) ? darkFill : lightFill));
    QColor edge = tint;
    edge.setAlphaF(0.28F);
    if (m_opaque) {
        painter.fillPath(shape, DS::canvas(palette()));
    }
    painter.fillPath(shape, fill);
    painter.setPen(QPen(edge, 1));
    painter.drawPath(shape);
}
