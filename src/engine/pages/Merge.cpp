#include "engine/document/EngineText.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/pages/Joining.h"

#include <QCoreApplication>
#include <numeric>

namespace PDFEngine {

namespace {

// The pages of document a merge takes: those its range text names, in that order, else all.
std::vector<int> chosenPages(const SourceDocument& document, const QString& ranges,
                             const QString& path)
{
    std::vector<int> pages;
    if (ranges.trimmed().isEmpty()) {
        pages.resize(document.pages().size());
        std::iota(pages.begin(), pages.end(), 0);
        return pages;
    }
    try {
        for (const PageGroup& group : parseRanges(ranges, qint64(document.pages().size()))) {
            pages.insert(pages.end(), group.begin(), group.end());
        }
    } catch (const Failure& failure) {
        // Several files are listed: the message says whose range it is.
        throw Failure(QCoreApplication::translate("PDFEngine", "%1: %2")
                          .arg(EngineText::fileName(path), failure.message()));
    }
    return pages;
}

} // namespace

void merge(const MergeJob& job, OutputTransaction& outputs, const Share& share)
{
    // Each input's share is as large as its file; the output's, as large as all of them.
    std::vector<double> weights = sizes(job.sources);
    const double bytes = std::accumulate(weights.begin(), weights.end(), 0.0);
    for (double& weight : weights) {
        weight *= Effort::open + Effort::copy;
    }
    weights.push_back(bytes * (Effort::write + Effort::check));
    weights.push_back(bytes * Effort::release);
    const std::vector<Share> parts = share.parts(weights);

    Joining joining(Assembly::Bookmarks::underInputName);
    for (qsizetype i = 0; i < job.sources.size(); ++i) {
        const PDFSource& source = job.sources[i];
        share.reading(i);
        const std::vector<Share> steps =
            parts[static_cast<size_t>(i)].parts({Effort::open, Effort::copy});
        SourceDocument& document = joining.open(source, steps[0]);
        const std::vector<int> pages = chosenPages(document, job.ranges.value(i), source.path);
        try {
            joining.output().add(document, pages, steps[1].reporter());
        } catch (const std::exception&) {
            throw Failure(EngineText::openFailed(EngineText::fileName(source.path)));
        }
    }
    joining.write(outputs, job.destination, parts[parts.size() - 2], parts.back());
}

} // namespace PDFEngine
