#pragma once

#include "core/PDFFile.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

// Whether two listings hold the same admitted files, by identity: a file admitted again is
// another entry even at the same path.
namespace PDFFiles {
bool same(const QList<PDFFile>& a, const QList<PDFFile>& b);
bool same(const std::optional<PDFFile>& a, const std::optional<PDFFile>& b);
// The listing of an optional file.
QList<PDFFile> listed(const std::optional<PDFFile>& file);
// Opens each path not in `listed` through admit, in order, and hands add each file admitted.
void admitEach(const QList<PDFFile>& listed, const QStringList& paths,
               const std::function<std::optional<PDFFile>(const QString&)>& admit,
               const std::function<void(const PDFFile&)>& add);
} // namespace PDFFiles
