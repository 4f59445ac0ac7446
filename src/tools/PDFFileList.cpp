#include "tools/PDFFileList.h"

#include <algorithm>

namespace PDFFiles {

bool same(const QList<PDFFile>& a, const QList<PDFFile>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const PDFFile& x, const PDFFile& y) { return x.id == y.id; });
}

bool same(const std::optional<PDFFile>& a, const std::optional<PDFFile>& b)
{
    return a.has_value() == b.has_value() && (!a || a->id == b->id);
}

QList<PDFFile> listed(const std::optional<PDFFile>& file)
{
    return file ? QList<PDFFile>{*file} : QList<PDFFile>{};
}

} // namespace PDFFiles
