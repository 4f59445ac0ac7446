#pragma once

#include <QByteArray>
#include <QSize>
#include <memory>
#include <optional>

// The seam between the engine, which stamps imported signature images into documents, and
// whatever decodes them: image formats come with a painting library the engine does without.
namespace PDFEngine {

// A decoded picture, upright: its rows from the top, four bytes a pixel (red, green, blue,
// opacity, not premultiplied).
struct Picture {
    QSize size;
    QByteArray rgba;
    bool hasOpacity = false;
};

// Decodes pictures.
class PictureReader {
public:
    virtual ~PictureReader() = default;
    // None for bytes that do not decode, or that declare more than maxPixels pixels (refused
    // before any is decoded). Throws std::runtime_error, whose what() is a message in the
    // interface language (UTF-8), when the reader itself cannot work.
    virtual std::optional<Picture> read(const QByteArray& bytes, qint64 maxPixels) = 0;
};

// The reader stamping uses from now on, in this process; set once at start by the process that
// runs jobs. Without one, image art fails to stamp.
void usePictureReader(std::shared_ptr<PictureReader> reader);
std::shared_ptr<PictureReader> pictureReader();

// What the module that carries a picture reader exports, by this name and with C linkage.
using MakePictureReader = void (*)(std::shared_ptr<PictureReader>& made);
inline constexpr char makePictureReaderEntry[] = "leaflow_make_picture_reader";

} // namespace PDFEngine
