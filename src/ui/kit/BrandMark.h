#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

class QPainter;

// The application's drawn logo: two pages, the front one with a folded corner, on a crimson tile.
class BrandMark : public QWidget {
    Q_OBJECT
public:
    explicit BrandMark(qreal size, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // Where a point of the 1024-unit design space (y up, 100…924 visible)
    // lands in a mark of side `size` whose origin is its top-left corner.
    static QPointF map(QPointF design, qreal size);
    // Draws the mark into the square of side `size` at `origin`.
    static void paint(QPainter& painter, QPointF origin, qreal size);
    // The mark alone on a transparent square of `pixels` pixels.
    static QImage image(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_size;
};
