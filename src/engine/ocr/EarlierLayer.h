#pragma once

#include <qpdf/QPDFPageObjectHelper.hh>

class QPDF;

// A text layer that text recognition laid over a page in an earlier run.
namespace PDFEngine::EarlierLayer {

bool present(QPDFPageObjectHelper& page);

// Takes the layer off the page: its form and resource entry, and the two content streams that
// fenced the page's own content and drew it. When another tool has merged those streams into
// others, only the drawing of the form is taken out of the merged content.
void remove(QPDFPageObjectHelper& page);

} // namespace PDFEngine::EarlierLayer
