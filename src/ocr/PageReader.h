#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <atomic>
#include <memory>
#include <optional>

namespace tesseract {
class TessBaseAPI;
}

// Reads the words off upright page images and writes them as a text layer: a one-page PDF of
// the image's size holding only invisible text. One per thread: a recogniser is never shared.
class PageReader {
public:
    // Passes its layers through a folder of its own inside scratch. Throws std::runtime_error
    // naming a language whose data is not installed.
    PageReader(const QStringList& languages, const QString& scratch);
    ~PageReader();
    PageReader(const PageReader&) = delete;
    PageReader& operator=(const PageReader&) = delete;

    // The layer; none when stop was set meanwhile. Throws when the page cannot be read or its
    // layer cannot be written.
    std::optional<QByteArray> layer(const QImage& grey, int dpi, const std::atomic<bool>& stop);

private:
    std::unique_ptr<tesseract::TessBaseAPI> m_api;
    // Tesseract's writer only writes files: each layer passes through here and is gone at once.
    QTemporaryDir m_scratch;
};
