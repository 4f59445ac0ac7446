#include "ui/kit/Button.h"

#include "ui/kit/Icons.h"
#include "ui/kit/Shapes.h"

#include <QFocusEvent>
#include <QPainter>
#include <QTimer>
#include <QtMath>
#include <algorithm>

namespace {

constexpr int spinnerSide = 12;
constexpr int gap = 6;
// Bordered and prominent buttons keep this much room around their face for the focus ring, which
// is drawn outside the face so it reads against the window whatever the button's own fill.
constexpr qreal ringRoom = 3;
constexpr qreal ringWidth = 2;

QColor alpha(QColor color, qreal a)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * a));
    return color;
}

} // namespace

Button::Button(const QString& title, Kind kind, QWidget* parent)
    : QPushButton(title, parent), m_kind(kind), m_spinner(new QTimer(this))
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::ArrowCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(kind == Kind::borderless ? Qt::TabFocus : Qt::StrongFocus);
    m_spinner->setInterval(80);
    connect(m_spinner, &QTimer::timeout, this, [this] {
        m_spin = (m_spin + 1) % 12;
        update();
    });
}

void Button::setControlSize(Size size)
{
    m_size = size;
    updateGeometry();
    update();
}

void Button::setSymbol(const QString& name, qreal side, Tone tone)
{
    m_symbol = name;
    m_symbolSide = side;
    m_symbolTone = tone;
    updateGeometry();
    update();
}

void Button::setBusy(bool busy)
{
    if (busy == m_busy) {
        return;
    }
    m_busy = busy;
    busy && !m_fraction ? m_spinner->start() : m_spinner->stop();
    updateGeometry();
    update();
}

void Button::setBusyFraction(std::optional<qreal> fraction)
{
    if (fraction) {
        fraction = std::clamp(*fraction, 0.0, 1.0);
    }
    if (fraction == m_fraction) {
        return;
    }
    const bool resized = fraction.has_value() != m_fraction.has_value();
    m_fraction = fraction;
    m_busy && !m_fraction ? m_spinner->start() : m_spinner->stop();
    if (resized) {
        updateGeometry();
    }
    update();
}

QString Button::busyPercent() const
{
    const std::optional<qreal> fraction = busyFraction();
    return fraction ? tr("%%1").arg(qFloor(*fraction * 100 + 1e-9)) : QString();
}

qreal Button::busyWidth() const
{
    if (!m_busy) {
        return 0;
    }
    if (!m_fraction) {
        return spinnerSide + gap;
    }
    // Room for the widest percentage, so the button keeps its width as the number grows.
    return widestBusyWidth();
}

qreal Button::widestBusyWidth() const
{
    const QString widest = tr("%%1").arg(100);
    return spinnerSide + 2 * gap + QFontMetricsF(titleFont()).horizontalAdvance(widest);
}

void Button::setReservesProgress(bool reserves)
{
    m_reservesProgress = reserves;
    updateGeometry();
}

QFont Button::titleFont() const
{
    if (m_kind == Kind::prominent) {
        return Theme::font(TextStyle::body, QFont::DemiBold);
    }
    return m_size == Size::large ? Theme::font(TextStyle::body, QFont::Medium)
                                 : Theme::font(TextStyle::body);
}

qreal Button::symbolSide() const
{
    if (m_symbolSide > 0) {
        return m_symbolSide;
    }
    return std::round(QFontMetricsF(titleFont()).height() * 0.95);
}

int Button::controlHeight() const
{
    const int text = qCeil(QFontMetricsF(titleFont()).height());
    if (m_kind == Kind::borderless) {
        return std::max(text, qCeil(symbolSide())) + 4;
    }
    return text + (m_size == Size::large ? 14 : 8);
}

QSize Button::sizeHint() const
{
    const QFontMetricsF metrics(titleFont());
    qreal width = text().isEmpty() ? 0 : metrics.horizontalAdvance(text());
    if (!m_symbol.isEmpty()) {
        width += symbolSide() + (text().isEmpty() ? 0 : gap);
    }
    width += m_reservesProgress ? widestBusyWidth() : busyWidth();
    const int pad = m_kind == Kind::borderless ? 2 : (m_size == Size::large ? 16 : 11);
    return {qCeil(width) + 2 * pad + 2 * faceInset(), controlHeight() + 2 * faceInset()};
}

int Button::faceInset() const
{
    // The borderless kind has no face: its ring hugs the symbol, as it always did.
    return m_kind == Kind::borderless ? 0 : qRound(ringRoom) - 1;
}

QColor Button::contentColor() const
{
    if (isEnabled()) {
        return m_kind == Kind::prominent ? QColor(Qt::white) : Theme::primary(palette());
    }
    // A busy button is disabled, yet its progress must stay easy to read.
    if (m_kind == Kind::prominent && m_busy) {
        return alpha(palette().color(QPalette::Active, QPalette::WindowText), 0.75);
    }
    return Theme::disabled(palette());
}

QColor Button::borderedFace(const QPalette& palette)
{
    return Theme::isDark(palette) ? QColor(255, 255, 255, 30) : QColor(Qt::white);
}

QColor Button::focusRingColor() const
{
    return Theme::accent(palette());
}

void Button::focusInEvent(QFocusEvent* event)
{
    m_keyboardFocus = event->reason() == Qt::TabFocusReason ||
                      event->reason() == Qt::BacktabFocusReason;
    QPushButton::focusInEvent(event);
}

void Button::focusOutEvent(QFocusEvent* event)
{
    m_keyboardFocus = false;
    QPushButton::focusOutEvent(event);
}

void Button::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const bool dark = Theme::isDark(pal);
    const bool hovered = underMouse() && isEnabled();
    const bool pressed = isDown();
    const qreal radius = m_size == Size::large ? 8 : 6;
    // The outline is a whole-pixel line, so it keeps its full contrast.
    const qreal inset = faceInset() + 1.5;
    const QRectF frame = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const QPainterPath shape = Shapes::continuousRect(frame, radius);

    if (m_kind == Kind::prominent && isEnabled()) {
        QColor fill = Theme::accentFill(pal);
        if (pressed) {
            fill = fill.darker(115);
        } else if (hovered) {
            fill = fill.lighter(108);
        }
        painter.fillPath(shape, fill);
        // A faint top highlight gives the filled button its slight relief.
        QLinearGradient sheen(frame.topLeft(), frame.bottomLeft());
        sheen.setColorAt(0, QColor(255, 255, 255, 28));
        sheen.setColorAt(1, QColor(255, 255, 255, 0));
        painter.fillPath(shape, sheen);
    } else if (m_kind != Kind::borderless) {
        // A prominent button that cannot be pressed loses its accent and looks bordered.
        QColor fill = borderedFace(pal);
        if (pressed) {
            fill = dark ? QColor(255, 255, 255, 46) : QColor(0, 0, 0, 20);
        } else if (hovered) {
            fill = dark ? QColor(255, 255, 255, 38) : QColor(250, 250, 250);
        }
        if (!dark) {
            painter.fillPath(shape.translated(0, 0.5), QColor(0, 0, 0, 18));
        }
        painter.fillPath(shape, fill);
        painter.setPen(QPen(Theme::outline(pal), 1));
        painter.drawPath(shape);
    } else if (pressed) {
        painter.setOpacity(0.6);
    }
    if (showsFocusRing()) {
        painter.setPen(QPen(focusRingColor(), ringWidth));
        painter.setBrush(Qt::NoBrush);
        const qreal half = ringWidth / 2;
        const qreal grow = m_kind == Kind::borderless ? 0 : faceInset();
        painter.drawPath(Shapes::continuousRect(QRectF(rect()).adjusted(half, half, -half, -half),
                                                radius + grow));
    }

    const QColor content = contentColor();
    const QFontMetricsF metrics(titleFont());
    qreal contentWidth = text().isEmpty() ? 0 : metrics.horizontalAdvance(text());
    const qreal side = symbolSide();
    if (!m_symbol.isEmpty()) {
        contentWidth += side + (text().isEmpty() ? 0 : gap);
    }
    contentWidth += busyWidth();
    qreal x = (width() - contentWidth) / 2.0;
    const qreal cy = height() / 2.0;

    if (m_busy) {
        paintBusy(painter, QPointF(x + spinnerSide / 2.0, cy), content);
        x += spinnerSide + gap;
    }
    if (!m_symbol.isEmpty()) {
        QColor tint = m_kind == Kind::prominent ? content : Theme::color(m_symbolTone, pal);
        if (!isEnabled()) {
            tint = Theme::disabled(pal);
        }
        painter.drawPixmap(QPointF(x, cy - side / 2.0),
                           Icons::pixmap(m_symbol, tint, side, devicePixelRatioF()));
        x += side + gap;
    }
    if (!text().isEmpty()) {
        painter.setFont(titleFont());
        painter.setPen(content);
        painter.drawText(QRectF(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter,
                         text());
        x += metrics.horizontalAdvance(text()) + gap;
    }
    if (const QString percent = busyPercent(); !percent.isEmpty()) {
        painter.setFont(titleFont());
        painter.setPen(alpha(content, 0.8));
        painter.drawText(QRectF(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter,
                         percent);
    }
}

void Button::paintBusy(QPainter& painter, QPointF centre, const QColor& content) const
{
    painter.save();
    painter.translate(centre);
    if (m_fraction) {
        const QRectF ring(-spinnerSide / 2.0 + 1, -spinnerSide / 2.0 + 1, spinnerSide - 2,
                          spinnerSide - 2);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(alpha(content, 0.25), 2));
        painter.drawEllipse(ring);
        painter.setPen(QPen(content, 2, Qt::SolidLine, Qt::FlatCap));
        // Qt's angles are in sixteenths of a degree, counter-clockwise from three o'clock.
        painter.drawArc(ring, 90 * 16, -qRound(*m_fraction * 360 * 16));
    } else {
        for (int i = 0; i < 12; ++i) {
            const int age = (m_spin - i + 12) % 12;
            painter.save();
            painter.rotate(i * 30.0);
            painter.setPen(
                QPen(alpha(content, 1.0 - age * 0.07), 1.6, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(0, -spinnerSide / 2.0 + 0.8), QPointF(0, -spinnerSide / 4.5));
            painter.restore();
        }
    }
    painter.restore();
}
