#include "ui/kit/Theme.h"

#include <QApplication>

namespace {

// The platform sizes its text styles against a body size of 13 points.
constexpr qreal bodyPoints = 13.0;

struct StyleSpec {
    qreal points;
    QFont::Weight weight;
};

StyleSpec specOf(TextStyle style)
{
    switch (style) {
    case TextStyle::title2: return {17, QFont::Normal};
    case TextStyle::title3: return {15, QFont::Normal};
    case TextStyle::headline: return {13, QFont::DemiBold};
    case TextStyle::callout: return {12, QFont::Normal};
    case TextStyle::subheadline: return {11, QFont::Normal};
    case TextStyle::caption: return {10, QFont::Normal};
    case TextStyle::body: break;
    }
    return {bodyPoints, QFont::Normal};
}

// Secondary text is the label colour at this opacity: as light as it can be while it still reads
// at 4.5 : 1 on every surface it sits on, tinted badges included.
qreal secondaryAlpha(bool dark)
{
    return dark ? 0.57 : 0.65;
}

// Outlines and disabled text are the label colour at these opacities: the lightest that still
// reach 3 : 1 on the window, the controls' background and the sidebar.
qreal outlineAlpha(bool dark)
{
    return dark ? 0.42 : 0.52;
}

qreal disabledAlpha(bool dark)
{
    return dark ? 0.45 : 0.55;
}

QColor rgbF(qreal r, qreal g, qreal b)
{
    return QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
}

} // namespace

namespace Theme {

QColor withAlpha(QColor color, qreal alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

QFont systemFont(qreal points, QFont::Weight weight)
{
    QFont font = QApplication::font();
    const qreal scale = points / bodyPoints;
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * scale);
    } else {
        font.setPixelSize(qMax(1, qRound(font.pixelSize() * scale)));
    }
    font.setWeight(weight);
    if (points < bodyPoints) {
        // Light hinting, the desktop's usual choice, snaps the dot of a small "İ" onto its stem
        // (it reads "I"); the font's own full hinting keeps the dot apart at these sizes.
        font.setHintingPreference(QFont::PreferFullHinting);
    }
    return font;
}

QFont font(TextStyle style)
{
    const StyleSpec spec = specOf(style);
    return systemFont(spec.points, spec.weight);
}

QFont font(TextStyle style, QFont::Weight weight)
{
    return systemFont(specOf(style).points, weight);
}

// Taken by value: it is changed where Qt can ask for tabular figures (6.7 and later).
QFont monospacedDigits(QFont font) // NOLINT(performance-unnecessary-value-param)
{
    // The bundled sans fonts draw tabular figures by default; where Qt can ask
    // for them explicitly we do, so a font with proportional figures complies too.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    font.setFeature(QFont::Tag("tnum"), 1);
#endif
    return font;
}

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

QPalette palette(Appearance appearance)
{
    const bool dark = appearance == Appearance::dark;
    const QColor window = dark ? QColor(0x29, 0x29, 0x2b) : QColor(0xec, 0xec, 0xee);
    const QColor base = dark ? QColor(0x1e, 0x1e, 0x20) : QColor(0xff, 0xff, 0xff);
    const QColor text = dark ? QColor(0xf2, 0xf2, 0xf5) : QColor(0x1d, 0x1d, 0x1f);
    const QColor accent = dark ? QColor(0x0a, 0x84, 0xff) : QColor(0x00, 0x7a, 0xff);
    // The accent's hue at a lightness that white text (and a white badge) can be read on, for
    // the filled selection and the prominent button.
    const QColor accentFill = dark ? QColor(0x00, 0x65, 0xcc) : QColor(0x00, 0x64, 0xd1);
    const QColor button = dark ? QColor(0x3a, 0x3a, 0x3d) : QColor(0xff, 0xff, 0xff);

    QPalette p(button, window);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, dark ? QColor(0x26, 0x26, 0x28) : QColor(0xf5, 0xf5, 0xf7));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, accentFill);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, accent);
    p.setColor(QPalette::PlaceholderText, Theme::withAlpha(text, secondaryAlpha(dark)));
    p.setColor(QPalette::ToolTipBase, QColor(0x21, 0x21, 0x21));
    p.setColor(QPalette::ToolTipText, Qt::white);
    p.setColor(QPalette::Light, dark ? QColor(0x4a, 0x4a, 0x4d) : QColor(0xff, 0xff, 0xff));
    p.setColor(QPalette::Midlight, dark ? QColor(0x3f, 0x3f, 0x42) : QColor(0xe3, 0xe3, 0xe6));
    p.setColor(QPalette::Mid, dark ? QColor(0x33, 0x33, 0x36) : QColor(0xc8, 0xc8, 0xcc));
    p.setColor(QPalette::Dark, dark ? QColor(0x15, 0x15, 0x17) : QColor(0xa0, 0xa0, 0xa5));
    p.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Disabled, role, Theme::withAlpha(text, disabledAlpha(dark)));
    }
    p.setColor(QPalette::Disabled, QPalette::Highlight, Theme::withAlpha(accentFill, 0.4));
    return p;
}

QColor primary(const QPalette& palette)
{
    return palette.color(QPalette::WindowText);
}

QColor secondary(const QPalette& palette)
{
    return Theme::withAlpha(palette.color(QPalette::WindowText), secondaryAlpha(isDark(palette)));
}

QColor accent(const QPalette& palette)
{
    return palette.color(QPalette::Active, QPalette::Link);
}

QColor accentFill(const QPalette& palette)
{
    return palette.color(QPalette::Active, QPalette::Highlight);
}

// Both from the active label colour: a disabled widget's palette already fades its own.
QColor outline(const QPalette& palette)
{
    return Theme::withAlpha(palette.color(QPalette::Active, QPalette::WindowText),
                            outlineAlpha(isDark(palette)));
}

QColor disabled(const QPalette& palette)
{
    return Theme::withAlpha(palette.color(QPalette::Active, QPalette::WindowText),
                            disabledAlpha(isDark(palette)));
}

QColor color(Tone tone, const QPalette& palette)
{
    switch (tone) {
    case Tone::primary: return primary(palette);
    case Tone::secondary: return secondary(palette);
    case Tone::accent: return accent(palette);
    case Tone::up: return DS::up(palette);
    case Tone::down: return DS::down(palette);
    case Tone::white: break;
    }
    return Qt::white;
}

} // namespace Theme

namespace DS {

QColor surface(const QPalette& palette)
{
    return palette.color(QPalette::Base);
}

QColor canvas(const QPalette& palette)
{
    return palette.color(QPalette::Window);
}

QColor hairline(const QPalette& palette)
{
    return Theme::withAlpha(Theme::primary(palette), 0.08);
}

// The platform's green and red in their light and dark variants, at lightnesses where text in
// them reads at 4.5 : 1 on the window, the controls and their own tinted badges and banners.
QColor up(const QPalette& palette)
{
    return Theme::isDark(palette) ? QColor(48, 209, 88) : QColor(29, 110, 49);
}

QColor down(const QPalette& palette)
{
    return Theme::isDark(palette) ? QColor(255, 81, 70) : QColor(215, 11, 0);
}

QColor paperDown()
{
    return {215, 11, 0};
}

QColor paper()
{
    return Qt::white;
}

QColor paperEdge()
{
    return Theme::withAlpha(Qt::black, 0.14);
}

} // namespace DS

namespace Brand {

QColor crimson()
{
    return rgbF(0.76, 0.13, 0.18);
}

QColor crimson2()
{
    return rgbF(0.90, 0.24, 0.24);
}

} // namespace Brand
