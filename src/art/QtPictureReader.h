#pragma once

#include "engine/include/PictureReading.h"

// The engine's PictureReader over Qt's image formats.
class QtPictureReader : public PDFEngine::PictureReader {
public:
    std::optional<PDFEngine::Picture> read(const QByteArray& bytes, qint64 maxPixels) override;
};
