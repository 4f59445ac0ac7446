#pragma once

#include "engine/include/SignatureArt.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>

class QPainter;

// Signature art painted with Qt: on screen, in previews, and decoded for stamping.
namespace SignatureDrawing {

// The outline as a painter path, its steps that do not move the pen kept (a painter path drops
// them, and a tap on the pad is one).
QPainterPath path(const SignatureArt::Outline& outline);
// SignatureArt::smooth as a painter path.
QPainterPath smooth(const QList<QPointF>& points);
QColor inkColor(InkColor ink);

// The decoded image, upright; null for strokes, for bytes that do not decode, and for images
// declaring more than SignatureArt::maxImagePixels pixels, refused before they are decoded.
QImage decodedImage(const SignatureArt& art);
QImage decodedImage(const QByteArray& bytes, qint64 maxPixels);

// Draws the art so that it fills rect of a painter whose y axis points down.
void draw(const SignatureArt& art, const QRectF& rect, QPainter& painter);
// A transparent image of `size` with the art drawn over all of it.
QImage image(const SignatureArt& art, QSize size);

} // namespace SignatureDrawing
