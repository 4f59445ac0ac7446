#include "engine/document/EngineText.h"
#include "engine/document/Operations.h"
#include "engine/document/Output.h"
#include "engine/document/OutputChecks.h"
#include "engine/document/OutputTransaction.h"
#include "engine/document/Retire.h"
#include "engine/structure/Assembly.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QFileInfo>
#include <memory>
#include <set>

namespace PDFEngine {

namespace {

// True when two pages share a resource dictionary (or its font or XObject
// dictionary), directly or through inheritance: then a part would carry every
// resource of the shared dictionary unless unused entries are pruned.
bool sharesResources(std::vector<QPDFPageObjectHelper>& pages)
{
    std::set<QPDFObjGen> seen;
    auto sharedOnce = [&seen](const QPDFObjectHandle& object) {
        return object.isIndirect() && !seen.insert(object.getObjGen()).second;
    };
    for (QPDFPageObjectHelper& page : pages) {
        QPDFObjectHandle resources = page.getAttribute("/Resources", false);
        if (!resources.isDictionary()) {
            continue;
        }
        if (sharedOnce(resources) || sharedOnce(resources.getKey("/Font")) ||
            sharedOnce(resources.getKey("/XObject"))) {
            return true;
        }
    }
    return false;
}

// Stages the pages of one group, with what belongs to them, as a new document for destination,
// and queues its check.
void writeGroup(SourceDocument& source, const PageGroup& group, const QString& destination,
                OutputTransaction& outputs, OutputChecks& checks, const Share& share)
{
    const std::vector<Share> steps = share.parts({Effort::copy, Effort::write});
    Assembly part(Assembly::Bookmarks::asIs);
    part.add(source, std::vector<int>(group.begin(), group.end()), steps[0].reporter());
    const qint64 count = part.pageCount();
    StagedOutput output =
        writeUnchecked(part.finish(), outputs, destination, count, steps[1], Layout::plain);
    if (const std::optional<StagedOutput> failed = checks.failed()) {
        throw checkFailed(outputs, *failed);
    }
    checks.add(std::move(output));
}

} // namespace

QStringList split(const PDFSource& source, const Grouping& groups, OutputTransaction& outputs,
                  const Share& share)
{
    // Opening is worth a reading of the input; each group, its part of the pages written. Each
    // part is checked while the next is written, so only the last check is waited for.
    qsizetype pageTotal = 0;
    for (const PageGroup& group : groups) {
        pageTotal += group.size();
    }
    const double perPage = 1 / double(std::max<qsizetype>(pageTotal, 1));
    std::vector<double> weights{Effort::open};
    for (const PageGroup& group : groups) {
        weights.push_back(double(group.size()) * perPage * (Effort::copy + Effort::write));
    }
    weights.push_back(groups.isEmpty() ? 0
                                       : double(groups.last().size()) * perPage * Effort::check);
    const std::vector<Share> parts = share.parts(weights);
    parts[0].report(0, 1);
    std::unique_ptr<QPDF> pdf = open(source);
    const QString inputName = EngineText::fileName(source.path);
    std::unique_ptr<SourceDocument> document;
    try {
        QPDFPageDocumentHelper helper(*pdf);
        std::vector<QPDFPageObjectHelper> pages = helper.getAllPages();
        if (sharesResources(pages)) {
            // Only the in-memory copy changes: each page gets its own pruned dictionaries.
            helper.removeUnreferencedResources();
        }
        document = std::make_unique<SourceDocument>(*pdf, inputName);
    } catch (const std::exception&) {
        throw Failure(EngineText::openFailed(inputName));
    }

    const QString base = QFileInfo(source.path).completeBaseName();
    QStringList written;
    OutputChecks checks;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const PageGroup& group = groups[i];
        if (group.isEmpty()) {
            continue;
        }
        const QString destination = outputs.uniqueDestination(base, u' ' + groupLabel(group));
        try {
            writeGroup(*document, group, destination, outputs, checks, parts[size_t(i) + 1]);
        } catch (const Failure&) {
            throw;
        } catch (const std::exception&) {
            throw Failure(EngineText::openFailed(inputName));
        }
        written.append(destination);
    }
    if (const std::optional<StagedOutput> failed = checks.finish()) {
        throw checkFailed(outputs, *failed);
    }
    parts.back().report(1, 1);
    retire(std::move(document));
    retire(std::move(pdf));
    return written;
}

} // namespace PDFEngine
