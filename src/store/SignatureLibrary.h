#pragma once

#include "core/AppData.h"
#include "core/DataFile.h"
#include "core/ToolOptions.h"
#include "engine/include/SignatureArt.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QString>
#include <QUuid>
#include <optional>

// The files and previews behind the saved signatures: makes library records
// from pen strokes and image files, removes a signature's image file, and keeps
// each signature's preview image until the signature is deleted. The records
// themselves live in the Store's AppData.
class SignatureLibrary {
    Q_DECLARE_TR_FUNCTIONS(SignatureLibrary)

public:
    static constexpr double minimumBoxSide = 24;
    static constexpr int maxImageSide = 1400;
    static constexpr double previewHeight = 200;
    // Previews are rasterised at this many pixels per point, with the longer
    // pixel side held to previewMaxPixels so that an extreme aspect stays small.
    static constexpr double previewScale = 2;
    static constexpr int previewMaxPixels = 4096;

    explicit SignatureLibrary(DataFile dataFile);

    // "İmza <n>", the default name of the next signature when `count` are saved.
    static QString defaultName(qsizetype count);

    // A drawn signature from strokes in the drawing area's own units (y
    // downwards), normalised into the box around them; none when there is no point.
    static std::optional<SavedSignature> drawn(const QString& name, const QList<Stroke>& strokes,
                                               double lineWidth, InkColor ink);

    // Reads an image file, turns it upright, shrinks it to at most maxImageSide
    // pixels on its longer side and stores it as PNG in the signatures folder.
    // None, with nothing written, when any step fails or the image declares more
    // than SignatureArt::maxImagePixels pixels.
    std::optional<SavedSignature> imported(const QString& path, const QString& name) const;

    // What the signature draws; none when it has no strokes and no readable image file.
    std::optional<SignatureArt> art(const SavedSignature& signature) const;

    // The preview of a signature, 200 × aspect by 200 points (device-independent
    // size); a null image when there is nothing to draw. Cached per id.
    QImage preview(const SavedSignature& signature);

    // Removes the signature's image file, if any, from the signatures folder and
    // forgets its preview. Errors (a file already gone) are ignored.
    void discard(const SavedSignature& signature);

private:
    DataFile m_dataFile;
    QHash<QUuid, QImage> m_previews;
};
