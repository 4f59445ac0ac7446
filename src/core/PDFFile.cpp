#include "core/PDFFile.h"

#include "core/PageGeometry.h"

QSizeF PDFFile::displaySize(qint64 page) const
{
    if (page < 0 || page >= pageSizes.size() || pageSizes[page].isEmpty()) {
        return PageGeometry::a4Size;
    }
    return pageSizes[page];
}
