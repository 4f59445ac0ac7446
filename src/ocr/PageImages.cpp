#include "ocr/PageImages.h"

#include "engine/document/EngineText.h"
#include "engine/document/PasswordBytes.h"

#include <algorithm>
#include <poppler-qt6.h>
#include <stdexcept>

namespace {

// What Tesseract reads best; scanners make the same.
constexpr int scanningDpi = 300;
// A poster page at 300 dpi would take gigabytes; larger pages are drawn at less, which their
// large print bears.
constexpr double longestSide = 10'000;

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

} // namespace

PageImages::PageImages(const PDFSource& source)
    : m_document(Poppler::Document::load(source.path)), m_name(EngineText::fileName(source.path))
{
    if (!m_document) {
        fail(EngineText::openFailed(m_name));
    }
    if (m_document->isLocked() &&
        !(source.password && PasswordBytes::unlock(*m_document, *source.password))) {
        fail(EngineText::passwordNeeded(m_name));
    }
    m_document->setRenderHint(Poppler::Document::Antialiasing);
    m_document->setRenderHint(Poppler::Document::TextAntialiasing);
}

PageImages::~PageImages() = default;

PageImages::Picture PageImages::render(int page) const
{
    const std::unique_ptr<Poppler::Page> shown =
        page >= 0 && page < m_document->numPages() ? m_document->page(page) : nullptr;
    if (!shown) {
        fail(EngineText::openFailed(m_name));
    }
    const QSizeF points = shown->pageSizeF();
    const double side = std::max(points.width(), points.height()) / 72.0;
    const int dpi = side * scanningDpi > longestSide ? std::max(1, int(longestSide / side))
                                                     : scanningDpi;
    QImage image = shown->renderToImage(dpi, dpi);
    if (image.isNull()) {
        fail(EngineText::openFailed(m_name));
    }
    return {image.convertToFormat(QImage::Format_Grayscale8), dpi};
}
