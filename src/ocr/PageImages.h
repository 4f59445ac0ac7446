#pragma once

#include "core/PDFSource.h"

#include <QImage>
#include <memory>

namespace Poppler {
class Document;
}

// One source's pages as Tesseract reads them: each page as displayed (its crop box, turned by its
// rotation), in grey, at scanning resolution. A thread keeps its own: poppler's documents are not
// for use by two threads at once.
class PageImages {
public:
    // Throws std::runtime_error with the engine's message for a source that does not open or
    // whose password does not unlock it.
    explicit PageImages(const PDFSource& source);
    ~PageImages();
    PageImages(const PageImages&) = delete;
    PageImages& operator=(const PageImages&) = delete;

    // The page's picture and the resolution it was drawn at; throws when it cannot be drawn.
    struct Picture {
        QImage grey;
        int dpi = 0;
    };
    Picture render(int page) const;

private:
    std::unique_ptr<Poppler::Document> m_document;
    QString m_name;
};
