#include "engine/compress/CompressText.h"
#include "engine/document/Operations.h"
#include "engine/document/OutputTransaction.h"

#include <QFileInfo>

namespace PDFEngine {

namespace {

// Runs one job's operation, filling in what it staged.
struct Running {
    Outcome& outcome;
    const Progress& progress; // for the folders the outputs are staged in
    Share share;

    // Gives write a transaction for outputs going into folder, and keeps what it staged.
    template <typename Write>
    void staged(const QString& folder, bool createFolder, Write write)
    {
        OutputTransaction outputs(folder, createFolder, progress);
        write(outputs);
        outcome.staging = outputs.release();
    }

    void operator()(const MergeJob& job)
    {
        staged(outputFolder(job), false,
               [&](OutputTransaction& outputs) { merge(job, outputs, share); });
        outcome.outputs = {job.destination};
    }

    void operator()(const OrganizeJob& job)
    {
        staged(outputFolder(job), false,
               [&](OutputTransaction& outputs) { organize(job, outputs, share); });
        outcome.outputs = {job.destination};
    }

    void operator()(const SplitJob& job)
    {
        share.reading(0);
        const Grouping grouping = groups(job.rule, pageCount(job.source));
        staged(outputFolder(job), job.createFolder, [&](OutputTransaction& outputs) {
            outcome.outputs = split(job.source, grouping, outputs, share);
        });
    }

    void operator()(const CompressJob& job)
    {
        staged(outputFolder(job), job.sources.size() > 1 && job.createFolder,
               [&](OutputTransaction& outputs) { compressEach(job, outputs); });
        if (outcome.outputs.isEmpty()) {
            outcome.notSmaller = job.sources.size() == 1 ? CompressText::notSmaller()
                                                         : CompressText::noneSmaller();
        }
    }

    void compressEach(const CompressJob& job, OutputTransaction& outputs)
    {
        std::vector<double> sizes;
        for (const PDFSource& source : job.sources) {
            sizes.push_back(double(std::max<qint64>(fileSize(source.path), 1)));
        }
        const std::vector<Share> parts = share.parts(sizes);
        for (qsizetype i = 0; i < job.sources.size(); ++i) {
            const QString target = job.sources.size() == 1
                                       ? job.destination
                                       : outputs.uniqueDestination(job.baseNames.value(i));
            share.reading(i);
            if (compress(job.sources[i], job.level, target, outputs, parts[size_t(i)])) {
                outcome.perSource.append(target);
                outcome.outputs.append(target);
            } else {
                outcome.perSource.append(std::nullopt);
            }
        }
    }

    void operator()(const OcrJob& job)
    {
        staged(outputFolder(job), job.sources.size() > 1 && job.createFolder,
               [&](OutputTransaction& outputs) {
                   const std::vector<Share> parts =
                       share.parts(std::vector<double>(size_t(job.sources.size()), 1.0));
                   for (qsizetype i = 0; i < job.sources.size(); ++i) {
                       const QString target =
                           job.sources.size() == 1
                               ? job.destination
                               : outputs.uniqueDestination(job.baseNames.value(i));
                       share.reading(i);
                       const RecognitionTally tally =
                           recognizeText(job.sources[i], job, target, outputs, parts[size_t(i)]);
                       outcome.recognition.append(tally);
                       const bool written = tally.recognised > 0 || tally.turned > 0;
                       outcome.perSource.append(written ? std::optional(target) : std::nullopt);
                       if (written) {
                           outcome.outputs.append(target);
                       }
                   }
               });
    }

    void operator()(const DeletePagesJob& job)
    {
        share.reading(0);
        staged(outputFolder(job), false, [&](OutputTransaction& outputs) {
            deletePages(job.source, job.removing, job.destination, outputs, share, job.ranges);
        });
        outcome.outputs = {job.destination};
    }

    void operator()(const InspectJob& job)
    {
        share.reading(0);
        if (!job.source.password && needsPassword(job.source.path)) {
            outcome.locked = true;
        } else {
            outcome.pageCount = pageCount(job.source);
        }
    }

    void operator()(const SignJob& job)
    {
        share.reading(0);
        staged(outputFolder(job), false, [&](OutputTransaction& outputs) {
            sign(job.source, job.items, job.destination, outputs, share);
        });
        outcome.outputs = {job.destination};
    }
};

Outcome failed(const QString& message)
{
    Outcome outcome;
    outcome.failure = message;
    return outcome;
}

} // namespace

Outcome stage(const Job& job, const Progress& progress)
{
    Outcome outcome;
    Meter meter(progress);
    try {
        // Told at once, so that the run shows as under way before its first input is read.
        meter.all().report(0, 1);
        std::visit(Running{outcome, progress, meter.all()}, job);
        meter.finish();
    } catch (const Failure& failure) {
        discard(outcome.staging);
        return failed(failure.message());
    } catch (const std::exception& e) {
        // The operations promise Failure only; anything else still must not end the app.
        discard(outcome.staging);
        return failed(QString::fromUtf8(e.what()));
    }
    return outcome;
}

Outcome run(const Job& job, const Progress& progress)
{
    Outcome outcome = stage(job, progress);
    commit(outcome);
    return outcome;
}

} // namespace PDFEngine
