#include "app/AppIcon.h"

#include "ui/kit/BrandMark.h"

#include <QPixmap>

namespace AppIcon {

QIcon icon()
{
    QIcon drawn;
    for (int size : sizes) {
        drawn.addPixmap(QPixmap::fromImage(BrandMark::image(size)));
    }
    return drawn;
}

} // namespace AppIcon
