#include "engine/include/SignatureArt.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPen>
#include <algorithm>

namespace {

// QPainterPath silently drops a segment that does not move the pen. A tap on
// the pad is exactly such a segment and must survive as a dot, so degenerate
// segments are appended displaced and then moved back into place.
void appendLine(QPainterPath& path, QPointF to)
{
    if (path.currentPosition() != to) {
        path.lineTo(to);
        return;
    }
    path.lineTo(to + QPointF(1, 0));
    path.setElementPositionAt(path.elementCount() - 1, to.x(), to.y());
}

// The quadratic curve from the current point, written as its equivalent cubic.
void appendQuad(QPainterPath& path, QPointF control, QPointF to)
{
    const QPointF from = path.currentPosition();
    const QPointF c1 = from + (control - from) * (2.0 / 3.0);
    const QPointF c2 = to + (control - to) * (2.0 / 3.0);
    if (from != c1 || c1 != c2 || c2 != to) {
        path.cubicTo(c1, c2, to);
        return;
    }
    const QPointF away = to + QPointF(1, 0);
    path.cubicTo(away, away, away);
    const int last = path.elementCount() - 1;
    for (int i = last - 2; i <= last; ++i) {
        path.setElementPositionAt(i, to.x(), to.y());
    }
}

QList<QPointF> mapped(const Stroke& stroke, const QRectF& rect)
{
    QList<QPointF> points;
    points.reserve(stroke.size());
    for (const QPointF& p : stroke) {
        points.append(
            QPointF(rect.left() + p.x() * rect.width(), rect.top() + p.y() * rect.height()));
    }
    return points;
}

} // namespace

SignatureArt::SignatureArt(Strokes strokes) : m_payload(std::move(strokes)) {}

SignatureArt::SignatureArt(Image image) : m_payload(std::move(image)) {}

QPainterPath SignatureArt::smooth(const QList<QPointF>& points)
{
    QPainterPath path;
    if (points.isEmpty()) {
        return path;
    }
    path.moveTo(points.first());
    for (qsizetype i = 1; i + 1 < points.size(); ++i) {
        appendQuad(path, points[i], (points[i] + points[i + 1]) / 2.0);
    }
    appendLine(path, points.last());
    return path;
}

QColor SignatureArt::inkColor(InkColor ink)
{
    switch (ink) {
    case InkColor::blue: return QColor::fromRgbF(0.06f, 0.18f, 0.62f);
    case InkColor::black: break;
    }
    return QColor::fromRgbF(0.07f, 0.07f, 0.09f);
}

QPainterPath SignatureArt::path(const QRectF& rect) const
{
    QPainterPath all;
    if (const Strokes* art = strokes()) {
        for (const Stroke& stroke : art->strokes) {
            if (!stroke.isEmpty()) {
                all.addPath(smooth(mapped(stroke, rect)));
            }
        }
    }
    return all;
}

QList<QPointF> SignatureArt::dots(const QRectF& rect) const
{
    QList<QPointF> found;
    if (const Strokes* art = strokes()) {
        for (const Stroke& stroke : art->strokes) {
            const QList<QPointF> points = mapped(stroke, rect);
            if (!points.isEmpty() &&
                std::all_of(points.begin(), points.end(),
                            [&](const QPointF& p) { return p == points.first(); })) {
                found.append(points.first());
            }
        }
    }
    return found;
}

double SignatureArt::lineWidth(double height) const
{
    const Strokes* art = strokes();
    const double weight = art ? art->weight : SavedSignature::defaultWeight;
    return std::max(height * weight, minimumLineWidth);
}

QImage SignatureArt::decodedImage() const
{
    const Image* art = imageArt();
    if (!art) {
        return {};
    }
    QBuffer buffer;
    buffer.setData(art->bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        return {};
    }
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    // The declared size is checked before any pixel is decoded, so a small
    // file claiming an enormous picture cannot exhaust memory.
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.isEmpty() ||
        qint64(declared.width()) * qint64(declared.height()) > maxImagePixels) {
        return {};
    }
    QImage decoded;
    if (!reader.read(&decoded)) {
        return {};
    }
    return decoded;
}

void SignatureArt::draw(const QRectF& rect, QPainter& painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (imageArt()) {
        const QImage decoded = decodedImage();
        if (!decoded.isNull()) {
            // A scanned signature's white paper must not hide the page beneath it.
            painter.setCompositionMode(QPainter::CompositionMode_Multiply);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect, decoded);
        }
    } else if (const Strokes* art = strokes()) {
        const QColor colour = inkColor(art->ink);
        const double width = lineWidth(rect.height());
        painter.strokePath(path(rect),
                           QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        // Qt's stroker leaves zero-length subpaths blank where a PDF reader
        // paints their round caps; paint those dots here so both agree.
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        for (const QPointF& dot : dots(rect)) {
            painter.drawEllipse(dot, width / 2, width / 2);
        }
    }
    painter.restore();
}

QImage SignatureArt::image(QSize size) const
{
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    if (result.isNull()) {
        return result;
    }
    QPainter painter(&result);
    draw(QRectF(QPointF(0, 0), QSizeF(size)), painter);
    return result;
}
