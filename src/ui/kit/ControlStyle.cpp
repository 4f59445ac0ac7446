#include "ui/kit/ControlStyle.h"

#include "ui/kit/Shapes.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>
#include <cmath>

namespace {

bool keyboardFocused(const QStyleOption& option)
{
    return option.state.testFlag(QStyle::State_HasFocus) &&
           option.state.testFlag(QStyle::State_KeyboardFocusChange);
}

} // namespace

ControlStyle::ControlStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ControlStyle::apply(Appearance appearance)
{
    QApplication::setStyle(new ControlStyle);
    QApplication::setPalette(Theme::palette(appearance));
}

void ControlStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const
{
    switch (element) {
    case PE_IndicatorCheckBox: drawCheckBox(*option, *painter); return;
    case PE_PanelButtonCommand:
        // Plain push buttons and combo boxes: Fusion's face, then an edge that can be seen.
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (!keyboardFocused(*option)) {
            drawEdge(*option, *painter, 2);
        }
        return;
    case PE_FrameLineEdit:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (!option->state.testFlag(State_HasFocus)) {
            drawEdge(*option, *painter, 2);
        }
        return;
    default: break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ControlStyle::drawEdge(const QStyleOption& option, QPainter& painter, qreal radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Theme::outline(option.palette), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(option.rect).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.restore();
}

// An unticked box is the controls' background inside the outline; a ticked one is filled with the
// accent under a white tick, as on the platform, so neither depends on the window colour.
void ControlStyle::drawCheckBox(const QStyleOption& option, QPainter& painter)
{
    const QPalette& pal = option.palette;
    const bool enabled = option.state.testFlag(State_Enabled);
    const bool on = option.state.testFlag(State_On);
    const bool partly = option.state.testFlag(State_NoChange);
    const qreal side = std::min(option.rect.width(), option.rect.height());
    QRectF box(0, 0, side - 1, side - 1);
    // On half pixels, so the one-pixel outline keeps its full contrast.
    box.moveTopLeft(
        QPointF(option.rect.left() + 0.5,
                option.rect.top() + std::floor((option.rect.height() - side) / 2) + 0.5));
    const QPainterPath shape = Shapes::continuousRect(box, 3);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const bool filled = (on || partly) && enabled;
    painter.fillPath(shape, filled ? Theme::accent(pal) : DS::surface(pal));
    if (!filled) {
        painter.setPen(QPen(Theme::outline(pal), 1));
        painter.drawPath(shape);
    }
    if (on || partly) {
        QPen mark(enabled ? QColor(Qt::white) : Theme::disabled(pal), side / 8.0, Qt::SolidLine,
                  Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(mark);
        painter.setBrush(Qt::NoBrush);
        const auto at = [&box](qreal x, qreal y) {
            return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
        };
        if (partly) {
            painter.drawLine(at(0.27, 0.5), at(0.73, 0.5));
        } else {
            QPainterPath tick;
            tick.moveTo(at(0.25, 0.52));
            tick.lineTo(at(0.43, 0.7));
            tick.lineTo(at(0.76, 0.3));
            painter.drawPath(tick);
        }
    }
    painter.restore();
}
