#include "engine/compress/JpxCodec.h"

#include <openjpeg.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace JpxCodec {

namespace {

struct Source {
    const std::string* data = nullptr;
    size_t offset = 0;
};

OPJ_SIZE_T readFrom(void* buffer, OPJ_SIZE_T bytes, void* user)
{
    auto* source = static_cast<Source*>(user);
    const size_t left = source->data->size() - source->offset;
    if (left == 0) {
        return static_cast<OPJ_SIZE_T>(-1);
    }
    const size_t n = std::min<size_t>(bytes, left);
    std::memcpy(buffer, source->data->data() + source->offset, n);
    source->offset += n;
    return n;
}

OPJ_OFF_T skipIn(OPJ_OFF_T bytes, void* user)
{
    auto* source = static_cast<Source*>(user);
    const auto size = static_cast<OPJ_OFF_T>(source->data->size());
    const OPJ_OFF_T from = static_cast<OPJ_OFF_T>(source->offset);
    const OPJ_OFF_T to = std::clamp<OPJ_OFF_T>(from + bytes, 0, size);
    source->offset = static_cast<size_t>(to);
    return to - from;
}

OPJ_BOOL seekTo(OPJ_OFF_T position, void* user)
{
    auto* source = static_cast<Source*>(user);
    if (position < 0 || static_cast<size_t>(position) > source->data->size()) {
        return OPJ_FALSE;
    }
    source->offset = static_cast<size_t>(position);
    return OPJ_TRUE;
}

OPJ_UINT32 reduced(int length, OPJ_UINT32 factor)
{
    return (static_cast<OPJ_UINT32>(length) + (1u << factor) - 1) >> factor;
}

void quiet(const char*, void*) {}

// The largest factor the codestream takes whose halvings still cover the wanted size.
OPJ_UINT32 reduce(opj_codec_t* codec, int width, int height, int minWidth, int minHeight)
{
    OPJ_UINT32 factor = 0;
    while (factor < 8 && reduced(width, factor + 1) >= static_cast<OPJ_UINT32>(minWidth) &&
           reduced(height, factor + 1) >= static_cast<OPJ_UINT32>(minHeight)) {
        ++factor;
    }
    while (factor > 0 && !opj_set_decoded_resolution_factor(codec, factor)) {
        --factor; // the codestream has fewer resolutions
    }
    return factor;
}

struct CodecDeleter {
    void operator()(opj_codec_t* codec) const { opj_destroy_codec(codec); }
};
struct StreamDeleter {
    void operator()(opj_stream_t* stream) const { opj_stream_destroy(stream); }
};
struct ImageDeleter {
    void operator()(opj_image_t* image) const { opj_image_destroy(image); }
};

bool isFile(const std::string& data)
{
    static const char signature[] = "\x00\x00\x00\x0CjP  \r\n\x87\n";
    return data.size() >= 12 && std::memcmp(data.data(), signature, 12) == 0;
}

// The header's promise matches the image's dictionary and fits 8-bit samples;
// components are checked at the size the reduction factor gives.
bool acceptable(const opj_image_t& image, int width, int height, int components,
                OPJ_UINT32 factor = 0)
{
    const OPJ_UINT32 n = image.numcomps;
    if (image.x1 - image.x0 != static_cast<OPJ_UINT32>(width) ||
        image.y1 - image.y0 != static_cast<OPJ_UINT32>(height) || (n != 1 && n != 3 && n != 4) ||
        (components != 0 && n != static_cast<OPJ_UINT32>(components))) {
        return false;
    }
    for (OPJ_UINT32 c = 0; c < n; ++c) {
        const opj_image_comp_t& comp = image.comps[c];
        if (comp.dx != 1 || comp.dy != 1 || comp.w != reduced(width, factor) ||
            comp.h != reduced(height, factor) || comp.sgnd != 0 || comp.prec < 1 ||
            comp.prec > 16 || comp.alpha != 0) {
            return false;
        }
    }
    // Colour transforms the samples would still need are left to the readers that know them.
    if (image.color_space == OPJ_CLRSPC_SYCC || image.color_space == OPJ_CLRSPC_EYCC) {
        return false;
    }
    if (components == 0) {
        const bool plain =
            image.color_space == OPJ_CLRSPC_UNSPECIFIED ||
            image.color_space == OPJ_CLRSPC_UNKNOWN || image.color_space == OPJ_CLRSPC_GRAY ||
            image.color_space == OPJ_CLRSPC_SRGB || image.color_space == OPJ_CLRSPC_CMYK;
        return plain && image.icc_profile_len == 0;
    }
    return true;
}

Pixels toPixels(const opj_image_t& image)
{
    Pixels pixels;
    pixels.width = static_cast<int>(image.comps[0].w);
    pixels.height = static_cast<int>(image.comps[0].h);
    pixels.components = static_cast<int>(image.numcomps);
    pixels.samples.resize(pixels.byteCount());
    unsigned char* out = pixels.bytes();
    const size_t count = static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height);
    const auto n = static_cast<size_t>(pixels.components);
    for (size_t c = 0; c < n; ++c) {
        const opj_image_comp_t& comp = image.comps[c];
        const long long top = (1LL << comp.prec) - 1;
        for (size_t i = 0; i < count; ++i) {
            const long long v = std::clamp<long long>(comp.data[i], 0, top);
            out[i * n + c] = static_cast<unsigned char>((v * 255 + top / 2) / top);
        }
    }
    return pixels;
}

} // namespace

std::optional<Pixels> decode(const std::string& data, int width, int height, int components,
                             long long maxSamples, int minWidth, int minHeight)
{
    std::unique_ptr<opj_codec_t, CodecDeleter> codec(
        opj_create_decompress(isFile(data) ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K));
    std::unique_ptr<opj_stream_t, StreamDeleter> stream(opj_stream_create(1 << 16, OPJ_TRUE));
    if (!codec || !stream) {
        return std::nullopt;
    }
    opj_set_info_handler(codec.get(), quiet, nullptr);
    opj_set_warning_handler(codec.get(), quiet, nullptr);
    opj_set_error_handler(codec.get(), quiet, nullptr);
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    if (!opj_setup_decoder(codec.get(), &parameters)) {
        return std::nullopt;
    }
    Source source{&data, 0};
    opj_stream_set_user_data(stream.get(), &source, nullptr);
    opj_stream_set_user_data_length(stream.get(), data.size());
    opj_stream_set_read_function(stream.get(), readFrom);
    opj_stream_set_skip_function(stream.get(), skipIn);
    opj_stream_set_seek_function(stream.get(), seekTo);

    opj_image_t* header = nullptr;
    const bool read = opj_read_header(stream.get(), codec.get(), &header);
    std::unique_ptr<opj_image_t, ImageDeleter> image(header);
    if (!read || !image || !acceptable(*image, width, height, components) ||
        static_cast<long long>(width) * height * image->numcomps > maxSamples) {
        return std::nullopt;
    }
    const OPJ_UINT32 factor = reduce(codec.get(), width, height, minWidth, minHeight);
    if (!opj_decode(codec.get(), stream.get(), image.get()) ||
        !opj_end_decompress(codec.get(), stream.get())) {
        return std::nullopt;
    }
    // A JPEG 2000 file's palette is applied while decoding: look again.
    if (!acceptable(*image, width, height, components, factor)) {
        return std::nullopt;
    }
    for (OPJ_UINT32 c = 0; c < image->numcomps; ++c) {
        if (image->comps[c].data == nullptr) {
            return std::nullopt;
        }
    }
    return toPixels(*image);
}

} // namespace JpxCodec
