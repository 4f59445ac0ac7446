#include "art/SignatureDrawing.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QPen>

namespace SignatureDrawing {

namespace {

// A painter path silently drops a segment that does not move the pen, so such
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

void appendCurve(QPainterPath& path, const SignatureArt::Step& step)
{
    const QPointF from = path.currentPosition();
    if (from != step.c1 || step.c1 != step.c2 || step.c2 != step.to) {
        path.cubicTo(step.c1, step.c2, step.to);
        return;
    }
    const QPointF away = step.to + QPointF(1, 0);
    path.cubicTo(away, away, away);
    const int last = path.elementCount() - 1;
    for (int i = last - 2; i <= last; ++i) {
        path.setElementPositionAt(i, step.to.x(), step.to.y());
    }
}

} // namespace

QPainterPath path(const SignatureArt::Outline& outline)
{
    using Kind = SignatureArt::Step::Kind;
    QPainterPath drawn;
    for (const SignatureArt::Step& step : outline) {
        switch (step.kind) {
        case Kind::move: drawn.moveTo(step.to); break;
        case Kind::line: appendLine(drawn, step.to); break;
        case Kind::curve: appendCurve(drawn, step); break;
        }
    }
    return drawn;
}

QPainterPath smooth(const QList<QPointF>& points)
{
    return path(SignatureArt::smooth(points));
}

QColor inkColor(InkColor ink)
{
    const SignatureArt::Colour colour = SignatureArt::inkColour(ink);
    return QColor::fromRgbF(float(colour.red), float(colour.green), float(colour.blue));
}

QImage decodedImage(const QByteArray& bytes, qint64 maxPixels)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        return {};
    }
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    // The declared size is checked before any pixel is decoded, so a small
    // file claiming an enormous picture cannot exhaust memory.
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.isEmpty() ||
        qint64(declared.width()) * qint64(declared.height()) > maxPixels) {
        return {};
    }
    QImage decoded;
    if (!reader.read(&decoded)) {
        return {};
    }
    return decoded;
}

QImage decodedImage(const SignatureArt& art)
{
    const SignatureArt::Image* image = art.imageArt();
    return image ? decodedImage(image->bytes, SignatureArt::maxImagePixels) : QImage();
}

void draw(const SignatureArt& art, const QRectF& rect, QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (art.imageArt()) {
        const QImage decoded = decodedImage(art);
        if (!decoded.isNull()) {
            // A scanned signature's white paper must not hide the page beneath it.
            painter.setCompositionMode(QPainter::CompositionMode_Multiply);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect, decoded);
        }
    } else if (const SignatureArt::Strokes* strokes = art.strokes()) {
        const QColor colour = inkColor(strokes->ink);
        const double width = art.lineWidth(rect.height());
        painter.strokePath(path(art.outline(rect)),
                           QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        // Qt's stroker leaves zero-length subpaths blank where a PDF reader
        // paints their round caps; paint those dots here so both agree.
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        for (const QPointF& dot : art.dots(rect)) {
            painter.drawEllipse(dot, width / 2, width / 2);
        }
    }
    painter.restore();
}

QImage image(const SignatureArt& art, QSize size)
{
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    if (result.isNull()) {
        return result;
    }
    QPainter painter(&result);
    draw(art, QRectF(QPointF(0, 0), QSizeF(size)), painter);
    return result;
}

} // namespace SignatureDrawing
