#include "cli/SignatureFile.h"

#include "core/DataCoding.h"
#include "engine/stamp/SavedSignatureArt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace SignatureFile {

namespace {

// A record's image name may not lead out of the record's own folder.
std::optional<QString> imageBeside(const QString& recordPath, const SavedSignature& signature)
{
    if (!signature.imageFile) {
        return std::nullopt;
    }
    const QString& name = *signature.imageFile;
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..") ||
        name.contains(u'/') || name.contains(u'\\') || name.contains(QChar(0))) {
        return std::nullopt;
    }
    return QFileInfo(recordPath).absoluteDir().filePath(name);
}

} // namespace

std::optional<SignatureArt> read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (const std::optional<SavedSignature> record = DataCoding::decodeSignature(bytes)) {
        return SavedSignatureArt::art(*record, imageBeside(path, *record));
    }
    SignatureArt image(SignatureArt::Image{bytes});
    if (image.decodedImage().isNull()) {
        return std::nullopt;
    }
    return image;
}

} // namespace SignatureFile
