#pragma once

#include <qpdf/QPDFPageObjectHelper.hh>

// Whether a page shows text of its own, read from its content streams alone.
namespace PDFEngine::PageText {

struct Scan {
    // Some text-showing operator shows a non-empty string, on the page or in a form it draws
    // (invisible text included); a layer text recognition laid does not count.
    bool text = false;
    // Graphics states the page's content saves and never restores: what is added after it must
    // restore them first to draw in the page's own space.
    int openSaves = 0;
};

// Reads the page's content and, recursively, the form XObjects it draws. Content that cannot be
// read counts for what was read of it before.
Scan scan(QPDFPageObjectHelper& page);

} // namespace PDFEngine::PageText
