#include "CompressText.h"
#include "Operations.h"

namespace PDFEngine {

namespace {

// Runs one job's operation, filling in what it wrote.
struct Running {
    Outcome& outcome;
    const Progress& progress;

    void operator()(const MergeJob& job)
    {
        merge(job.sources, job.destination, progress);
        outcome.outputs = {job.destination};
    }

    void operator()(const SplitJob& job)
    {
        progress.reading(0);
        outcome.outputs =
            split(job.source, groups(job.rule, pageCount(job.source)), job.folder, progress);
    }

    void operator()(const CompressJob& job)
    {
        for (qsizetype i = 0; i < job.sources.size(); ++i) {
            // With several inputs every name is made unique only now, so that a file
            // written for an earlier input of the same stem is seen.
            const QString target = job.sources.size() == 1
                                       ? job.destination
                                       : uniqueURL(job.folder, job.baseNames.value(i));
            progress.reading(i);
            if (compress(job.sources[i], job.level, target, progress)) {
                outcome.perSource.append(target);
                outcome.outputs.append(target);
            } else {
                outcome.perSource.append(std::nullopt);
            }
        }
        if (outcome.outputs.isEmpty()) {
            outcome.notSmaller = CompressText::notSmaller();
        }
    }

    void operator()(const DeletePagesJob& job)
    {
        progress.reading(0);
        QSet<int> removing = job.removing;
        if (job.ranges) {
            for (const PageGroup& group : parseRanges(*job.ranges, pageCount(job.source))) {
                for (int index : group) {
                    removing.insert(index);
                }
            }
        }
        deletePages(job.source, removing, job.destination, progress);
        outcome.outputs = {job.destination};
    }

    void operator()(const InspectJob& job)
    {
        progress.reading(0);
        if (!job.source.password && needsPassword(job.source.url)) {
            outcome.locked = true;
        } else {
            outcome.pageCount = pageCount(job.source);
        }
    }

    void operator()(const SignJob& job)
    {
        progress.reading(0);
        sign(job.source, job.items, job.destination, progress);
        outcome.outputs = {job.destination};
    }
};

} // namespace

Grouping groups(const SplitRule& rule, qint64 pageCount)
{
    switch (rule.mode) {
    case SplitMode::each: return chunks(pageCount, 1);
    case SplitMode::every: return chunks(pageCount, rule.every);
    case SplitMode::ranges: return parseRanges(rule.ranges, pageCount);
    }
    return {};
}

SplitPlan splitPlan(const SplitRule& rule, qint64 pageCount)
{
    try {
        return SplitPlan{groups(rule, pageCount), {}};
    } catch (const Failure& failure) {
        return SplitPlan{{}, failure.message()};
    }
}

Outcome run(const Job& job, const Progress& progress)
{
    Outcome outcome;
    try {
        std::visit(Running{outcome, progress}, job);
    } catch (const Failure& failure) {
        outcome = Outcome{};
        outcome.failure = failure.message();
    } catch (const std::exception& e) {
        // The operations promise Failure only; anything else still must not end the app.
        outcome = Outcome{};
        outcome.failure = QString::fromUtf8(e.what());
    }
    return outcome;
}

} // namespace PDFEngine
