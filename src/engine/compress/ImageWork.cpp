#include "engine/compress/ImageWork.h"

#include "engine/compress/AreaScaler.h"
#include "engine/compress/JpegCodec.h"
#include "engine/compress/JpxCodec.h"
#include "engine/compress/Pixels.h"

#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_String.hh>

#include <algorithm>

namespace ImageWork {

namespace {

Pixels expandPalette(const Job& job)
{
    Pixels pixels;
    pixels.width = job.width;
    pixels.height = job.height;
    pixels.components = job.components;
    pixels.samples.resize(pixels.byteCount());
    const size_t c = static_cast<size_t>(job.components);
    const size_t colours = job.palette.size() / c;
    unsigned char* out = pixels.bytes();
    for (unsigned char index : job.data) {
        // An index past the table's end shows as its last colour, as readers do.
        const size_t entry = std::min<size_t>(index, colours - 1);
        job.palette.copy(reinterpret_cast<char*>(out), c, entry * c);
        out += c;
    }
    return pixels;
}

Pixels shrunk(Pixels pixels, int width, int height)
{
    if (pixels.width == width && pixels.height == height) {
        return pixels;
    }
    return AreaScaler::shrink(pixels, width, height);
}

std::string deflate(const std::string& data)
{
    std::string out;
    Pl_String sink("mask", nullptr, out);
    Pl_Flate flate("mask", &sink, Pl_Flate::a_deflate);
    flate.write(reinterpret_cast<const unsigned char*>(data.data()), data.size());
    flate.finish();
    return out;
}

// 16-bit big-endian samples to 8 bits, rounded, in place.
void toEightBits(std::string& samples)
{
    const size_t count = samples.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        const unsigned high = static_cast<unsigned char>(samples[2 * i]);
        const unsigned low = static_cast<unsigned char>(samples[2 * i + 1]);
        samples[i] = static_cast<char>(((high << 8 | low) + 128) / 257);
    }
    samples.resize(count);
}

size_t sampleBytes(int bits)
{
    return bits == 16 ? 2 : 1;
}

// Inflating here rather than where the document lives is what lets both cores
// share a document of Flate scans: decoding is most of their cost.
bool decodeEncoded(Job& job)
{
    const size_t pixels = static_cast<size_t>(job.width) * static_cast<size_t>(job.height);
    const size_t maskPixels =
        static_cast<size_t>(job.maskWidth) * static_cast<size_t>(job.maskHeight);
    if (job.encoded) {
        auto samples = job.encoded->decode(pixels * static_cast<size_t>(job.sourceComponents) *
                                           sampleBytes(job.bits));
        job.encoded.reset();
        if (!samples) {
            return false;
        }
        job.data = std::move(*samples);
    }
    if (job.encodedMask) {
        // A mask that does not decode is kept as it is, as the image's own shrinks.
        auto samples = job.encodedMask->decode(maskPixels * sampleBytes(job.maskBits));
        job.encodedMask.reset();
        if (samples) {
            job.maskSamples = std::move(*samples);
        }
    }
    if (job.bits == 16) {
        toEightBits(job.data);
    }
    if (job.maskBits == 16 && !job.maskSamples.empty()) {
        toEightBits(job.maskSamples);
    }
    return true;
}

Result runUnguarded(Job job)
{
    if (!decodeEncoded(job)) {
        return {};
    }
    Pixels pixels;
    bool adobeMarker = false;
    if (job.jpegSource) {
        auto decoded = JpegCodec::decode(job.data, job.width, job.height, job.components,
                                         job.targetWidth, job.targetHeight);
        if (!decoded) {
            return {};
        }
        pixels = std::move(decoded->pixels);
        adobeMarker = decoded->adobeMarker;
    } else if (job.jpxSource) {
        auto decoded = JpxCodec::decode(job.data, job.width, job.height, job.components,
                                        job.maxSamples, job.targetWidth, job.targetHeight);
        if (!decoded) {
            return {};
        }
        pixels = std::move(*decoded);
    } else if (!job.palette.empty()) {
        pixels = expandPalette(job);
    } else {
        pixels.width = job.width;
        pixels.height = job.height;
        pixels.components = job.components;
        pixels.samples = std::move(job.data);
    }
    job.data.clear();
    pixels = shrunk(std::move(pixels), job.targetWidth, job.targetHeight);

    auto jpeg = JpegCodec::encode(pixels, job.quality, adobeMarker);
    if (!jpeg) {
        return {};
    }
    Result result;
    result.components = pixels.components;
    result.jpeg = std::move(*jpeg);
    if (!job.maskSamples.empty()) {
        Pixels mask{job.maskWidth, job.maskHeight, 1, std::move(job.maskSamples)};
        result.mask = deflate(shrunk(std::move(mask), job.targetWidth, job.targetHeight).samples);
    }
    result.ok = true;
    return result;
}

} // namespace

Result run(Job job)
{
    try {
        return runUnguarded(std::move(job));
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace ImageWork
