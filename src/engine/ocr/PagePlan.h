#pragma once

#include <qpdf/QPDFPageObjectHelper.hh>

#include <QtGlobal>
#include <functional>
#include <map>
#include <vector>

// Which pages of a document text recognition reads.
namespace PDFEngine {

struct PagePlan {
    std::map<int, int> pending; // the pages to read, zero-based, with their PageText::openSaves
    int searchable = 0;         // left alone: they show text already
};

// A page is read when it shows no text of its own and carries no layer of ours, or with redo
// when the only text it carries is our layer, which is then taken off. A page with text of any
// other kind stays as it is, even with redo.
// scanned hears of each page read.
PagePlan planPages(std::vector<QPDFPageObjectHelper>& pages, bool redo,
                   const std::function<void(qint64 done, qint64 total)>& scanned);

} // namespace PDFEngine
