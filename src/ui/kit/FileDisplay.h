#pragma once

#include "core/PDFFile.h"

#include <QImage>
#include <QString>
#include <functional>

// Renders page `page` of `file` to fit `side` pixels; a null image when it cannot.
using ThumbnailProvider = std::function<QImage(const PDFFile& file, qint64 page, int side)>;

// What the file blocks need from outside the kit (page images), and how they word a file.
struct FileDisplay {
    ThumbnailProvider thumbnail;

    // The file size in the application's format, in the interface language's conventions.
    QString formatSize(qint64 bytes) const;
    // "Sayfa: <count> · <size>", the count grouped as every other count is.
    QString details(const PDFFile& file) const;
    // The file as a screen reader says it: "<name>, <count> sayfa, <size>".
    QString spoken(const PDFFile& file) const;
};
