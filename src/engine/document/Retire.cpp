#include "engine/document/Retire.h"

#include "engine/include/PDFEngine.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace PDFEngine {

namespace {

std::atomic<bool> s_keeping{false};

struct Kept {
    std::mutex mutex;
    std::vector<std::shared_ptr<void>> objects;
};

Kept& kept()
{
    static Kept instance;
    return instance;
}

} // namespace

void keepDocumentsUntilExit()
{
    s_keeping = true;
}

void retire(std::shared_ptr<void> object)
{
    if (s_keeping && object) {
        Kept& store = kept();
        const std::lock_guard lock(store.mutex);
        store.objects.push_back(std::move(object));
    }
}

} // namespace PDFEngine
