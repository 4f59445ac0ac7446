#include "store/SignatureLibrary.h"

#include "art/SignatureDrawing.h"
#include "engine/stamp/SavedSignatureArt.h"
#include "store/PlacementMath.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace {

double roundedToFourPlaces(double value)
{
    return std::round(value * 10000) / 10000; // std::round rounds halves away from zero
}

// Grows [start, start + length) about its centre to at least `minimum`.
void growAboutCentre(double& start, double& length, double minimum)
{
    if (length < minimum) {
        const double centre = start + length / 2;
        start = centre - minimum / 2;
        length = minimum;
    }
}

} // namespace

SignatureLibrary::SignatureLibrary(DataFile dataFile) : m_dataFile(std::move(dataFile)) {}

QString SignatureLibrary::defaultName(qsizetype count)
{
    return tr("İmza %1").arg(count + 1);
}

std::optional<SavedSignature> SignatureLibrary::drawn(const QString& name,
                                                      const QList<Stroke>& strokes,
                                                      double lineWidth, InkColor ink)
{
    bool any = false;
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;
    for (const Stroke& stroke : strokes) {
        for (const QPointF& point : stroke) {
            minX = any ? std::min(minX, point.x()) : point.x();
            maxX = any ? std::max(maxX, point.x()) : point.x();
            minY = any ? std::min(minY, point.y()) : point.y();
            maxY = any ? std::max(maxY, point.y()) : point.y();
            any = true;
        }
    }
    if (!any) {
        return std::nullopt;
    }

    // The pen's width at the edges belongs inside the box.
    double left = minX - lineWidth;
    double top = minY - lineWidth;
    double width = maxX - minX + 2 * lineWidth;
    double height = maxY - minY + 2 * lineWidth;
    growAboutCentre(top, height, minimumBoxSide);
    growAboutCentre(left, width, minimumBoxSide);

    QList<Stroke> normalised;
    for (const Stroke& stroke : strokes) {
        if (stroke.isEmpty()) {
            continue;
        }
        Stroke points;
        points.reserve(stroke.size());
        for (const QPointF& point : stroke) {
            points << QPointF(roundedToFourPlaces((point.x() - left) / width),
                              roundedToFourPlaces((point.y() - top) / height));
        }
        normalised << points;
    }

    SavedSignature signature;
    signature.id = QUuid::createUuid();
    signature.name = name;
    signature.strokes = normalised;
    signature.weight = lineWidth / height;
    signature.ink = ink;
    signature.aspect = width / height;
    return signature;
}

std::optional<SignatureArt> SignatureLibrary::art(const SavedSignature& signature) const
{
    return SavedSignatureArt::art(signature, m_dataFile.signatureImagePath(signature));
}

QImage SignatureLibrary::preview(const SavedSignature& signature)
{
    if (const auto cached = m_previews.constFind(signature.id); cached != m_previews.constEnd()) {
        return *cached;
    }
    QImage image;
    if (const std::optional<SignatureArt> drawing = art(signature)) {
        const double width = previewHeight * PlacementMath::usableAspect(signature.aspect);
        const double scale =
            std::min(previewScale, previewMaxPixels / std::max(width, previewHeight));
        const QSize pixels(std::max(1, static_cast<int>(std::lround(width * scale))),
                           std::max(1, static_cast<int>(std::lround(previewHeight * scale))));
        image = SignatureDrawing::image(*drawing, pixels);
        image.setDevicePixelRatio(scale);
    }
    m_previews.insert(signature.id, image);
    return image;
}

void SignatureLibrary::discard(const SavedSignature& signature)
{
    if (const std::optional<QString> path = m_dataFile.signatureImagePath(signature)) {
        QFile::remove(*path);
    }
    m_previews.remove(signature.id);
}
