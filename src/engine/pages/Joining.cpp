#include "engine/pages/Joining.h"

#include "engine/document/EngineText.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/document/Retire.h"

#include <qpdf/QPDF.hh>

namespace PDFEngine {

SourceDocument& Joining::open(const PDFSource& source, const Share& share)
{
    share.report(0, 1);
    m_inputs.push_back(PDFEngine::open(source));
    try {
        return m_documents.emplace_back(*m_inputs.back(), EngineText::fileName(source.path));
    } catch (const std::exception&) {
        throw Failure(EngineText::openFailed(EngineText::fileName(source.path)));
    }
}

void Joining::write(OutputTransaction& outputs, const QString& destination, const Share& written,
                    const Share& freed)
{
    const qint64 pageCount = m_output->pageCount();
    PDFEngine::write(m_output->finish(), outputs, destination, pageCount, written);
    retire(std::move(m_output));
    retire(std::make_unique<std::deque<SourceDocument>>(std::move(m_documents)));
    for (size_t i = 0; i < m_inputs.size(); ++i) {
        retire(std::move(m_inputs[i]));
        freed.report(qint64(i) + 1, qint64(m_inputs.size()));
    }
}

std::vector<double> sizes(const QList<PDFSource>& sources)
{
    std::vector<double> sizes;
    for (const PDFSource& source : sources) {
        sizes.push_back(double(std::max<qint64>(fileSize(source.path), 1)));
    }
    return sizes;
}

} // namespace PDFEngine
