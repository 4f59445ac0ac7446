#include "EngineText.h"
#include "Operations.h"
#include "Output.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QCoreApplication>
#include <algorithm>

namespace PDFEngine {

void deletePages(const PDFSource& source, const QSet<int>& removing, const QString& destination,
                 const Progress& progress)
{
    const std::unique_ptr<QPDF> pdf = open(source);
    const Failure unreadable(EngineText::openFailed(EngineText::fileName(source.url)));
    QPDFPageDocumentHelper pages(*pdf);
    std::vector<QPDFPageObjectHelper> all;
    try {
        all = pages.getAllPages();
    } catch (const std::exception&) {
        throw unreadable;
    }
    const auto count = static_cast<qint64>(all.size());
    // The size of the set decides, not how many of its indices exist.
    if (removing.size() >= count) {
        throw Failure(QCoreApplication::translate("PDFEngine", "En az bir sayfa kalmalı."));
    }
    QList<int> descending(removing.begin(), removing.end());
    std::sort(descending.begin(), descending.end(), std::greater<>());
    qint64 remaining = count;
    try {
        for (int index : descending) {
            if (index >= 0 && index < count) {
                pages.removePage(all[static_cast<size_t>(index)]);
                --remaining;
            }
        }
    } catch (const std::exception&) {
        throw unreadable;
    }
    write(*pdf, destination, remaining, progress);
}

} // namespace PDFEngine
