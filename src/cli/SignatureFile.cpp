#include "cli/SignatureFile.h"

#include "core/DataCoding.h"
#include "engine/stamp/SavedSignatureArt.h"
#include "runner/OnDemand.h"

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
    // Decoded here only to tell an image from any other file: the worker decodes it again.
    if (!OnDemand::pictureReader()->read(bytes, SignatureArt::maxImagePixels)) {
        return std::nullopt;
    }
    return SignatureArt(SignatureArt::Image{bytes});
}

} // namespace SignatureFile
