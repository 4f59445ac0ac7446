#include "engine/document/EngineText.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/structure/Assembly.h"

#include <qpdf/QPDF.hh>

#include <QFileInfo>
#include <numeric>
#include <optional>
#include <vector>

namespace PDFEngine {

void merge(const QList<PDFSource>& sources, const QString& destination, OutputTransaction& outputs,
           const Share& share)
{
    // Each input's share is as large as its file; the output's, as large as all of them.
    std::vector<double> weights;
    double bytes = 0;
    for (const PDFSource& source : sources) {
        const auto size = double(std::max<qint64>(fileSize(source.path), 1));
        weights.push_back(size * (Effort::open + Effort::copy));
        bytes += size;
    }
    weights.push_back(bytes * (Effort::write + Effort::check));
    weights.push_back(bytes * Effort::release);
    const std::vector<Share> parts = share.parts(weights);

    // The output refers to the inputs' objects until it is written.
    std::vector<std::unique_ptr<QPDF>> inputs;
    std::optional<Assembly> output(std::in_place, Assembly::Bookmarks::underInputName);
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const PDFSource& source = sources[i];
        share.reading(i);
        const std::vector<Share> steps =
            parts[static_cast<size_t>(i)].parts({Effort::open, Effort::copy});
        steps[0].report(0, 1);
        inputs.push_back(open(source));
        try {
            SourceDocument document(*inputs.back(), QFileInfo(source.path).fileName());
            std::vector<int> all(document.pages().size());
            std::iota(all.begin(), all.end(), 0);
            output->add(document, all, steps[1].reporter());
        } catch (const std::exception&) {
            throw Failure(EngineText::openFailed(EngineText::fileName(source.path)));
        }
    }
    const qint64 pageCount = output->pageCount();
    write(output->finish(), outputs, destination, pageCount, parts[parts.size() - 2]);
    // Freeing the objects of many pages takes a while of its own.
    output.reset();
    for (size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].reset();
        parts.back().report(qint64(i) + 1, qint64(inputs.size()));
    }
}

} // namespace PDFEngine
