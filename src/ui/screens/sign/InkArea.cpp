#include "ui/screens/sign/InkArea.h"

#include "art/SignatureDrawing.h"
#include "ui/kit/Theme.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTabletEvent>
#include <algorithm>

InkArea::InkArea(QWidget* parent) : QWidget(parent)
{
    setFixedSize(areaSize);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::CrossCursor);
    setAccessibleName(tr("İmza çizim alanı"));
}

void InkArea::setInk(InkColor ink)
{
    m_ink = ink;
    update();
}

void InkArea::clear()
{
    m_strokes.clear();
    m_current.clear();
    m_drawing = false;
    update();
    emit strokesChanged();
}

QPointF InkArea::clamped(QPointF at) const
{
    return {std::clamp<qreal>(at.x(), 0, areaSize.width()),
            std::clamp<qreal>(at.y(), 0, areaSize.height())};
}

void InkArea::begin(QPointF at)
{
    m_drawing = true;
    m_current = {clamped(at)};
    update();
}

void InkArea::extend(QPointF at)
{
    if (!m_drawing) {
        return;
    }
    m_current.append(clamped(at));
    update();
}

void InkArea::end()
{
    if (!m_drawing) {
        return;
    }
    m_drawing = false;
    if (!m_current.isEmpty()) {
        m_strokes.append(m_current);
    }
    m_current.clear();
    update();
    emit strokesChanged();
}

void InkArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        begin(event->position());
    }
}

void InkArea::mouseMoveEvent(QMouseEvent* event)
{
    extend(event->position());
}

void InkArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        end();
    }
}

void InkArea::tabletEvent(QTabletEvent* event)
{
    // Taken here so that Qt does not also synthesise mouse events for the pen.
    switch (event->type()) {
    case QEvent::TabletPress: begin(event->position()); break;
    case QEvent::TabletMove: extend(event->position()); break;
    case QEvent::TabletRelease: end(); break;
    default: event->ignore(); return;
    }
    event->accept();
}

void InkArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(QPointF(0, 0), QSizeF(areaSize));
    QPainterPath rounded;
    rounded.addRoundedRect(bounds, radius, radius);
    painter.setClipPath(rounded);
    painter.fillRect(bounds, DS::paper());
    const qreal baseline = bounds.bottom() - baselineRise;
    painter.fillRect(QRectF(baselineInset, baseline - 0.5, bounds.width() - 2 * baselineInset, 1),
                     QColor::fromRgbF(0, 0, 0, 0.14F));

    const QColor colour = SignatureDrawing::inkColor(m_ink);
    const QPen pen(colour, lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QList<Stroke> all = m_strokes;
    all.append(m_current);
    for (const Stroke& stroke : all) {
        if (stroke.isEmpty()) {
            continue;
        }
        const bool dot = std::all_of(stroke.cbegin(), stroke.cend(),
                                     [&](const QPointF& p) { return p == stroke.first(); });
        if (dot) {
            // The stroker draws nothing for a path of no length; paint its round cap.
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(stroke.first(), lineWidth / 2, lineWidth / 2);
        } else {
            painter.strokePath(SignatureDrawing::smooth(stroke), pen);
        }
    }

    painter.setClipping(false);
    painter.setPen(QPen(DS::paperEdge(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
}
