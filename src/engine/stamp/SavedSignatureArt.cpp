#include "engine/stamp/SavedSignatureArt.h"

#include <QFile>

namespace SavedSignatureArt {

std::optional<SignatureArt> art(const SavedSignature& signature,
                                const std::optional<QString>& imagePath)
{
    if (signature.strokes) {
        return SignatureArt(
            SignatureArt::Strokes{*signature.strokes,
                                  signature.weight.value_or(SavedSignature::defaultWeight),
                                  signature.ink.value_or(InkColor::black)});
    }
    if (!signature.imageFile || !imagePath) {
        return std::nullopt;
    }
    QFile file(*imagePath);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return SignatureArt(SignatureArt::Image{file.readAll()});
}

} // namespace SavedSignatureArt
