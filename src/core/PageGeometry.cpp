#include "core/PageGeometry.h"

#include <cstdlib>

namespace PageGeometry {

int normalizedRotation(long long degrees)
{
    long long folded = degrees % 360;
    if (folded < 0) {
        folded += 360;
    }
    return static_cast<int>(folded / 90 * 90);
}

QSizeF displaySize(QSizeF crop, long long rotation)
{
    if (std::llabs(rotation % 180) == 90) {
        return crop.transposed();
    }
    return crop;
}

} // namespace PageGeometry
