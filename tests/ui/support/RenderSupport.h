#pragma once

#include "Theme.h"

#include <QImage>
#include <QMetaType>
#include <QString>

Q_DECLARE_METATYPE(Appearance)

// What the render tests share: both palettes as data rows, and keeping the pictures.
namespace RenderSupport {

// Adds an "appearance" column with a "light" and a "dark" row.
void addAppearanceRows();
// Saves image as "<name>-<light|dark>.png" in LEAFLOW_RENDER_DIR when that is set;
// false only when saving there failed.
bool keep(const QImage& image, const QString& name, Appearance appearance);

} // namespace RenderSupport
