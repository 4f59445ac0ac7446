#include "runner/RunLimits.h"

#include "engine/include/PDFEngine.h"

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
    // Two engine threads may burn CPU at once; the wall clock is the real bound.
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(wallTime).count();
    return {memoryBytes, seconds > 0 ? 2 * seconds + 5 : 0};
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
    return RunLimits{wallTimeFor(bytes), defaultMemory()};
}
