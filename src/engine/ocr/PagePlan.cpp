#include "engine/ocr/PagePlan.h"

#include "engine/ocr/EarlierLayer.h"
#include "engine/ocr/PageText.h"

namespace PDFEngine {

PagePlan planPages(std::vector<QPDFPageObjectHelper>& pages, bool redo,
                   const std::function<void(qint64, qint64)>& scanned)
{
    PagePlan plan;
    for (size_t i = 0; i < pages.size(); ++i) {
        scanned(qint64(i), qint64(pages.size()));
        QPDFPageObjectHelper& page = pages[i];
        const PageText::Scan scan = PageText::scan(page);
        const bool ours = EarlierLayer::present(page);
        if (scan.text || (ours && !redo)) {
            ++plan.searchable;
            continue;
        }
        if (ours) {
            EarlierLayer::remove(page);
        }
        plan.pending.emplace(int(i), scan.openSaves);
    }
    return plan;
}

} // namespace PDFEngine
