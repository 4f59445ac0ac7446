#include "store/SignatureLibrary.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace {

// `size` shrunk so that its longer side is at most `longest`; never enlarged.
QSize fitted(QSize size, int longest)
{
    const int longer = std::max(size.width(), size.height());
    if (longer <= longest) {
        return size;
    }
    const double factor = static_cast<double>(longest) / longer;
    return {std::max(1, static_cast<int>(std::lround(size.width() * factor))),
            std::max(1, static_cast<int>(std::lround(size.height() * factor)))};
}

std::optional<QImage> readUpright(const QString& path, int longest)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        return std::nullopt;
    }
    // Judged from the header alone, so an oversized image is never decoded.
    const QSize declared = reader.size();
    if (declared.isValid()) {
        const qint64 pixels = static_cast<qint64>(declared.width()) * declared.height();
        if (pixels > SignatureArt::maxImagePixels) {
            return std::nullopt;
        }
        // Lets decoders that can (JPEG) decode straight at the smaller size.
        reader.setScaledSize(fitted(declared, longest));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return std::nullopt;
    }
    const QSize target = fitted(image.size(), longest);
    if (target != image.size()) {
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

std::optional<QByteArray> pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG") || bytes.isEmpty()) {
        return std::nullopt;
    }
    return bytes;
}

bool writeAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.setPermissions(DataFile::filePermissions) &&
           file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

std::optional<SavedSignature> SignatureLibrary::imported(const QString& path,
                                                         const QString& name) const
{
    const std::optional<QImage> image = readUpright(path, maxImageSide);
    if (!image) {
        return std::nullopt;
    }
    const std::optional<QByteArray> png = pngBytes(*image);
    if (!png) {
        return std::nullopt;
    }
    const QUuid id = QUuid::createUuid();
    const QString fileName = id.toString(QUuid::WithoutBraces).toUpper() + QStringLiteral(".png");
    const QString folder = m_dataFile.signaturesPath();
    if (!DataFile::makePrivateFolder(folder) ||
        !writeAtomically(folder + QLatin1Char('/') + fileName, *png)) {
        return std::nullopt;
    }

    SavedSignature signature;
    signature.id = id;
    signature.name = name;
    signature.imageFile = fileName;
    signature.aspect = static_cast<double>(image->width()) / std::max(image->height(), 1);
    return signature;
}
