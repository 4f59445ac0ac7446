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

void admitEach(const QList<PDFFile>& listed, const QStringList& paths,
               const std::function<std::optional<PDFFile>(const QString&)>& admit,
               const std::function<void(const PDFFile&)>& add)
{
    for (const QString& path : paths) {
        // `listed` is read again for each path: add grows it, so a path given twice is taken once.
        const bool known = std::any_of(listed.cbegin(), listed.cend(),
                                       [&path](const PDFFile& f) { return f.source.path == path; });
        if (known) {
            continue;
        }
        if (std::optional<PDFFile> file = admit(path)) {
            add(*file);
        }
    }
}

} // namespace PDFFiles
