#include "engine/structure/Rotation.h"

#include <qpdf/QPDFPageObjectHelper.hh>

#include <cmath>

namespace PDFEngine::Rotation {

long long shown(const QPDFObjectHandle& page)
{
    QPDFObjectHandle rotate = QPDFPageObjectHelper(page).getAttribute("/Rotate", false);
    if (!rotate.isInteger() && !rotate.isReal()) {
        return 0;
    }
    const double value = rotate.getNumericValue();
    if (!std::isfinite(value) || std::abs(value) > 1e9) {
        return 0;
    }
    const auto degrees = static_cast<long long>(std::llround(value));
    return degrees % 90 == 0 ? ((degrees % 360) + 360) % 360 : 0;
}

void turn(QPDFObjectHandle page, const QPDFObjectHandle& from, int quarterTurns)
{
    const long long turned = (((shown(from) + 90LL * (quarterTurns % 4)) % 360) + 360) % 360;
    if (turned == 0) {
        page.removeKey("/Rotate");
    } else {
        page.replaceKey("/Rotate", QPDFObjectHandle::newInteger(turned));
    }
}

} // namespace PDFEngine::Rotation
