#include "engine/include/PictureReading.h"

#include <mutex>

namespace PDFEngine {

namespace {

std::mutex& guard()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<PictureReader>& installed()
{
    static std::shared_ptr<PictureReader> current;
    return current;
}

} // namespace

void usePictureReader(std::shared_ptr<PictureReader> reader)
{
    const std::lock_guard lock(guard());
    installed() = std::move(reader);
}

std::shared_ptr<PictureReader> pictureReader()
{
    const std::lock_guard lock(guard());
    return installed();
}

} // namespace PDFEngine
