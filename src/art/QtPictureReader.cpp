#include "art/QtPictureReader.h"

#include "art/SignatureDrawing.h"

std::optional<PDFEngine::Picture> QtPictureReader::read(const QByteArray& bytes, qint64 maxPixels)
{
    const QImage decoded = SignatureDrawing::decodedImage(bytes, maxPixels);
    if (decoded.isNull()) {
        return std::nullopt;
    }
    const QImage rgba = decoded.convertToFormat(QImage::Format_RGBA8888);
    PDFEngine::Picture picture{rgba.size(), {}, decoded.hasAlphaChannel()};
    const qsizetype row = qsizetype{4} * rgba.width();
    picture.rgba.reserve(row * rgba.height());
    for (int y = 0; y < rgba.height(); ++y) {
        picture.rgba.append(reinterpret_cast<const char*>(rgba.constScanLine(y)), row);
    }
    return picture;
}
