#include "Store.h"
#include "Thumbnails.h"

void Store::clear(AppSection section)
{
    removeBanner(section);
    switch (section) {
    case AppSection::merge: setMergeFiles({}); break;
    case AppSection::split: setSplitFile(std::nullopt); break;
    case AppSection::compress:
        setCompressFiles({});
        setCompressResults({});
        break;
    case AppSection::sign:
        setSignFile(std::nullopt);
        setPlacements({});
        setSelectedPlacement(std::nullopt);
        setSignPage(0);
        break;
    case AppSection::pages:
        setPagesFile(std::nullopt);
        setPagesSelected({});
        break;
    case AppSection::history: break;
    }
}

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
