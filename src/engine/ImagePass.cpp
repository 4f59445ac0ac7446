#include "ImagePass.h"

#include "ImageCollector.h"
#include "ImageDecision.h"
#include "ImageWork.h"
#include "StreamData.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>

#include <algorithm>
#include <deque>
#include <future>
#include <thread>

namespace ImagePass {

namespace {

// Decoded images waiting for or in the workers, in bytes; one job always
// runs whatever its size (the decision already capped that).
constexpr size_t memoryBudget = 256u << 20;

struct Pending {
    ImageDecision::Plan plan;
    size_t oldBytes = 0;
    size_t jobBytes = 0;
    std::future<ImageWork::Result> result;
};

size_t rawSize(QPDFObjectHandle stream)
{
    return stream.getRawStreamData()->getSize();
}

std::optional<ImageWork::Job> makeJob(ImageDecision::Plan& plan, int quality, size_t& oldBytes)
{
    ImageWork::Job job;
    job.jpegSource = plan.jpegSource;
    job.width = plan.width;
    job.height = plan.height;
    job.sourceComponents = plan.sourceComponents;
    job.components = plan.components;
    job.targetWidth = plan.targetWidth;
    job.targetHeight = plan.targetHeight;
    job.palette = plan.palette;
    job.quality = quality;

    if (plan.jpegSource) {
        std::shared_ptr<Buffer> raw = plan.image.getRawStreamData();
        job.data.assign(reinterpret_cast<const char*>(raw->getBuffer()), raw->getSize());
        oldBytes = job.data.size();
    } else {
        const size_t expected = static_cast<size_t>(plan.width) *
                                static_cast<size_t>(plan.height) *
                                static_cast<size_t>(plan.sourceComponents);
        auto samples = StreamData::decode(plan.image, expected);
        if (!samples) {
            return std::nullopt; // undecodable: left as it is
        }
        job.data = std::move(*samples);
        oldBytes = rawSize(plan.image);
    }
    if (plan.mask.isInitialized()) {
        const size_t expected = static_cast<size_t>(plan.width) * static_cast<size_t>(plan.height);
        if (auto samples = StreamData::decode(plan.mask, expected)) {
            job.maskSamples = std::move(*samples);
            oldBytes += rawSize(plan.mask);
        } else {
            plan.mask = QPDFObjectHandle(); // keep the mask as it is
        }
    }
    return job;
}

void setSize(QPDFObjectHandle dict, int width, int height)
{
    dict.replaceKey("/Width", QPDFObjectHandle::newInteger(width));
    dict.replaceKey("/Height", QPDFObjectHandle::newInteger(height));
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
}

// A JPEG that is not shrunk must save a tenth to be worth a second
// generation of loss; anything else only has to be smaller.
bool worthReplacing(const Pending& pending, const ImageWork::Result& result)
{
    const size_t newBytes = result.jpeg.size() + result.mask.size();
    if (pending.plan.jpegSource && !pending.plan.resized()) {
        return newBytes * 10 <= pending.oldBytes * 9;
    }
    return newBytes < pending.oldBytes;
}

bool apply(Pending& pending)
{
    const ImageWork::Result result = pending.result.get();
    if (!result.ok || !worthReplacing(pending, result)) {
        return false;
    }
    const ImageDecision::Plan& plan = pending.plan;
    QPDFObjectHandle image = plan.image;
    image.replaceStreamData(result.jpeg, QPDFObjectHandle::newName("/DCTDecode"),
                            QPDFObjectHandle::newNull());
    QPDFObjectHandle dict = image.getDict();
    setSize(dict, plan.targetWidth, plan.targetHeight);
    if (!plan.palette.empty()) {
        dict.replaceKey("/ColorSpace", plan.baseColorSpace);
        dict.removeKey("/Decode");
    }
    if (plan.mask.isInitialized()) {
        QPDFObjectHandle mask = plan.mask;
        mask.replaceStreamData(result.mask, QPDFObjectHandle::newName("/FlateDecode"),
                               QPDFObjectHandle::newNull());
        setSize(mask.getDict(), plan.targetWidth, plan.targetHeight);
    }
    return true;
}

} // namespace

Outcome run(QPDF& pdf, CompressionLevel level)
{
    const ImageDecision::Settings settings = ImageDecision::settingsFor(level);
    const ImageCollector::Found found = ImageCollector::collect(pdf);
    const size_t workers = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 2);

    Outcome outcome;
    std::deque<Pending> inFlight;
    size_t bytesInFlight = 0;
    auto finishOldest = [&] {
        Pending& oldest = inFlight.front();
        if (apply(oldest)) {
            ++outcome.replaced;
        }
        bytesInFlight -= oldest.jobBytes;
        inFlight.pop_front();
    };

    for (const QPDFObjectHandle& image : found.images) {
        Pending pending;
        std::optional<ImageWork::Job> job;
        try {
            auto plan = ImageDecision::decide(image, settings, found.softMaskUsers);
            if (!plan) {
                continue;
            }
            pending.plan = std::move(*plan);
            job = makeJob(pending.plan, settings.quality, pending.oldBytes);
        } catch (const std::exception&) {
            continue; // a damaged image object: leave it to the reader
        }
        if (!job) {
            continue;
        }
        ++outcome.considered;
        pending.jobBytes = job->data.size() + job->maskSamples.size();
        while (!inFlight.empty() && (inFlight.size() >= workers ||
                                     bytesInFlight + pending.jobBytes > memoryBudget)) {
            finishOldest();
        }
        pending.result = std::async(std::launch::async, ImageWork::run, std::move(*job));
        bytesInFlight += pending.jobBytes;
        inFlight.push_back(std::move(pending));
    }
    while (!inFlight.empty()) {
        finishOldest();
    }
    return outcome;
}

} // namespace ImagePass
