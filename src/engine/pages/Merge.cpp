#include "Assembly.h"
#include "EngineText.h"
#include "Operations.h"
#include "Output.h"

#include <qpdf/QPDF.hh>

#include <QFileInfo>
#include <numeric>
#include <vector>

namespace PDFEngine {

void merge(const QList<PDFSource>& sources, const QString& destination, OutputTransaction& outputs,
           const Progress& progress)
{
    // The output refers to the inputs' objects until it is written.
    std::vector<std::unique_ptr<QPDF>> inputs;
    Assembly output(Assembly::Bookmarks::underInputName);
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const PDFSource& source = sources[i];
        progress.reading(i);
        inputs.push_back(open(source));
        try {
            SourceDocument document(*inputs.back(), QFileInfo(source.url).fileName());
            std::vector<int> all(document.pages().size());
            std::iota(all.begin(), all.end(), 0);
            output.add(document, all);
        } catch (const std::exception&) {
            throw Failure(EngineText::openFailed(EngineText::fileName(source.url)));
        }
    }
    const qint64 pageCount = output.pageCount();
    write(output.finish(), outputs, destination, pageCount, progress);
}

} // namespace PDFEngine
