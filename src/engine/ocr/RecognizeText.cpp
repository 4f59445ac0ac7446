#include "engine/document/EngineText.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/document/OutputTransaction.h"
#include "engine/include/Recognition.h"
#include "engine/ocr/PagePlan.h"
#include "engine/ocr/TextLayers.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QCoreApplication>
#include <set>
#include <stdexcept>

namespace PDFEngine {

namespace {

// Reading the pages takes seconds each, against a fraction of that to open and write.
constexpr double openWeight = 1;
constexpr double recogniseWeight = 18;
constexpr double writeWeight = 1;

QString unavailable()
{
    return QCoreApplication::translate("PDFEngine", "Metin tanıma bu kurulumda kullanılamıyor.");
}

QString notLaid(const QString& inputName)
{
    return QCoreApplication::translate("PDFEngine", "Tanınan metin %1 dosyasına eklenemedi.")
        .arg(inputName);
}

// Lays each page's layer as it arrives, on the calling thread. A layer that cannot be laid is
// kept as the failure to throw once the recogniser has returned, not through it.
class Laying {
public:
    Laying(std::vector<QPDFPageObjectHelper>& pages, const PagePlan& plan, const OcrJob& job,
           QPDF& pdf, const Share& share)
        : m_pages(pages), m_plan(plan), m_job(job), m_layers(pdf), m_share(share)
    {
    }

    void take(const RecognisedPage& read)
    {
        const auto pending = m_plan.pending.find(read.page);
        if (m_broken || pending == m_plan.pending.end() || !m_done.insert(read.page).second) {
            return;
        }
        try {
            const bool turned = m_layers.place(m_pages[size_t(read.page)], read.layer,
                                               read.uprightTurns, m_job.turnPages, pending->second);
            ++m_tally.recognised;
            m_tally.turned += turned ? 1 : 0;
        } catch (const std::exception&) {
            m_broken = true;
        }
        m_share.report(qint64(m_done.size()), qint64(m_plan.pending.size()));
    }

    bool broken() const { return m_broken; }
    const RecognitionTally& tally() const { return m_tally; }

private:
    std::vector<QPDFPageObjectHelper>& m_pages;
    const PagePlan& m_plan;
    const OcrJob& m_job;
    TextLayers m_layers;
    Share m_share;
    std::set<int> m_done;
    RecognitionTally m_tally;
    bool m_broken = false;
};

} // namespace

RecognitionTally recognizeText(const PDFSource& source, const OcrJob& job,
                               const QString& destination, OutputTransaction& outputs,
                               const Share& share)
{
    const std::vector<Share> parts = share.parts({openWeight, recogniseWeight, writeWeight});
    parts[0].report(0, 1);
    const std::unique_ptr<QPDF> pdf = open(source);
    const QString name = EngineText::fileName(source.path);
    std::vector<QPDFPageObjectHelper> pages;
    PagePlan plan;
    try {
        QPDFPageDocumentHelper document(*pdf);
        document.pushInheritedAttributesToPage();
        pages = document.getAllPages();
        plan = planPages(pages, job.redo, parts[0].reporter());
    } catch (const std::exception&) {
        throw Failure(EngineText::openFailed(name));
    }
    parts[0].report(1, 1);
    if (plan.pending.empty()) {
        return RecognitionTally{0, plan.searchable, 0};
    }
    const std::shared_ptr<Recogniser> reader = recogniser();
    if (!reader) {
        throw Failure(unavailable());
    }
    // How a page stands is told whether or not it is to be turned: a page read upside down
    // gives nonsense, and its layer is turned back onto the page when the page stays as it is.
    RecognitionRequest request{source, {}, job.languages, true, outputs.scratch(destination)};
    for (const auto& [page, openSaves] : plan.pending) {
        request.pages.append(page);
    }
    Laying laying(pages, plan, job, *pdf, parts[1]);
    try {
        reader->recognise(request, [&laying](const RecognisedPage& read) { laying.take(read); });
    } catch (const std::runtime_error& e) {
        throw Failure(QString::fromUtf8(e.what()));
    }
    if (laying.broken()) {
        throw Failure(notLaid(name));
    }
    write(*pdf, outputs, destination, qint64(pages.size()), parts[2]);
    RecognitionTally tally = laying.tally();
    tally.searchable = plan.searchable;
    return tally;
}

} // namespace PDFEngine
