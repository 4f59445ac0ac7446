#include "engine/include/SignatureArt.h"

#include <algorithm>

namespace {

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

SignatureArt::Outline SignatureArt::smooth(const QList<QPointF>& points)
{
    Outline outline;
    if (points.isEmpty()) {
        return outline;
    }
    outline.append({Step::Kind::move, points.first(), {}, {}});
    QPointF from = points.first();
    for (qsizetype i = 1; i + 1 < points.size(); ++i) {
        const QPointF control = points[i];
        const QPointF to = (points[i] + points[i + 1]) / 2.0;
        outline.append({Step::Kind::curve, to, from + (control - from) * (2.0 / 3.0),
                        to + (control - to) * (2.0 / 3.0)});
        from = to;
    }
    outline.append({Step::Kind::line, points.last(), {}, {}});
    return outline;
}

SignatureArt::Colour SignatureArt::inkColour(InkColor ink)
{
    switch (ink) {
    case InkColor::blue: return {0.06, 0.18, 0.62};
    case InkColor::black: break;
    }
    return {0.07, 0.07, 0.09};
}

SignatureArt::Outline SignatureArt::outline(const QRectF& rect) const
{
    Outline all;
    if (const Strokes* art = strokes()) {
        for (const Stroke& stroke : art->strokes) {
            if (!stroke.isEmpty()) {
                all.append(smooth(mapped(stroke, rect)));
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
