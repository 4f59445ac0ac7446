#include "engine/include/Recognition.h"

#include <mutex>

namespace PDFEngine {

namespace {

std::mutex& guard()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<Recogniser>& installed()
{
    static std::shared_ptr<Recogniser> current;
    return current;
}

} // namespace

void useRecogniser(std::shared_ptr<Recogniser> recogniser)
{
    const std::lock_guard lock(guard());
    installed() = std::move(recogniser);
}

std::shared_ptr<Recogniser> recogniser()
{
    const std::lock_guard lock(guard());
    return installed();
}

} // namespace PDFEngine
