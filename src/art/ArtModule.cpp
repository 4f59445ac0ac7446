#include "art/QtPictureReader.h"

// The picture-reading module: Qt's image formats, loaded by a process only when it meets image art.
extern "C" Q_DECL_EXPORT void
leaflow_make_picture_reader(std::shared_ptr<PDFEngine::PictureReader>& reader)
{
    reader = std::make_shared<QtPictureReader>();
}
