#include "ui/kit/SymbolView.h"

#include <QPainter>
#include <utility>

SymbolView::SymbolView(QString name, qreal side, Tone tone, QWidget* parent)
    : QWidget(parent), m_name(std::move(name)), m_side(side), m_tone(tone),
      m_frame(qCeil(side), qCeil(side))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
}

void SymbolView::setSymbol(const QString& name)
{
    m_name = name;
    update();
}

void SymbolView::setTone(Tone tone)
{
    m_tone = tone;
    m_color.reset();
    update();
}

void SymbolView::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void SymbolView::setWeight(SymbolWeight weight)
{
    m_weight = weight;
    update();
}

void SymbolView::setFrameSize(QSize size)
{
    m_frame = size;
    updateGeometry();
    update();
}

QColor SymbolView::currentColor() const
{
    return m_color ? *m_color : Theme::color(m_tone, palette());
}

QSize SymbolView::sizeHint() const
{
    return m_frame;
}

void SymbolView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor color = currentColor();
    if (!isEnabled()) {
        color.setAlphaF(color.alphaF() * 0.4F);
    }
    const QPixmap pm = Icons::pixmap(m_name, color, m_side, devicePixelRatioF(), m_weight);
    const QPointF origin((width() - m_side) / 2.0, (height() - m_side) / 2.0);
    painter.drawPixmap(origin, pm);
}
