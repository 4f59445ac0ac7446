#pragma once

#include <qpdf/QPDFPageObjectHelper.hh>

namespace PDFEngine::PageResources {

// The page's /Resources as a dictionary of its own, holding an /XObject dictionary of its own:
// resources are often shared between pages (or inherited), and what one page gains or loses
// must not reach the others.
QPDFObjectHandle own(QPDFPageObjectHelper& page);

} // namespace PDFEngine::PageResources
