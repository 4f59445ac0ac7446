#pragma once

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "engine/ocr/SharedFonts.h"

#include <QByteArray>
#include <list>

namespace PDFEngine {

// Lays recognised text layers over the pages of one document. The page's own content streams
// stay as they are, byte for byte: the layer is a form XObject drawn after them, fenced off so
// that nothing of the page's graphics state reaches it.
class TextLayers {
public:
    explicit TextLayers(QPDF& target) : m_target(target) {}
    TextLayers(const TextLayers&) = delete;
    TextLayers& operator=(const TextLayers&) = delete;

    // One page's layer: a one-page PDF standing upright after uprightTurns clockwise quarter
    // turns of the page as displayed. With turnPage the page itself is turned upright (its
    // /Rotate), else the layer is turned back onto the page as it stands. openSaves is what
    // PageText found. Returns whether the page was turned. Throws qpdf's exceptions.
    bool place(QPDFPageObjectHelper& page, const QByteArray& layer, int uprightTurns, bool turnPage,
               int openSaves);

private:
    // A layer's bytes and document stay until the target is written: copied streams read their
    // data from them only then.
    struct Layer {
        QByteArray bytes;
        QPDF pdf;
    };

    void draw(QPDFPageObjectHelper& page, QPDFObjectHandle form, int openSaves);

    QPDF& m_target;
    std::list<Layer> m_layers;
    SharedFonts m_fonts;
};

} // namespace PDFEngine
