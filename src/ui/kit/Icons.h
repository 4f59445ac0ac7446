#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QString>
#include <QStringList>

// Stroke weight of a drawn symbol, like the weights of a text style.
enum class SymbolWeight { light, regular, medium, semibold };

// The bundled symbol set, named after the symbols the screens ask for, tinted at run time.
namespace Icons {

// Every bundled symbol name, sorted.
QStringList names();
bool exists(const QString& name);

// The symbol drawn in `color` on a transparent square of `pixels` pixels;
// a null image for an unknown name.
QImage image(const QString& name, const QColor& color, int pixels,
             SymbolWeight weight = SymbolWeight::regular);
// The same at `side` points for a device of the given pixel ratio.
QPixmap pixmap(const QString& name, const QColor& color, qreal side, qreal devicePixelRatio,
               SymbolWeight weight = SymbolWeight::regular);
// An icon that renders itself sharply at whatever size it is asked for;
// its disabled mode is drawn at reduced opacity.
QIcon icon(const QString& name, const QColor& color, SymbolWeight weight = SymbolWeight::regular);

} // namespace Icons
