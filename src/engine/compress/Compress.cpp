#include "engine/compress/CompressText.h"
#include "engine/compress/ImagePass.h"
#include "engine/compress/LosslessPass.h"
#include "engine/compress/fonts/FontPass.h"
#include "engine/document/EngineText.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/document/OutputTransaction.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

namespace PDFEngine {

namespace {

// Every way the document is made smaller, in order: merging copies first so
// that each image is re-encoded once, recompression last so that it spends no
// time on what the image pass replaced. Whether any pass changed something does
// not matter: the rewrite alone may save (object streams, unused objects left
// out), and only the written size decides. Images take most of the time.
void shrink(QPDF& pdf, CompressionLevel level, const Share& share)
{
    const std::vector<Share> passes = share.parts({1, 6, 2, 3});
    LosslessPass::dropThumbnails(pdf);
    LosslessPass::mergeDuplicates(pdf, passes[0].reporter());
    ImagePass::run(pdf, level, passes[1].reporter());
    FontPass::run(pdf, passes[2].reporter());
    LosslessPass::recompressStreams(pdf, passes[3].reporter());
}

} // namespace

bool compress(const PDFSource& source, CompressionLevel level, const QString& destination,
              OutputTransaction& outputs, const Share& share)
{
    // Opening, the passes, writing and the check; the passes weigh twice the rest.
    const std::vector<Share> parts =
        share.parts({Effort::open, 2 * (Effort::open + Effort::write + Effort::check),
                     Effort::write, Effort::check});
    parts[0].report(0, 1);
    const std::unique_ptr<QPDF> pdf = open(source);
    const QString inputName = EngineText::fileName(source.path);
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
        shrink(*pdf, level, parts[1]);
        writeFile(*pdf, out, Layout::compact, parts[2].percent());
    } catch (const std::exception&) {
        throw fail();
    }
    if (!verifyOutput(out, pages)) {
        throw fail();
    }
    parts[3].report(1, 1);
    if (fileSize(out) >= fileSize(source.path)) {
        outputs.drop(destination);
        return false;
    }
    return true;
}

} // namespace PDFEngine
