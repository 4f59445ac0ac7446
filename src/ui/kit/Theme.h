#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

// The platform text styles, sized relative to the application font.
enum class TextStyle { body, title2, title3, headline, callout, subheadline, caption };

// A colour named by its role, resolved against whatever palette is current when drawn.
enum class Tone { primary, secondary, accent, up, down, white };

// Light or dark appearance; the dark one is simply a dark palette.
enum class Appearance { light, dark };

// Colours, fonts and palettes shared by every screen.
namespace Theme {

// A text style at its own weight, or at `weight` when one is given.
QFont font(TextStyle style);
QFont font(TextStyle style, QFont::Weight weight);
// A font of `points` at the platform's body size of 13, scaled to the application font.
QFont systemFont(qreal points, QFont::Weight weight = QFont::Normal);
// Digits of equal width, so counters and sizes do not jitter as they change.
QFont monospacedDigits(QFont font);

bool isDark(const QPalette& palette);
QPalette palette(Appearance appearance);

// Label colours of the platform, over a palette.
QColor primary(const QPalette& palette);
QColor secondary(const QPalette& palette);
// The accent as ink: icons, outlines and focus rings.
QColor accent(const QPalette& palette);
// The accent as a fill under white text: the selected row, the prominent button.
QColor accentFill(const QPalette& palette);
// The boundary of a control (check box, field, bordered button) and of the focus ring's gap: it
// reads at 3 : 1 against the window and the controls' background, so every control can be found.
QColor outline(const QPalette& palette);
// Text and symbols of a control that cannot be used now: dimmer than secondary text, yet still
// 3 : 1 against what it sits on.
QColor disabled(const QPalette& palette);
QColor color(Tone tone, const QPalette& palette);

// The same colour at another opacity, 0 to 1.
QColor withAlpha(QColor color, qreal alpha);

} // namespace Theme

// Design tokens over the current palette.
namespace DS {
QColor surface(const QPalette& palette);
QColor canvas(const QPalette& palette);
QColor hairline(const QPalette& palette);
QColor up(const QPalette& palette);
QColor down(const QPalette& palette);
QColor paper();
// The red of marks drawn on paper, which stays white in either appearance.
QColor paperDown();
QColor paperEdge();
} // namespace DS

// The brand's fixed, fully opaque sRGB colours.
namespace Brand {
QColor crimson();
QColor crimson2();
} // namespace Brand

// Sizes in points shared by the tool pages.
namespace Metrics {
inline constexpr int pageSide = 24; // left and right padding of a page
inline constexpr int headerTop = 16;
inline constexpr int headerBottom = 12;
inline constexpr int footerVertical = 12;
inline constexpr int rowSpacing = 12;
inline constexpr int cardRadius = 10;
inline constexpr int dropInset = 8; // the drop outline's distance to the page edges
inline constexpr int dropZoneBottom = 16;
} // namespace Metrics
