#include "StepperControl.h"

#include "Shapes.h"
#include "Theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int controlWidth = 15;
constexpr int controlHeight = 24;

// A small open chevron pointing up (or down) centred in box.
QPainterPath chevron(const QRectF& box, bool up)
{
    const QPointF centre = box.center();
    const qreal halfWidth = 3.2;
    const qreal halfHeight = 1.8;
    const qreal tip = up ? -halfHeight : halfHeight;
    QPainterPath path;
    path.moveTo(centre.x() - halfWidth, centre.y() - tip);
    path.lineTo(centre.x(), centre.y() + tip);
    path.lineTo(centre.x() + halfWidth, centre.y() - tip);
    return path;
}

} // namespace

StepperControl::StepperControl(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StepperControl::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    m_value = std::clamp(m_value, m_minimum, m_maximum);
    update();
}

void StepperControl::setValue(int value)
{
    m_value = std::clamp(value, m_minimum, m_maximum);
    update();
}

QSize StepperControl::sizeHint() const
{
    return {controlWidth, controlHeight};
}

QRect StepperControl::upRect() const
{
    return {0, 0, controlWidth, controlHeight / 2};
}

QRect StepperControl::downRect() const
{
    return {0, controlHeight / 2, controlWidth, controlHeight / 2};
}

void StepperControl::step(int delta)
{
    const int next = std::clamp(m_value + delta, m_minimum, m_maximum);
    if (next == m_value) {
        return;
    }
    m_value = next;
    update();
    emit stepped(m_value);
}

void StepperControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const bool dark = Theme::isDark(pal);
    const QColor text = Theme::primary(pal);
    const QRectF body = QRectF(0, 0, controlWidth, controlHeight).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = Shapes::continuousRect(body, 4.5);

    if (!dark) {
        painter.fillPath(shape.translated(0, 0.5), Theme::withAlpha(Qt::black, 0.08));
    }
    painter.fillPath(shape, dark ? QColor(0x4a, 0x4a, 0x4d) : QColor(Qt::white));
    if (m_pressed != 0) {
        painter.save();
        painter.setClipRect(m_pressed > 0 ? upRect() : downRect());
        painter.fillPath(shape, Theme::withAlpha(text, 0.12));
        painter.restore();
    }
    painter.setPen(QPen(Theme::withAlpha(Qt::black, dark ? 0.3 : 0.14), 0.75));
    painter.drawPath(shape);
    painter.setPen(QPen(Theme::withAlpha(text, 0.1), 1));
    painter.drawLine(QPointF(3, controlHeight / 2.0),
                     QPointF(controlWidth - 3, controlHeight / 2.0));

    if (hasFocus()) {
        painter.setPen(QPen(Theme::withAlpha(Theme::accent(pal), 0.6), 2));
        painter.drawPath(Shapes::continuousRect(body.adjusted(-0.5, -0.5, 0.5, 0.5), 5));
    }

    auto arrow = [&](const QRect& box, bool up, bool active) {
        QPen pen(Theme::withAlpha(text, active ? 0.85 : 0.25), 1.4);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(chevron(QRectF(box).translated(0, up ? 1 : -1), up));
    };
    arrow(upRect(), true, canStepUp());
    arrow(downRect(), false, canStepDown());
}

void StepperControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (upRect().contains(pos) && canStepUp()) {
        m_pressed = 1;
    } else if (downRect().contains(pos) && canStepDown()) {
        m_pressed = -1;
    }
    update();
}

void StepperControl::mouseReleaseEvent(QMouseEvent* event)
{
    const int pressed = std::exchange(m_pressed, 0);
    const QPoint pos = event->position().toPoint();
    if (pressed > 0 && upRect().contains(pos)) {
        step(1);
    } else if (pressed < 0 && downRect().contains(pos)) {
        step(-1);
    }
    update();
}

void StepperControl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Plus: step(1); break;
    case Qt::Key_Down:
    case Qt::Key_Minus: step(-1); break;
    default: QWidget::keyPressEvent(event);
    }
}
