#pragma once

#include "core/AppData.h"
#include "core/ToolOptions.h"

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <variant>

// What a signature draws: pen strokes, or the bytes of an imported image. Plain geometry, so that
// a process stamping it needs no painting library; art/SignatureDrawing paints it on screen.
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

    // One step of an outline: a move, a line, or a cubic curve through c1 and c2, to `to`. A step
    // that does not move the pen is kept: a tap on the pad draws as a dot.
    struct Step {
        enum class Kind { move, line, curve };
        Kind kind = Kind::move;
        QPointF to;
        QPointF c1;
        QPointF c2;

        bool operator==(const Step&) const = default;
    };
    using Outline = QList<Step>;

    // An ink's colour, each component from 0 to 1.
    struct Colour {
        double red = 0;
        double green = 0;
        double blue = 0;
    };

    // Images declaring more pixels than this are refused before they are decoded.
    static constexpr qint64 maxImagePixels = 100'000'000;
    static constexpr double minimumLineWidth = 0.5;

    SignatureArt() = default; // no strokes: draws nothing
    SignatureArt(Strokes strokes);
    SignatureArt(Image image);

    // Moves to the first point, bends through the midpoints of successive
    // samples with quadratic curves (as their equivalent cubics), and ends with
    // a line to the last point.
    static Outline smooth(const QList<QPointF>& points);

    static Colour inkColour(InkColor ink);

    const Strokes* strokes() const { return std::get_if<Strokes>(&m_payload); }
    const Image* imageArt() const { return std::get_if<Image>(&m_payload); }

    // All strokes, smoothed and mapped into rect with normalised y = 0 at the
    // rectangle's top (screen orientation, y downwards). Empty for image art.
    Outline outline(const QRectF& rect) const;
    // The strokes whose samples all coincide, as points in rect: they draw as dots.
    QList<QPointF> dots(const QRectF& rect) const;
    // The stroke width for art drawn `height` high.
    double lineWidth(double height) const;

    bool operator==(const SignatureArt&) const = default;

private:
    std::variant<Strokes, Image> m_payload;
};
