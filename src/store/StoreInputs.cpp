#include "store/Store.h"
#include "store/Thumbnails.h"

QString Store::thumbnailKey(const PDFFile& file, qint64 index, double side)
{
    return Thumbnails::key(file.id, index, side);
}

std::optional<QImage> Store::thumbnail(const PDFFile& file, qint64 index, double side) const
{
    return m_thumbs->cached(Thumbnails::key(file.id, index, side));
}

std::optional<QImage> Store::requestThumbnail(const PDFFile& file, qint64 index, double side)
{
    return m_thumbs->request(file, index, side);
}
