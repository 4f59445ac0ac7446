#include "engine/compress/JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <jpeglib.h>

namespace JpegCodec {

namespace {

// A progressive stream may legally hold thousands of tiny scans, each a pass
// over the whole coefficient buffer; real encoders write about ten.
constexpr int maxProgressiveScans = 100;
constexpr long maxCodecMemory = 1L << 30;

struct ErrorTrap {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
};

[[noreturn]] void leave(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorTrap*>(cinfo->err)->jump, 1);
}

// Warnings mean damaged data: counted, never printed.
void note(j_common_ptr cinfo, int level)
{
    if (level < 0) {
        ++cinfo->err->num_warnings;
    }
}

void silent(j_common_ptr) {}

void limitScans(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor) {
        auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
        if (d->progressive_mode && d->input_scan_number > maxProgressiveScans) {
            leave(cinfo);
        }
    }
}

void installTrap(ErrorTrap& trap)
{
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = leave;
    trap.manager.emit_message = note;
    trap.manager.output_message = silent;
}

J_COLOR_SPACE colorSpaceFor(int components)
{
    switch (components) {
    case 1: return JCS_GRAYSCALE;
    case 3: return JCS_RGB;
    case 4: return JCS_CMYK;
    default: return JCS_UNKNOWN;
    }
}

// The smallest scale n/8 whose output still covers the wanted size.
unsigned int scaleEighths(int length, int wanted)
{
    for (unsigned int n = 1; n < 8; ++n) {
        if ((static_cast<long>(length) * n + 7) / 8 >= wanted) {
            return n;
        }
    }
    return 8;
}

struct DecodeState {
    ErrorTrap trap;
    jpeg_progress_mgr progress{};
    jpeg_decompress_struct cinfo{};
    const std::string* data = nullptr;
    int width = 0, height = 0, components = 0, minWidth = 0, minHeight = 0;
    Decoded result;
};

// Everything libjpeg may jump out of, creation included, happens in this
// frame, which holds no objects of its own: all state lives in `s`. Destroying
// a codec that was never created is harmless, so the caller always destroys.
bool runDecode(DecodeState& s)
{
    if (setjmp(s.trap.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&s.cinfo);
    s.cinfo.mem->max_memory_to_use = maxCodecMemory;
    s.progress.progress_monitor = limitScans;
    s.cinfo.progress = &s.progress;
    jpeg_mem_src(&s.cinfo, reinterpret_cast<const unsigned char*>(s.data->data()),
                 static_cast<unsigned long>(s.data->size()));
    jpeg_read_header(&s.cinfo, TRUE);
    if (static_cast<long>(s.cinfo.image_width) != s.width ||
        static_cast<long>(s.cinfo.image_height) != s.height ||
        s.cinfo.num_components != s.components) {
        return false;
    }
    s.result.adobeMarker = s.cinfo.saw_Adobe_marker != 0;
    s.cinfo.out_color_space = colorSpaceFor(s.components);
    s.cinfo.scale_num =
        std::max(scaleEighths(s.width, s.minWidth), scaleEighths(s.height, s.minHeight));
    s.cinfo.scale_denom = 8;
    jpeg_start_decompress(&s.cinfo);
    if (s.cinfo.output_components != s.components) {
        return false;
    }
    Pixels& p = s.result.pixels;
    p.width = static_cast<int>(s.cinfo.output_width);
    p.height = static_cast<int>(s.cinfo.output_height);
    p.components = s.components;
    p.samples.resize(p.byteCount());
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        JSAMPROW row = p.bytes() + static_cast<size_t>(s.cinfo.output_scanline) * p.rowBytes();
        jpeg_read_scanlines(&s.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&s.cinfo);
    return s.trap.manager.num_warnings == 0;
}

struct EncodeState {
    ErrorTrap trap;
    jpeg_compress_struct cinfo{};
    const Pixels* pixels = nullptr;
    int quality = 75;
    bool adobeMarker = false;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

bool runEncode(EncodeState& s)
{
    if (setjmp(s.trap.jump) != 0) {
        return false;
    }
    const Pixels& p = *s.pixels;
    jpeg_create_compress(&s.cinfo);
    jpeg_mem_dest(&s.cinfo, &s.buffer, &s.size);
    s.cinfo.image_width = static_cast<JDIMENSION>(p.width);
    s.cinfo.image_height = static_cast<JDIMENSION>(p.height);
    s.cinfo.input_components = p.components;
    s.cinfo.in_color_space = colorSpaceFor(p.components);
    // The defaults are what we want: YCbCr with 2x2 luma sampling for colour
    // (4:2:0), one plain channel for grey, four unsampled channels for CMYK.
    jpeg_set_defaults(&s.cinfo);
    jpeg_set_quality(&s.cinfo, s.quality, TRUE);
    s.cinfo.optimize_coding = TRUE;
    if (p.components == 4) {
        s.cinfo.write_Adobe_marker = s.adobeMarker ? TRUE : FALSE;
    }
    jpeg_start_compress(&s.cinfo, TRUE);
    while (s.cinfo.next_scanline < s.cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(p.bytes()) +
                       static_cast<size_t>(s.cinfo.next_scanline) * p.rowBytes();
        jpeg_write_scanlines(&s.cinfo, &row, 1);
    }
    jpeg_finish_compress(&s.cinfo);
    return true;
}

} // namespace

std::optional<Decoded> decode(const std::string& data, int width, int height, int components,
                              int minWidth, int minHeight)
{
    if (colorSpaceFor(components) == JCS_UNKNOWN || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    auto s = std::make_unique<DecodeState>();
    s->data = &data;
    s->width = width;
    s->height = height;
    s->components = components;
    s->minWidth = minWidth;
    s->minHeight = minHeight;
    installTrap(s->trap);
    s->cinfo.err = &s->trap.manager;
    const bool ok = runDecode(*s);
    jpeg_destroy_decompress(&s->cinfo);
    if (!ok) {
        return std::nullopt;
    }
    return std::move(s->result);
}

std::optional<std::string> encode(const Pixels& pixels, int quality, bool adobeMarker)
{
    if (colorSpaceFor(pixels.components) == JCS_UNKNOWN || pixels.width <= 0 ||
        pixels.height <= 0 || pixels.samples.size() < pixels.byteCount()) {
        return std::nullopt;
    }
    auto s = std::make_unique<EncodeState>();
    s->pixels = &pixels;
    s->quality = quality;
    s->adobeMarker = adobeMarker;
    installTrap(s->trap);
    s->cinfo.err = &s->trap.manager;
    const bool ok = runEncode(*s);
    jpeg_destroy_compress(&s->cinfo);
    std::optional<std::string> result;
    if (ok && s->buffer != nullptr) {
        result.emplace(reinterpret_cast<const char*>(s->buffer), s->size);
    }
    std::free(s->buffer);
    return result;
}

} // namespace JpegCodec
