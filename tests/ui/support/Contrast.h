#pragma once

#include <QColor>
#include <algorithm>
#include <cmath>

// Colour arithmetic of the contrast checks.
namespace Contrast {

// `top` laid over an opaque `under`, as the screen shows it.
inline QColor over(const QColor& top, const QColor& under)
{
    const float a = top.alphaF();
    return QColor::fromRgbF(top.redF() * a + under.redF() * (1 - a),
                            top.greenF() * a + under.greenF() * (1 - a),
                            top.blueF() * a + under.blueF() * (1 - a));
}

// The WCAG contrast ratio of two opaque colours.
inline double ratio(const QColor& one, const QColor& other)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double a = luminance(one);
    const double b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace Contrast
