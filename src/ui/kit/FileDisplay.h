#pragma once

#include "PDFFile.h"

#include <QImage>
#include <QString>
#include <functional>

// Renders page `page` of `file` to fit `side` pixels; a null image when it cannot.
using ThumbnailProvider = std::function<QImage(const PDFFile& file, qint64 page, int side)>;

// What the file blocks need from outside the kit: page images and the size format.
struct FileDisplay {
    ThumbnailProvider thumbnail;
    std::function<QString(qint64 bytes)> sizeText;

    // The file size in the app's format; the locale's decimal units without one.
    QString formatSize(qint64 bytes) const;
    // "Sayfa: <count> · <size>".
    QString details(const PDFFile& file) const;
};
