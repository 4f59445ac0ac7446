#include "PDFFile.h"

#include "PageGeometry.h"

#include <poppler-qt6.h>

QSizeF PDFFile::displaySize(qint64 page) const
{
    if (!doc || page < 0 || page >= doc->numPages()) {
        return PageGeometry::a4Size;
    }
    const std::unique_ptr<Poppler::Page> p = doc->page(static_cast<int>(page));
    if (!p) {
        return PageGeometry::a4Size;
    }
    // Poppler reports the crop box already turned by the page's quarter turns,
    // which is exactly PageGeometry::displaySize of the raw crop box.
    return p->pageSizeF();
}
