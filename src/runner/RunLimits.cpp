#include "runner/RunLimits.h"

#include "engine/include/PDFEngine.h"

#include <QThread>
#include <unistd.h>

QList<PDFSource> PDFEngine::inputsOf(const Job& job)
{
    return std::visit(
        [](const auto& j) -> QList<PDFSource> {
            if constexpr (requires { j.sources; }) {
                return j.sources;
            } else {
                return {j.source};
            }
        },
        job);
}

std::chrono::milliseconds RunLimits::wallTimeFor(qint64 inputBytes)
{
    using namespace std::chrono;
    constexpr qint64 megabyte = 1'000'000;
    return seconds(60) + seconds(3) * ((inputBytes + megabyte - 1) / megabyte);
}

std::chrono::milliseconds RunLimits::recognitionTimeFor(const PDFEngine::OcrJob& job)
{
    using namespace std::chrono;
    // Not shared out between threads: the cores may be busy, and slower machines take two to
    // four times the 1–4 s a page takes here.
    constexpr seconds perPage(15);
    // A source counted as nothing is guessed at one page per 25 kB: a bilevel scan's page takes
    // 30–60 kB, so this errs towards time to spare.
    constexpr qint64 leastPageBytes = 25'000;
    qint64 pages = 0;
    for (qsizetype i = 0; i < job.sources.size(); ++i) {
        const qint64 counted = i < job.pageCounts.size() ? job.pageCounts[i] : 0;
        pages +=
            counted > 0
                ? counted
                : std::max<qint64>(1, PDFEngine::fileSize(job.sources[i].path) / leastPageBytes);
    }
    return seconds(60) + perPage * pages;
}

qint64 RunLimits::defaultMemory()
{
    constexpr qint64 gibibyte = qint64(1) << 30;
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    const qint64 machine = pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : 0;
    return std::clamp(machine / 4, 2 * gibibyte, 8 * gibibyte);
}

ChildLimits::Bounds RunLimits::childBounds() const
{
    // The wall clock is the real bound; this one only stops a worker spinning while it is
    // somehow not watched.
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(wallTime).count();
    return {memoryBytes, seconds > 0 ? std::max(1, busyThreads) * seconds + 5 : 0};
}

RunLimits RunLimits::forJob(const PDFEngine::Job& job)
{
    qint64 bytes = 0;
    for (const PDFSource& source : PDFEngine::inputsOf(job)) {
        bytes += PDFEngine::fileSize(source.path);
    }
    if (std::holds_alternative<PDFEngine::InspectJob>(job)) {
        // Only the cross-reference and the page tree are read; the user waits for the answer.
        using namespace std::chrono;
        return RunLimits{seconds(10) + seconds(1) * (bytes / 10'000'000), defaultMemory()};
    }
    if (const auto* ocr = std::get_if<PDFEngine::OcrJob>(&job)) {
        // A recogniser on every core, each burning CPU the whole run.
        return RunLimits{recognitionTimeFor(*ocr), defaultMemory(),
                         std::max(2, QThread::idealThreadCount())};
    }
    return RunLimits{wallTimeFor(bytes), defaultMemory()};
}
