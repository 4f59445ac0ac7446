#include "engine/document/EngineText.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/pages/Joining.h"

#include <QCoreApplication>
#include <numeric>

namespace PDFEngine {

void organize(const OrganizeJob& job, OutputTransaction& outputs, const Share& share)
{
    if (job.pages.isEmpty()) {
        throw Failure(QCoreApplication::translate("PDFEngine", "En az bir sayfa kalmalı."));
    }
    // Opening each input weighs as much as its file; copying, writing and freeing, as all of them.
    std::vector<double> weights = sizes(job.sources);
    const double bytes = std::accumulate(weights.begin(), weights.end(), 0.0);
    for (double& weight : weights) {
        weight *= Effort::open;
    }
    weights.push_back(bytes * Effort::copy);
    weights.push_back(bytes * (Effort::write + Effort::check));
    weights.push_back(bytes * Effort::release);
    const std::vector<Share> parts = share.parts(weights);

    // The document's own bookmarks as they are; an inserted file's follow them, as they are too.
    Joining joining(Assembly::Bookmarks::asIs);
    std::vector<SourceDocument*> documents;
    for (qsizetype i = 0; i < job.sources.size(); ++i) {
        share.reading(i);
        documents.push_back(&joining.open(job.sources[i], parts[static_cast<size_t>(i)]));
    }
    for (const OrganizedPage& page : job.pages) {
        const auto count = page.source >= 0 && page.source < job.sources.size()
                               ? qint64(documents[size_t(page.source)]->pages().size())
                               : 0;
        if (page.page < 0 || page.page >= count) {
            throw Failure(pageOutside(count, QString::number(qint64(page.page) + 1)));
        }
    }
    const Share& copying = parts[parts.size() - 3];
    qsizetype current = 0; // the source being copied from, for the message should it fail
    try {
        for (qsizetype i = 0; i < job.pages.size(); ++i) {
            const OrganizedPage& page = job.pages[i];
            current = page.source;
            joining.output().place(*documents[size_t(page.source)], page.page, page.quarterTurns);
            copying.report(i + 1, job.pages.size());
        }
        for (current = 0; current < job.sources.size(); ++current) {
            joining.output().carry(*documents[size_t(current)]);
        }
    } catch (const std::exception&) {
        throw Failure(EngineText::openFailed(EngineText::fileName(job.sources[current].path)));
    }
    joining.write(outputs, job.destination, parts[parts.size() - 2], parts.back());
}

} // namespace PDFEngine
