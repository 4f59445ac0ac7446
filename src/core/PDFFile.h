#pragma once

#include "core/PDFSource.h"

#include <QList>
#include <QSizeF>
#include <QUuid>

// One admitted input document, with what the screens need to lay out its pages.
struct PDFFile {
    QUuid id;
    PDFSource source;
    // Each page's displayed size as the renderer read it at admission; the document itself
    // stays out of the window's process, where damage in it could hang or crash the session.
    QList<QSizeF> pageSizes;
    qint64 pageCount = 0;
    qint64 bytes = 0;

    // The size in points at which page `page` is shown: its crop box, turned
    // by a quarter turn when rotated; A4 for a page that does not exist.
    QSizeF displaySize(qint64 page) const;
};
