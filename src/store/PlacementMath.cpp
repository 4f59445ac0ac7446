#include "store/PlacementMath.h"

#include "core/PageGeometry.h"

#include <algorithm>
#include <cmath>

namespace PlacementMath {

namespace {

QSizeF usablePage(QSizeF page)
{
    return page.width() > 0 && page.height() > 0 ? page : PageGeometry::a4Size;
}

} // namespace

double usableAspect(double aspect)
{
    return std::isfinite(aspect) && aspect > 0 ? aspect : 1.0;
}

QRectF placed(QSizeF page, double aspect, qsizetype existing)
{
    const QSizeF size = usablePage(page);
    const double W = size.width();
    const double H = size.height();
    const double a = usableAspect(aspect);

    double w = placedWidth;
    double h = (placedWidth * W) / (H * a);
    if (h > heightCap) {
        h = heightCap;
        w = (heightCap * a * H) / W;
    }
    const double shift = cascadeStep * static_cast<double>(existing);
    const double x = std::min(1 - w, 0.5 - w / 2 + shift);
    const double y = std::min(1 - h, firstTop + shift);
    return {x, y, w, h};
}

QRectF moved(const QRectF& start, QPointF translation)
{
    const double x = std::min(1 - start.width(), std::max(0.0, start.x() + translation.x()));
    const double y = std::min(1 - start.height(), std::max(0.0, start.y() + translation.y()));
    return {x, y, start.width(), start.height()};
}

QRectF resized(const QRectF& start, double widthTranslation)
{
    if (!(start.width() > 0) || !(start.height() > 0)) {
        return start; // no proportions to keep
    }
    double w = std::max(minimumWidth, start.width() + widthTranslation);
    w = std::min(1 - start.x(), w);
    double h = start.height() * w / start.width();
    if (start.y() + h > 1) {
        h = 1 - start.y();
        w = h * start.width() / start.height();
    }
    return {start.x(), start.y(), w, h};
}

} // namespace PlacementMath
