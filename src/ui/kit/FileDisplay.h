#pragma once

#include "core/PDFFile.h"

#include <QImage>
#include <QString>
#include <functional>
#include <optional>

// Renders page `page` of `file` to fit `side` pixels; a null image when it cannot.
using ThumbnailProvider = std::function<QImage(const PDFFile& file, qint64 page, int side)>;

// What the file blocks need from outside the kit (page images), and how they word a file.
struct FileDisplay {
    ThumbnailProvider thumbnail;

    // The file size in the application's format, in the interface language's conventions.
    QString formatSize(qint64 bytes) const;
    // "Sayfa: <count> · <size>", the count grouped as every other count is; with `chosen`, the
    // pages a tool takes of them come first ("Sayfa: 4 / 12 · …").
    QString details(const PDFFile& file, std::optional<qint64> chosen = std::nullopt) const;
    // The file as a screen reader says it: "<name>, <count> sayfa, <size>", or with `chosen`
    // "<name>, <count> sayfadan <chosen> sayfa, <size>".
    QString spoken(const PDFFile& file, std::optional<qint64> chosen = std::nullopt) const;
};
