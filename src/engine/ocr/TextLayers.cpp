#include "engine/ocr/TextLayers.h"

#include "engine/ocr/LayerMark.h"
#include "engine/ocr/PageResources.h"
#include "engine/ocr/PageText.h"
#include "engine/structure/Rotation.h"

#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <algorithm>
#include <stdexcept>

namespace PDFEngine {

namespace {

// The box a viewer shows: the crop box (else the media box), within the media box.
QPDFObjectHandle::Rectangle shownBox(QPDFPageObjectHelper& page)
{
    const auto normalised = [](QPDFObjectHandle::Rectangle r) {
        return QPDFObjectHandle::Rectangle(std::min(r.llx, r.urx), std::min(r.lly, r.ury),
                                           std::max(r.llx, r.urx), std::max(r.lly, r.ury));
    };
    QPDFObjectHandle cropBox = page.getCropBox();
    QPDFObjectHandle mediaBox = page.getMediaBox();
    const QPDFObjectHandle::Rectangle media = mediaBox.isRectangle()
                                                  ? normalised(mediaBox.getArrayAsRectangle())
                                                  : QPDFObjectHandle::Rectangle(0, 0, 612, 792);
    if (!cropBox.isRectangle()) {
        return media;
    }
    const QPDFObjectHandle::Rectangle crop = normalised(cropBox.getArrayAsRectangle());
    const QPDFObjectHandle::Rectangle both(std::max(crop.llx, media.llx),
                                           std::max(crop.lly, media.lly),
                                           std::min(crop.urx, media.urx),
                                           std::min(crop.ury, media.ury));
    return both.llx < both.urx && both.lly < both.ury ? both : crop;
}

// Turns the form's drawing counter-clockwise by quarterTurns, after its own matrix.
void turnBack(QPDFObjectHandle form, int quarterTurns)
{
    static constexpr int cosines[] = {1, 0, -1, 0};
    static constexpr int sines[] = {0, 1, 0, -1};
    const int c = cosines[quarterTurns];
    const int s = sines[quarterTurns];
    QPDFMatrix matrix(c, s, -s, c, 0, 0);
    QPDFObjectHandle own = form.getDict().getKey("/Matrix");
    if (own.isMatrix()) {
        matrix.concat(QPDFMatrix(own.getArrayAsMatrix()));
    }
    form.getDict().replaceKey("/Matrix", QPDFObjectHandle::newFromMatrix(matrix));
}

} // namespace

bool TextLayers::place(QPDFPageObjectHelper& page, const QByteArray& layer, int uprightTurns,
                       bool turnPage, int openSaves)
{
    const int turns = ((uprightTurns % 4) + 4) % 4;
    const bool turning = turnPage && turns != 0;
    if (turning) {
        // Before the placement, which undoes the rotation the page has then.
        Rotation::turn(page.getObjectHandle(), page.getObjectHandle(), turns);
    }
    Layer& read = m_layers.emplace_back();
    read.bytes = layer;
    read.pdf.setSuppressWarnings(true);
    read.pdf.processMemoryFile("text layer", read.bytes.constData(), size_t(read.bytes.size()));
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(read.pdf).getAllPages();
    if (pages.size() != 1) {
        throw std::runtime_error("a text layer has one page");
    }
    // A page where nothing was read needs no layer.
    if (PageText::scan(pages.front()).text) {
        const QPDFObjectHandle original = pages.front().getFormXObjectForPage();
        QPDFObjectHandle form = m_target.copyForeignObject(original);
        LayerMark::markForm(form);
        m_fonts.share(form, original);
        if (!turning && turns != 0) {
            turnBack(form, turns);
        }
        draw(page, form, openSaves);
    }
    read.pdf.getWarnings();
    return turning;
}

void TextLayers::draw(QPDFPageObjectHelper& page, QPDFObjectHandle form, int openSaves)
{
    const QPDFObjectHandle::Rectangle box = shownBox(page);
    if (!(box.urx - box.llx > 0 && box.ury - box.lly > 0)) {
        return; // a page that shows nothing has nowhere to lay its words
    }
    QPDFObjectHandle resources = PageResources::own(page);
    int suffix = 0;
    const std::string name = resources.getUniqueResourceName("/LfText", suffix);
    resources.getKey("/XObject").replaceKey(name, form);
    // Fitted to the shown box, undoing the page's rotation, so that the layer stands as the
    // page is displayed.
    const std::string placement = page.placeFormXObject(form, name, box, true, true, true);
    std::string restore;
    for (int i = 0; i <= openSaves; ++i) {
        restore += "Q\n";
    }
    page.addPageContents(LayerMark::stream(m_target, "q\n", LayerMark::Part::opening), true);
    page.addPageContents(LayerMark::stream(m_target, "\n" + restore + "q\n" + placement + "\nQ\n",
                                           LayerMark::Part::placing),
                         false);
}

} // namespace PDFEngine
