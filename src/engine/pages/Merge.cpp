#include "EngineText.h"
#include "Operations.h"
#include "Output.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <vector>

namespace PDFEngine {

void merge(const QList<PDFSource>& sources, const QString& destination, const Progress& progress)
{
    QPDF output;
    output.emptyPDF();
    output.setSuppressWarnings(true);
    QPDFPageDocumentHelper outputPages(output);

    // The output refers to the inputs' objects until it is written.
    std::vector<std::unique_ptr<QPDF>> inputs;
    qint64 pageCount = 0;
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const PDFSource& source = sources[i];
        progress.reading(i);
        inputs.push_back(open(source));
        try {
            for (QPDFPageObjectHelper& page :
                 QPDFPageDocumentHelper(*inputs.back()).getAllPages()) {
                outputPages.addPage(page, false);
                ++pageCount;
            }
        } catch (const std::exception&) {
            throw Failure(EngineText::openFailed(EngineText::fileName(source.url)));
        }
    }
    write(output, destination, pageCount, progress);
}

} // namespace PDFEngine
