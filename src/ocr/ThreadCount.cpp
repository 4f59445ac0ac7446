#include "ocr/ThreadCount.h"

#include <QThread>
#include <algorithm>
#include <sys/resource.h>

namespace ThreadCount {

namespace {

// Measured with three languages: about 170 MB of address space for each thread beyond the first.
constexpr rlim_t perThread = rlim_t(200) << 20;

int memoryAllows()
{
    rlimit bound{};
    if (getrlimit(RLIMIT_AS, &bound) != 0 || bound.rlim_cur == RLIM_INFINITY) {
        return QThread::idealThreadCount();
    }
    return int(std::min<rlim_t>(bound.rlim_cur / perThread, 1024));
}

} // namespace

int forPages(int pages, int most)
{
    int threads = std::min({QThread::idealThreadCount(), pages, memoryAllows()});
    if (most > 0) {
        threads = std::min(threads, most);
    }
    return std::max(1, threads);
}

} // namespace ThreadCount
