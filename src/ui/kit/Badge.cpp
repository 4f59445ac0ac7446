#include "ui/kit/Badge.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/Icons.h"
#include "ui/kit/Theme.h"

#include <QPainter>
#include <utility>

namespace {

constexpr int padX = 6;
constexpr int padY = 2;
constexpr int iconGap = 3;
constexpr qreal radius = 4;

QFont badgeFont()
{
    return Theme::monospacedDigits(Theme::systemFont(11, QFont::Medium));
}

qreal iconSide()
{
    return QFontMetricsF(badgeFont()).capHeight() + 2;
}

} // namespace

Badge::Badge(const QString& text, const QColor& tint, QString icon, QWidget* parent)
    : QWidget(parent), m_text(text), m_tint(tint), m_icon(std::move(icon))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Accessible::setRole(this, QAccessible::StaticText);
    setAccessibleName(text);
}

void Badge::setText(const QString& text)
{
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void Badge::setTint(const QColor& tint)
{
    m_tint = tint;
    update();
}

QSize Badge::sizeHint() const
{
    const QFontMetricsF metrics(badgeFont());
    qreal width = metrics.horizontalAdvance(m_text) + 2 * padX;
    if (!m_icon.isEmpty()) {
        width += iconSide() + iconGap;
    }
    return {qCeil(width), qCeil(metrics.height()) + 2 * padY};
}

void Badge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = m_tint;
    fill.setAlphaF(static_cast<float>(fillOpacity));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()), radius, radius);

    qreal x = padX;
    if (!m_icon.isEmpty()) {
        const qreal side = iconSide();
        painter.drawPixmap(QPointF(x, (height() - side) / 2.0),
                           Icons::pixmap(m_icon, m_tint, side, devicePixelRatioF(),
                                         SymbolWeight::semibold));
        x += side + iconGap;
    }
    painter.setFont(badgeFont());
    painter.setPen(m_tint);
    painter.drawText(QRectF(x, 0, width() - x - padX + 1, height()),
                     Qt::AlignLeft | Qt::AlignVCenter, m_text);
}
