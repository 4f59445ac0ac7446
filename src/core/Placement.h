#pragma once

#include <QRectF>
#include <QUuid>

// One signature placed on a page; rect is in normalised page coordinates
// (fractions of the displayed page, origin top-left, y downwards).
struct Placement {
    QUuid id;
    QUuid signatureID;
    int page = 0;
    QRectF rect;

    bool operator==(const Placement&) const = default;
};
