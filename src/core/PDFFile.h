#pragma once

#include "PDFSource.h"

#include <QSizeF>
#include <QUuid>
#include <memory>

namespace Poppler {
class Document;
}

// One admitted input document, with the document kept open for on-screen use.
struct PDFFile {
    QUuid id;
    PDFSource source;
    std::shared_ptr<Poppler::Document> doc; // shared, never written
    qint64 pageCount = 0;
    qint64 bytes = 0;

    // The size in points at which page `page` is shown: its crop box, turned
    // by a quarter turn when rotated; A4 for a page that does not exist.
    QSizeF displaySize(qint64 page) const;
};
