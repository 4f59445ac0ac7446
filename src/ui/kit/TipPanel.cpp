#include "ui/kit/TipPanel.h"

#include "ui/kit/Compositing.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/Theme.h"
#include "ui/kit/TipPlacement.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QScreen>

namespace {

constexpr qreal maxTextWidth = 240;
constexpr qreal padX = 8;
constexpr qreal padY = 5;
constexpr qreal radius = 6;
constexpr qreal arrowWidth = 10;
constexpr qreal arrowHeight = 5;
constexpr qreal shadowMargin = 8;
constexpr int fadeMs = 120;

QFont tipFont()
{
    return Theme::systemFont(11.5, QFont::Medium);
}

QColor fill()
{
    return QColor::fromRgbF(0.13F, 0.13F, 0.13F);
}

QRectF textBounds(const QString& text)
{
    const QFontMetricsF metrics(tipFont());
    return metrics.boundingRect(QRectF(0, 0, maxTextWidth, 100000),
                                Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
}

QScreen* screenAt(QPoint pointer)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().contains(pointer)) {
            return screen;
        }
    }
    return QGuiApplication::primaryScreen();
}

} // namespace

TipPanel* TipPanel::shared()
{
    static QPointer<TipPanel> panel;
    if (!panel) {
        panel = new TipPanel;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, panel, &QObject::deleteLater);
    }
    return panel;
}

TipPanel::TipPanel()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput | Qt::NoDropShadowWindowHint),
      m_fade(new QPropertyAnimation(this, "fade", this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    m_fade->setDuration(fadeMs);
    m_fade->setStartValue(0.0);
    m_fade->setEndValue(1.0);
}

qreal TipPanel::textWidth(const QString& text) const
{
    return std::min(maxTextWidth, std::ceil(textBounds(text).width()));
}

QSize TipPanel::fittingSize(const QString& text) const
{
    const QRectF bounds = textBounds(text);
    const qreal w = std::ceil(std::min(maxTextWidth, bounds.width())) + 2 * padX;
    const qreal h = std::ceil(bounds.height()) + 2 * padY;
    if (m_opaque) {
        return QSize(qCeil(w), qCeil(h));
    }
    return QSize(qCeil(w + 2 * shadowMargin), qCeil(h + arrowHeight + 2 * shadowMargin));
}

void TipPanel::showText(const QString& text)
{
    showText(text, QCursor::pos());
}

void TipPanel::showText(const QString& text, QPoint pointer)
{
    QScreen* screen = screenAt(pointer);
    if (!screen) {
        return;
    }
    m_opaque = !Compositing::active();
    const QSize size = fittingSize(text);
    const TipPlacement placement =
        TipGeometry::place(pointer, size, QRectF(screen->availableGeometry()));
    m_text = text;
    m_arrowUp = placement.arrowUp;
    setGeometry(QRect(placement.origin.toPoint(), size));
    m_fade->stop();
    // A fade needs blending with what is beneath; the opaque panel simply appears.
    setFade(m_opaque ? 1.0 : 0.0);
    show();
    if (!m_opaque) {
        m_fade->start();
    }
    emit shown(text);
}

void TipPanel::setFade(qreal level)
{
    m_fadeLevel = level;
    update();
}

void TipPanel::orderOut()
{
    m_fade->stop();
    hide();
}

void TipPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(tipFont());
    if (m_opaque) {
        paintPanel(painter);
    } else {
        paintBubble(painter);
    }
}

void TipPanel::paintPanel(QPainter& painter)
{
    const QRect area = rect();
    painter.fillRect(area, fill());
    // The bubble's faint white edge, laid over the fill by hand so every pixel stays opaque.
    painter.setPen(QColor::fromRgbF(0.2F, 0.2F, 0.2F));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(area).adjusted(padX, padY, -padX, -padY),
                     Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, m_text);
}

void TipPanel::paintBubble(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(m_fadeLevel);
    const QRectF area =
        QRectF(rect()).adjusted(shadowMargin, shadowMargin, -shadowMargin, -shadowMargin);
    const QRectF body = m_arrowUp ? area.adjusted(0, arrowHeight, 0, 0)
                                  : area.adjusted(0, 0, 0, -arrowHeight);
    QPainterPath shape = Shapes::continuousRect(body, radius);
    QPainterPath arrow;
    const qreal cx = area.center().x();
    if (m_arrowUp) {
        arrow.moveTo(cx, area.top());
        arrow.lineTo(cx + arrowWidth / 2, body.top() + 0.5);
        arrow.lineTo(cx - arrowWidth / 2, body.top() + 0.5);
    } else {
        arrow.moveTo(cx, area.bottom());
        arrow.lineTo(cx - arrowWidth / 2, body.bottom() - 0.5);
        arrow.lineTo(cx + arrowWidth / 2, body.bottom() - 0.5);
    }
    arrow.closeSubpath();
    const QPainterPath bubble = shape.united(arrow);

    // A soft shadow 2 points below: a few widening translucent strokes approximate the blur.
    painter.save();
    painter.translate(0, 2);
    for (int i = 6; i >= 1; --i) {
        painter.setPen(
            QPen(QColor(0, 0, 0, 10), i * 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(bubble);
    }
    painter.fillPath(bubble, QColor(0, 0, 0, 64));
    painter.restore();

    painter.fillPath(bubble, fill());
    painter.setPen(QPen(QColor(255, 255, 255, 20), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(Shapes::continuousRect(body.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5));

    painter.setPen(Qt::white);
    painter.drawText(body.adjusted(padX, padY, -padX, -padY),
                     Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, m_text);
}
