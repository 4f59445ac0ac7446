#include "engine/compress/ImagePass.h"

#include "engine/compress/DrawnSizes.h"
#include "engine/compress/EncodedStream.h"
#include "engine/compress/ImageCollector.h"
#include "engine/compress/ImageDecision.h"
#include "engine/compress/ImageWork.h"
#include "engine/compress/StreamData.h"

#include <qpdf/QPDF.hh>

#include <algorithm>
#include <deque>
#include <future>
#include <thread>

namespace ImagePass {

namespace {

// Images waiting for or in the workers, stored and decoded, in bytes; one job
// always runs whatever its size (the decision already capped that).
constexpr size_t memoryBudget = 256u << 20;

struct Pending {
    ImageDecision::Plan plan;
    size_t imageBytes = 0; // the stored size of the image, and of its mask
    size_t maskBytes = 0;
    size_t jobBytes = 0;
    std::future<ImageWork::Result> result;
};

// Flate and unfiltered data is only read here and inflated by the worker; other
// lossless chains are decoded here by qpdf, whose pipelines need the document.
// Either way a job counts its stored bytes and its decoded bound against the budget.
bool readSamples(const QPDFObjectHandle& stream, size_t expected,
                 std::optional<EncodedStream>& encoded, std::string& samples, size_t& storedBytes,
                 size_t& jobBytes)
{
    if ((encoded = EncodedStream::take(stream, expected))) {
        storedBytes = encoded->raw.size();
        jobBytes += storedBytes + expected;
        return true;
    }
    auto decoded = StreamData::decode(stream, expected);
    if (!decoded) {
        return false;
    }
    samples = std::move(*decoded);
    storedBytes = StreamData::stored(stream).size();
    jobBytes += samples.size();
    return true;
}

std::optional<ImageWork::Job> makeJob(Pending& pending, int quality)
{
    ImageDecision::Plan& plan = pending.plan;
    ImageWork::Job job;
    job.jpegSource = plan.jpegSource;
    job.jpxSource = plan.jpxSource;
    job.bits = plan.bits;
    job.maskWidth = plan.maskWidth;
    job.maskHeight = plan.maskHeight;
    job.maskBits = plan.maskBits;
    job.maxSamples = ImageDecision::maxSamples;
    job.width = plan.width;
    job.height = plan.height;
    job.sourceComponents = plan.sourceComponents;
    job.components = plan.components;
    job.targetWidth = plan.targetWidth;
    job.targetHeight = plan.targetHeight;
    job.palette = plan.palette;
    job.quality = quality;

    const size_t pixels = static_cast<size_t>(plan.width) * static_cast<size_t>(plan.height);
    const size_t sampleBytes = plan.bits == 16 ? 2 : 1;
    if (plan.lossySource()) {
        job.data = StreamData::stored(plan.image);
        pending.imageBytes = job.data.size();
        pending.jobBytes = job.data.size();
    } else if (!readSamples(plan.image,
                            pixels * static_cast<size_t>(plan.sourceComponents) * sampleBytes,
                            job.encoded, job.data, pending.imageBytes, pending.jobBytes)) {
        return std::nullopt; // undecodable: left as it is
    }
    const size_t maskBytes = static_cast<size_t>(plan.maskWidth) *
                             static_cast<size_t>(plan.maskHeight) * (plan.maskBits == 16 ? 2 : 1);
    if (plan.mask.isInitialized() &&
        !readSamples(plan.mask, maskBytes, job.encodedMask, job.maskSamples, pending.maskBytes,
                     pending.jobBytes)) {
        plan.mask = QPDFObjectHandle(); // keep the mask as it is
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
    const size_t oldBytes = pending.imageBytes + (result.mask.empty() ? 0 : pending.maskBytes);
    if (pending.plan.lossySource() && !pending.plan.resized()) {
        return newBytes * 10 <= oldBytes * 9;
    }
    return newBytes < oldBytes;
}

// Puts the worker's result in place of the image when it is worth it.
void apply(Pending& pending)
{
    const ImageWork::Result result = pending.result.get();
    if (!result.ok || !worthReplacing(pending, result)) {
        return;
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
    if (plan.dropColourKey) {
        dict.removeKey("/Mask");
    }
    if (plan.jpxSource) {
        dict.removeKey("/SMaskInData");
        if (!plan.hasColorSpace) {
            dict.replaceKey("/ColorSpace",
                            QPDFObjectHandle::newName(result.components == 1   ? "/DeviceGray"
                                                      : result.components == 4 ? "/DeviceCMYK"
                                                                               : "/DeviceRGB"));
        }
    }
    if (plan.mask.isInitialized() && !result.mask.empty()) {
        QPDFObjectHandle mask = plan.mask;
        mask.replaceStreamData(result.mask, QPDFObjectHandle::newName("/FlateDecode"),
                               QPDFObjectHandle::newNull());
        setSize(mask.getDict(), plan.targetWidth, plan.targetHeight);
    }
}

} // namespace

void run(QPDF& pdf, CompressionLevel level,
         const std::function<void(qint64 done, qint64 total)>& done)
{
    const ImageDecision::Settings settings = ImageDecision::settingsFor(level);
    const ImageCollector::Found found = ImageCollector::collect(pdf);
    DrawnSizes::Found drawn;
    try {
        drawn = DrawnSizes::collect(pdf);
    } catch (const std::exception&) {
        drawn.complete = false; // a damaged page tree: no size is certain
    }
    const size_t workers = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 2);

    std::deque<Pending> inFlight;
    size_t bytesInFlight = 0;
    // Images still in the workers are not done yet; skipped ones are.
    const auto total = static_cast<qint64>(found.images.size());
    qint64 finished = 0;
    const auto report = [&] {
        if (done) {
            done(finished, total);
        }
    };
    auto finishOldest = [&] {
        Pending& oldest = inFlight.front();
        apply(oldest);
        bytesInFlight -= oldest.jobBytes;
        inFlight.pop_front();
        ++finished;
        report();
    };

    report();
    for (const QPDFObjectHandle& image : found.images) {
        Pending pending;
        std::optional<ImageWork::Job> job;
        try {
            if (auto plan = ImageDecision::decide(image, settings, found.softMaskUsers,
                                                  drawn.known(image.getObjGen()))) {
                pending.plan = std::move(*plan);
                job = makeJob(pending, settings.quality);
            }
        } catch (const std::exception&) {
            job.reset(); // a damaged image object: leave it to the reader
        }
        if (!job) {
            ++finished;
            report();
            continue;
        }
        while (!inFlight.empty() &&
               (inFlight.size() >= workers || bytesInFlight + pending.jobBytes > memoryBudget)) {
            finishOldest();
        }
        pending.result = std::async(std::launch::async, ImageWork::run, std::move(*job));
        bytesInFlight += pending.jobBytes;
        inFlight.push_back(std::move(pending));
    }
    while (!inFlight.empty()) {
        finishOldest();
    }
    report();
}

} // namespace ImagePass
