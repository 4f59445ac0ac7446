#include "CompressText.h"
#include "EngineText.h"
#include "FontPass.h"
#include "ImagePass.h"
#include "LosslessPass.h"
#include "Operations.h"
#include "Output.h"
#include "OutputTransaction.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

namespace PDFEngine {

namespace {

// Counts the steps of passes run one after another as one count: each pass
// reports steps done of steps it found, and a pass's steps are found only when
// it starts, so the total grows as the work goes on.
class StepTally {
public:
    explicit StepTally(const Progress& progress) : m_progress(progress) {}

    // The report of the next pass; the one before it counts as finished.
    LosslessPass::StepReport next()
    {
        m_done += m_lastTotal;
        m_found += m_lastTotal;
        m_lastTotal = 0;
        return [this](qint64 done, qint64 total) {
            m_lastTotal = total;
            m_progress.report(m_done + done, m_found + total);
        };
    }

private:
    const Progress& m_progress;
    qint64 m_done = 0;
    qint64 m_found = 0;
    qint64 m_lastTotal = 0;
};

// Every way the document is made smaller, in order: merging copies first so
// that each image is re-encoded once, recompression last so that it spends no
// time on what the image pass replaced. Whether any pass changed something does
// not matter: the rewrite alone may save (object streams, unused objects left
// out), and only the written size decides.
void shrink(QPDF& pdf, CompressionLevel level, const Progress& progress)
{
    StepTally steps(progress);
    LosslessPass::dropThumbnails(pdf);
    LosslessPass::mergeDuplicates(pdf, steps.next());
    ImagePass::run(pdf, level, steps.next());
    FontPass::run(pdf, Progress{steps.next(), {}, {}});
    LosslessPass::recompressStreams(pdf, steps.next());
}

} // namespace

bool compress(const PDFSource& source, CompressionLevel level, const QString& destination,
              OutputTransaction& outputs, const Progress& progress)
{
    const std::unique_ptr<QPDF> pdf = open(source);
    const QString inputName = EngineText::fileName(source.url);
    const QString out = outputs.stage(destination);
    // Whatever goes wrong, nothing of this input stays staged.
    const auto fail = [&] {
        outputs.drop(destination);
        return Failure(CompressText::compressFailed(inputName));
    };
    qint64 pages = 0;
    try {
        pages = static_cast<qint64>(QPDFPageDocumentHelper(*pdf).getAllPages().size());
        if (pages == 0) {
            // A page tree too damaged to find any page: a rewrite would keep
            // nothing of what other readers still recover.
            throw fail();
        }
        shrink(*pdf, level, progress);
        writeFile(*pdf, out);
    } catch (const std::exception&) {
        throw fail();
    }
    if (!verifyOutput(out, pages)) {
        throw fail();
    }
    if (fileSize(out) >= fileSize(source.url)) {
        outputs.drop(destination);
        return false;
    }
    return true;
}

} // namespace PDFEngine
