#include "ui/kit/BrandMark.h"

#include "ui/kit/Shapes.h"
#include "ui/kit/Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <initializer_list>

namespace {

constexpr qreal designMin = 100;
constexpr qreal designMax = 924;
constexpr qreal designSpan = designMax - designMin;

QPainterPath polygon(std::initializer_list<QPointF> points, qreal size)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        const QPointF mapped = BrandMark::map(point, size);
        if (first) {
            path.moveTo(mapped);
            first = false;
        } else {
            path.lineTo(mapped);
        }
    }
    path.closeSubpath();
    return path;
}

} // namespace

BrandMark::BrandMark(qreal size, QWidget* parent) : QWidget(parent), m_size(size)
{
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_TranslucentBackground);
}

QSize BrandMark::sizeHint() const
{
    const int side = qCeil(m_size);
    return {side, side};
}

QPointF BrandMark::map(QPointF design, qreal size)
{
    const qreal s = size / designSpan;
    return {(design.x() - designMin) * s, (designMax - design.y()) * s};
}

void BrandMark::paint(QPainter& painter, QPointF origin, qreal size)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(origin);

    QLinearGradient tile(0, 0, 0, size);
    tile.setColorAt(0, Brand::crimson2());
    tile.setColorAt(1, Brand::crimson());
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawPath(Shapes::continuousRect(QRectF(0, 0, size, size), 0.225 * size));

    painter.setBrush(Theme::withAlpha(Qt::white, 0.38));
    painter.drawPath(polygon({{400, 330}, {740, 330}, {740, 800}, {400, 800}}, size));

    painter.setBrush(Qt::white);
    painter.drawPath(polygon({{290, 230}, {640, 230}, {640, 610}, {530, 720}, {290, 720}}, size));

    painter.setBrush(QColor::fromRgbF(1.0F, 0.8F, 0.76F));
    painter.drawPath(polygon({{530, 720}, {530, 610}, {640, 610}}, size));

    QPen line(Theme::withAlpha(Brand::crimson(), 0.30), 26 * size / designSpan, Qt::SolidLine,
              Qt::RoundCap);
    painter.setPen(line);
    painter.setBrush(Qt::NoBrush);
    const std::initializer_list<QPointF> lines = {{520, 480}, {450, 590}, {380, 590}, {310, 500}};
    for (const QPointF& heightAndEnd : lines) {
        const qreal y = heightAndEnd.x();
        painter.drawLine(map({340, y}, size), map({heightAndEnd.y(), y}, size));
    }
    painter.restore();
}

QImage BrandMark::image(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(painter, {0, 0}, pixels);
    return image;
}

void BrandMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, {(width() - m_size) / 2, (height() - m_size) / 2}, m_size);
}
