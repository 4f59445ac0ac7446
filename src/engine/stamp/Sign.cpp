#include "core/PageGeometry.h"
#include "engine/document/EngineText.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/document/Retire.h"
#include "engine/include/PictureReading.h"
#include "engine/stamp/StampAppearance.h"
#include "engine/stamp/StampGeometry.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QCoreApplication>
#include <cmath>
#include <stdexcept>

namespace PDFEngine {

namespace {

std::optional<QRectF> boxOf(QPDFObjectHandle box)
{
    if (!box.isRectangle()) {
        return std::nullopt;
    }
    const QPDFObjectHandle::Rectangle r = box.getArrayAsRectangle();
    return QRectF(QPointF(std::min(r.llx, r.urx), std::min(r.lly, r.ury)),
                  QPointF(std::max(r.llx, r.urx), std::max(r.lly, r.ury)));
}

// The crop box and rotation a reader shows, both possibly inherited from the
// page tree. Like readers, the crop box is clipped to the media box.
StampGeometry::PageFrame frameOf(QPDFPageObjectHelper& page)
{
    StampGeometry::PageFrame frame;
    const std::optional<QRectF> media = boxOf(page.getMediaBox());
    const std::optional<QRectF> crop = boxOf(page.getCropBox());
    frame.cropBox = crop.value_or(media.value_or(QRectF(0, 0, 612, 792)));
    if (crop && media && crop->intersects(*media)) {
        frame.cropBox = crop->intersected(*media);
    }
    QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
    if (rotate.isInteger()) {
        frame.rotation = PageGeometry::normalizedRotation(rotate.getIntValue());
    } else if (rotate.isNumber() && std::isfinite(rotate.getNumericValue())) {
        frame.rotation = PageGeometry::normalizedRotation(std::llround(rotate.getNumericValue()));
    }
    return frame;
}

// Appends to a fresh copy of the page's /Annots, because the array may be
// shared with other pages that must not receive the stamp.
void addAnnotation(QPDFPageObjectHelper& page, const QPDFObjectHandle& annotation)
{
    QPDFObjectHandle pageObject = page.getObjectHandle();
    QPDFObjectHandle annots = QPDFObjectHandle::newArray();
    QPDFObjectHandle existing = pageObject.getKey("/Annots");
    if (existing.isArray()) {
        for (QPDFObjectHandle& item : existing.getArrayAsVector()) {
            annots.appendItem(item);
        }
    }
    annots.appendItem(annotation);
    pageObject.replaceKey("/Annots", annots);
}

// Image art is decoded before the document is opened, so that a reader that cannot work fails
// the job with its own message; art whose bytes do not decode stamps nothing.
std::vector<std::optional<Picture>> pictures(const QList<SignItem>& items)
{
    std::vector<std::optional<Picture>> decoded(static_cast<size_t>(items.size()));
    std::shared_ptr<PictureReader> reader;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const SignatureArt::Image* image = items[i].art.imageArt();
        if (!image) {
            continue;
        }
        reader = reader ? reader : pictureReader();
        if (!reader) {
            throw Failure(QCoreApplication::translate("PDFEngine",
                                                      "İmza resimleri bu kurulumda okunamıyor."));
        }
        try {
            decoded[static_cast<size_t>(i)] =
                reader->read(image->bytes, SignatureArt::maxImagePixels);
        } catch (const std::runtime_error& e) {
            throw Failure(QString::fromUtf8(e.what()));
        }
    }
    return decoded;
}

void stamp(QPDF& pdf, QPDFPageObjectHelper& page, const SignItem& item,
           const std::optional<Picture>& picture)
{
    const StampGeometry::PageFrame frame = frameOf(page);
    const QRectF bounds = StampGeometry::pageRect(item.rect, frame);
    QPDFObjectHandle appearance = QPDFObjectHandle::newDictionary();
    appearance.replaceKey("/N",
                          StampAppearance::form(pdf, item.art, picture, bounds, frame.rotation));

    QPDFObjectHandle annotation = QPDFObjectHandle::newDictionary();
    annotation.replaceKey("/Type", QPDFObjectHandle::newName("/Annot"));
    annotation.replaceKey("/Subtype", QPDFObjectHandle::newName("/Stamp"));
    annotation.replaceKey("/Rect", StampAppearance::rectangle(bounds));
    annotation.replaceKey("/F", QPDFObjectHandle::newInteger(4)); // print
    annotation.replaceKey("/AP", appearance);
    annotation.replaceKey("/P", page.getObjectHandle());
    addAnnotation(page, pdf.makeIndirectObject(annotation));
}

} // namespace

void sign(const PDFSource& source, const QList<SignItem>& items, const QString& destination,
          OutputTransaction& outputs, const Share& share)
{
    const std::vector<Share> parts = share.parts({Effort::open, Effort::write + Effort::check});
    parts[0].report(0, 1);
    const std::vector<std::optional<Picture>> decoded = pictures(items);
    std::unique_ptr<QPDF> pdf = open(source);
    qint64 count = 0;
    try {
        std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(*pdf).getAllPages();
        count = static_cast<qint64>(pages.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            const SignItem& item = items[i];
            if (item.page >= 0 && item.page < count) {
                stamp(*pdf, pages[static_cast<size_t>(item.page)], item,
                      decoded[static_cast<size_t>(i)]);
            }
            parts[0].report(i + 1, items.size());
        }
    } catch (const std::exception&) {
        throw Failure(EngineText::openFailed(EngineText::fileName(source.path)));
    }
    write(*pdf, outputs, destination, count, parts[1]);
    retire(std::move(pdf));
}

} // namespace PDFEngine
