#pragma once

#include "core/AppData.h"
#include "core/ToolOptions.h"

#include <QWidget>

class QTabletEvent;

// The pad's drawing area: paper with a baseline, and the ink drawn so far,
// smoothed the way a saved signature is drawn. Mouse, pen and touch all draw;
// points are clamped to the area, and a click without movement makes a dot.
class InkArea : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize areaSize{520, 200};
    static constexpr double lineWidth = 2.6;
    static constexpr qreal radius = 10;
    static constexpr qreal baselineInset = 24; // from the left and right edges
    static constexpr qreal baselineRise = 52;  // above the bottom edge

    explicit InkArea(QWidget* parent = nullptr);

    const QList<Stroke>& strokes() const { return m_strokes; }
    const Stroke& current() const { return m_current; }
    InkColor ink() const { return m_ink; }
    void setInk(InkColor ink);
    // Forgets every stroke, the one being drawn included.
    void clear();

    QSize sizeHint() const override { return areaSize; }

signals:
    // A stroke was finished, or the strokes were cleared.
    void strokesChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void tabletEvent(QTabletEvent* event) override;

private:
    void begin(QPointF at);
    void extend(QPointF at);
    void end();
    QPointF clamped(QPointF at) const;

    QList<Stroke> m_strokes;
    Stroke m_current;
    bool m_drawing = false;
    InkColor m_ink = InkColor::black;
};
