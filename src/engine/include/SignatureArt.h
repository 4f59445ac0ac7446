#pragma once

#include "core/AppData.h"
#include "core/ToolOptions.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>
#include <variant>

class QPainter;

// What a signature draws: pen strokes, or the bytes of an imported image.
class SignatureArt {
public:
    // A drawn signature; points are normalised, x to the right and y downwards.
    struct Strokes {
        QList<Stroke> strokes;
        double weight = SavedSignature::defaultWeight; // line width / drawn height
        InkColor ink = InkColor::black;

        bool operator==(const Strokes&) const = default;
    };

    // An imported signature: the file's bytes in any format QImageReader reads.
    struct Image {
        QByteArray bytes;

        bool operator==(const Image&) const = default;
    };

    // Images declaring more pixels than this are refused before they are decoded.
    static constexpr qint64 maxImagePixels = 100'000'000;
    static constexpr double minimumLineWidth = 0.5;

    SignatureArt() = default; // no strokes: draws nothing
    SignatureArt(Strokes strokes);
    SignatureArt(Image image);

    // Moves to the first point, bends through the midpoints of successive
    // samples with quadratic curves, and ends with a line to the last point.
    static QPainterPath smooth(const QList<QPointF>& points);

    static QColor inkColor(InkColor ink);

    const Strokes* strokes() const { return std::get_if<Strokes>(&m_payload); }
    const Image* imageArt() const { return std::get_if<Image>(&m_payload); }

    // All strokes, smoothed and mapped into rect with normalised y = 0 at the
    // rectangle's top (screen orientation, y downwards). Empty for image art.
    QPainterPath path(const QRectF& rect) const;
    // The strokes whose samples all coincide, as points in rect: they draw as dots.
    QList<QPointF> dots(const QRectF& rect) const;
    // The stroke width for art drawn `height` high.
    double lineWidth(double height) const;
    // The decoded image; null for strokes and for bytes that do not decode.
    QImage decodedImage() const;

    // Draws the art so that it fills rect of a painter whose y axis points down.
    void draw(const QRectF& rect, QPainter& painter) const;
    // A transparent image of `size` with the art drawn over all of it.
    QImage image(QSize size) const;

    bool operator==(const SignatureArt&) const = default;

private:
    std::variant<Strokes, Image> m_payload;
};
