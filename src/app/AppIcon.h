#pragma once

#include <QIcon>
#include <QList>

// The application's icon: the brand mark at the sizes desktops ask for.
namespace AppIcon {

inline const QList<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256, 512};

// The mark drawn at every size, so window lists show it before it is installed.
QIcon icon();

} // namespace AppIcon
