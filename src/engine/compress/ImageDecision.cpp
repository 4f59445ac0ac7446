#include "engine/compress/ImageDecision.h"

#include "engine/compress/StreamData.h"

#include <algorithm>
#include <cmath>

namespace ImageDecision {

namespace {

// Resampling to the drawn size is worth it only below this share of the pixels.
constexpr double resampleBelow = 0.8;

// Samples per pixel of a colour space JPEG can carry unchanged: device and
// calibrated grey, RGB and CMYK, and ICC profiles with 1, 3 or 4 channels (the
// array itself stays on the image, so the profile keeps its meaning).
// Separation, DeviceN and Lab are left out: their channels are inks or
// perceptual axes whose exact values matter to print and overprint, and
// JPEG's colour transform is built for none of them.
std::optional<int> directComponents(QPDFObjectHandle space)
{
    if (space.isName()) {
        const std::string name = space.getName();
        if (name == "/DeviceGray" || name == "/G") {
            return 1;
        }
        if (name == "/DeviceRGB" || name == "/RGB") {
            return 3;
        }
        if (name == "/DeviceCMYK" || name == "/CMYK") {
            return 4;
        }
        return std::nullopt;
    }
    if (!space.isArray() || space.getArrayNItems() < 2 || !space.getArrayItem(0).isName()) {
        return std::nullopt;
    }
    const std::string family = space.getArrayItem(0).getName();
    if (family == "/CalGray") {
        return 1;
    }
    if (family == "/CalRGB") {
        return 3;
    }
    if (family == "/ICCBased") {
        QPDFObjectHandle profile = space.getArrayItem(1);
        if (profile.isStream() && profile.getDict().getKey("/N").isInteger()) {
            const long long n = profile.getDict().getKey("/N").getIntValue();
            if (n == 1 || n == 3 || n == 4) {
                return static_cast<int>(n);
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> lookupTable(QPDFObjectHandle lookup, size_t needed)
{
    std::string table;
    if (lookup.isString()) {
        table = lookup.getStringValue();
    } else if (lookup.isStream()) {
        // Some writers pad the table; decode exactly what the palette uses.
        const auto decoded = StreamData::decode(lookup, needed);
        if (!decoded) {
            return std::nullopt;
        }
        table = *decoded;
    }
    if (table.size() < needed) {
        return std::nullopt;
    }
    table.resize(needed);
    return table;
}

// An Indexed space with more than 16 colours becomes its base space. Sixteen
// colours or fewer is line art or a chart: flat areas and hard edges that
// JPEG smears and a palette already stores in a few bits per pixel.
bool planPalette(QPDFObjectHandle space, QPDFObjectHandle dict, Plan& plan)
{
    if (space.getArrayNItems() != 4) {
        return false;
    }
    QPDFObjectHandle base = space.getArrayItem(1);
    QPDFObjectHandle hival = space.getArrayItem(2);
    const auto baseComponents = directComponents(base);
    if (!baseComponents || !hival.isInteger() || hival.getIntValue() < 16 ||
        hival.getIntValue() > 255) {
        return false;
    }
    // A non-default /Decode remaps palette indices, which an expanded image cannot express.
    QPDFObjectHandle decode = dict.getKey("/Decode");
    if (!decode.isNull()) {
        if (!decode.isArray() || decode.getArrayNItems() != 2 ||
            !decode.getArrayItem(0).isNumber() || !decode.getArrayItem(1).isNumber() ||
            decode.getArrayItem(0).getNumericValue() != 0.0 ||
            decode.getArrayItem(1).getNumericValue() != 255.0) {
            return false;
        }
    }
    const size_t colours = static_cast<size_t>(hival.getIntValue()) + 1;
    const auto table =
        lookupTable(space.getArrayItem(3), colours * static_cast<size_t>(*baseComponents));
    if (!table) {
        return false;
    }
    plan.sourceComponents = 1;
    plan.components = *baseComponents;
    plan.palette = *table;
    plan.baseColorSpace = base;
    return true;
}

void planSize(const Settings& settings, const DrawnSizes::Size* drawn, Plan& plan)
{
    const int longer = std::max(plan.width, plan.height);
    plan.targetWidth = plan.width;
    plan.targetHeight = plan.height;
    if (longer > settings.maxSide) {
        const double scale = static_cast<double>(settings.maxSide) / longer;
        plan.targetWidth =
            std::clamp(static_cast<int>(std::lround(plan.width * scale)), 1, settings.maxSide);
        plan.targetHeight =
            std::clamp(static_cast<int>(std::lround(plan.height * scale)), 1, settings.maxSide);
    }
    if (drawn == nullptr) {
        return;
    }
    // Each side keeps the level's resolution at the length it is drawn; pixels a
    // reader never shows at that resolution are only bytes.
    const auto shown = [&](double points, int pixels) {
        const double needed = std::ceil(points * settings.dpi / 72.0);
        // Written so that a size that is no number keeps every pixel.
        return needed < pixels ? std::max(1, static_cast<int>(needed)) : pixels;
    };
    const int width = std::min(plan.targetWidth, shown(drawn->width, plan.width));
    const int height = std::min(plan.targetHeight, shown(drawn->height, plan.height));
    // A small step down blurs for little gain.
    if (static_cast<double>(width) * height <
        resampleBelow * plan.targetWidth * plan.targetHeight) {
        plan.targetWidth = width;
        plan.targetHeight = height;
    }
}

// A soft mask at least as large as the image's new size shrinks to exactly
// that size and 8 bits, and stays Flate, so edges stay exact; a mask that needs
// neither (already that size and depth) is only recompressed losslessly. Any
// other mask (smaller, another depth, a lossy filter, shared with other images)
// is kept as it is: a reader stretches a mask over the image's unit square
// whatever their sizes.
void planMask(QPDFObjectHandle dict, const std::map<QPDFObjGen, int>& softMaskUsers, Plan& plan)
{
    QPDFObjectHandle mask = dict.getKey("/SMask");
    if (!mask.isStream()) {
        return;
    }
    QPDFObjectHandle m = mask.getDict();
    const auto users = softMaskUsers.find(mask.getObjGen());
    const auto filters = StreamData::filters(mask);
    if (users == softMaskUsers.end() || users->second != 1 || !filters ||
        !StreamData::losslessOnly(*filters) || !m.getKey("/Width").isInteger() ||
        !m.getKey("/Height").isInteger() || !m.getKey("/BitsPerComponent").isInteger() ||
        m.hasKey("/Decode")) {
        return;
    }
    const long long width = m.getKey("/Width").getIntValue();
    const long long height = m.getKey("/Height").getIntValue();
    const long long bits = m.getKey("/BitsPerComponent").getIntValue();
    const bool needed = plan.resized() || width != plan.targetWidth ||
                        height != plan.targetHeight || bits != 8;
    if (needed && (bits == 8 || bits == 16) && width >= plan.targetWidth &&
        height >= plan.targetHeight && width <= 1'000'000 && height <= 1'000'000 &&
        width * height <= maxSamples) {
        plan.mask = mask;
        plan.maskWidth = static_cast<int>(width);
        plan.maskHeight = static_cast<int>(height);
        plan.maskBits = static_cast<int>(bits);
    }
}

// JPEG 2000 carries its own colour space when the dictionary names none, and
// may carry its own transparency (/SMaskInData), which JPEG cannot.
bool planJpx(QPDFObjectHandle dict, Plan& plan)
{
    QPDFObjectHandle inData = dict.getKey("/SMaskInData");
    if ((inData.isInteger() && inData.getIntValue() != 0) ||
        (!inData.isNull() && !inData.isInteger())) {
        return false;
    }
    plan.jpxSource = true;
    plan.hasColorSpace = !dict.getKey("/ColorSpace").isNull();
    // /Decode applies to the dictionary's colour space; without one there is nothing to keep it
    // for.
    return plan.hasColorSpace || dict.getKey("/Decode").isNull();
}

// Whether the soft or stencil mask would be left at a size the image no longer has.
bool maskLeftBehind(QPDFObjectHandle dict, const Plan& plan)
{
    return (dict.getKey("/SMask").isStream() && !plan.mask.isInitialized()) ||
           dict.getKey("/Mask").isStream();
}

bool isLossyOrBitonalFilter(const std::string& name)
{
    // JBIG2 and CCITT code bilevel scans far better than JPEG could.
    return name == "/JBIG2Decode" || name == "/CCITTFaxDecode" || name == "/CCF";
}

} // namespace

Settings settingsFor(CompressionLevel level)
{
    switch (level) {
    case CompressionLevel::light: return {75, 2400, 200};
    case CompressionLevel::balanced: return {50, 1600, 150};
    case CompressionLevel::strong: return {25, 1000, 96};
    }
    return {50, 1600, 150};
}

std::optional<Plan> decide(QPDFObjectHandle image, const Settings& settings,
                           const std::map<QPDFObjGen, int>& softMaskUsers,
                           const DrawnSizes::Size* drawn)
{
    QPDFObjectHandle dict = image.getDict();
    Plan plan;
    plan.image = image;

    // Stencil masks are one bit deep with hard edges: JPEG has no such thing.
    if (dict.getKey("/ImageMask").isBool() && dict.getKey("/ImageMask").getBoolValue()) {
        return std::nullopt;
    }
    QPDFObjectHandle width = dict.getKey("/Width");
    QPDFObjectHandle height = dict.getKey("/Height");
    // JPEG 2000 may leave its depth to the codestream.
    QPDFObjectHandle bits = dict.getKey("/BitsPerComponent");
    if (bits.isNull() && dict.getKey("/Filter").isNameAndEquals("/JPXDecode")) {
        bits = QPDFObjectHandle::newInteger(8);
    }
    if (!width.isInteger() || !height.isInteger() || !bits.isInteger() ||
        width.getIntValue() <= 0 || height.getIntValue() <= 0 || width.getIntValue() > 1'000'000 ||
        height.getIntValue() > 1'000'000) {
        return std::nullopt;
    }
    plan.width = static_cast<int>(width.getIntValue());
    plan.height = static_cast<int>(height.getIntValue());
    // Icons and small marks: recoding them saves little and shows.
    if (std::max(plan.width, plan.height) <= smallestProcessedSide) {
        return std::nullopt;
    }
    // 1-bit images are text and line art; 2- and 4-bit images are either
    // palettes of at most 16 colours or coarse ramps JPEG would band. 16-bit
    // samples hold more precision than any screen or print shows: they become 8.
    if (bits.getIntValue() != 8 && bits.getIntValue() != 16) {
        return std::nullopt;
    }
    plan.bits = static_cast<int>(bits.getIntValue());
    // A colour-key mask names exact sample values as transparent; after
    // JPEG's approximations other pixels would match or miss it. Readers ignore
    // it beside a soft mask, so there it goes with the re-encoding.
    if (dict.getKey("/Mask").isArray()) {
        if (!dict.getKey("/SMask").isStream()) {
            return std::nullopt;
        }
        plan.dropColourKey = true;
    }
    // /Matte means the colours were premultiplied against the mask: image
    // and mask must keep their exact, pixel-for-pixel relation.
    QPDFObjectHandle smask = dict.getKey("/SMask");
    if (smask.isStream() && smask.getDict().hasKey("/Matte")) {
        return std::nullopt;
    }

    const auto filters = StreamData::filters(image);
    if (!filters || std::any_of(filters->begin(), filters->end(), isLossyOrBitonalFilter)) {
        return std::nullopt;
    }
    const bool dct = std::any_of(filters->begin(), filters->end(), [](const std::string& f) {
        return f == "/DCTDecode" || f == "/DCT";
    });
    const bool jpx = filters->size() == 1 && filters->front() == "/JPXDecode";
    if (jpx) {
        // The codestream says its own depth; /BitsPerComponent is only a hint.
        plan.bits = 8;
        if (!planJpx(dict, plan)) {
            return std::nullopt;
        }
    } else if (dct) {
        // Only a plain JPEG goes to our decoder; /DecodeParms could override
        // its colour transform, and a chain around DCT would need qpdf to decode.
        QPDFObjectHandle parms = dict.getKey("/DecodeParms");
        const bool plainParms = parms.isNull() || (parms.isDictionary() && parms.getKeys().empty());
        if (filters->size() != 1 || !plainParms) {
            return std::nullopt;
        }
        plan.jpegSource = true;
    } else if (!StreamData::losslessOnly(*filters)) {
        return std::nullopt;
    }
    if (plan.bits == 16 && plan.lossySource()) {
        return std::nullopt;
    }

    QPDFObjectHandle space = dict.getKey("/ColorSpace");
    if (plan.jpxSource && !plan.hasColorSpace) {
        plan.sourceComponents = plan.components = 0; // told by the codestream
    } else if (const auto components = directComponents(space)) {
        plan.sourceComponents = plan.components = *components;
    } else if (plan.lossySource() || plan.bits != 8 || !space.isArray() ||
               space.getArrayNItems() < 1 || !space.getArrayItem(0).isNameAndEquals("/Indexed") ||
               !planPalette(space, dict, plan)) {
        return std::nullopt;
    }

    // A codestream of unknown colour counts as four samples a pixel, the most it may hold.
    const int perPixel = plan.components == 0 ? 4
                                              : std::max(plan.sourceComponents, plan.components);
    const long long samples = static_cast<long long>(plan.width) * plan.height * perPixel;
    if (samples > maxSamples) {
        return std::nullopt; // a decompression bomb, or near enough
    }
    planSize(settings, drawn, plan);
    planMask(dict, softMaskUsers, plan);
    // Image and mask keep one grid: a mask that cannot follow the image to the size
    // it is drawn at keeps the image to the size it would have had without that.
    if (drawn != nullptr && maskLeftBehind(dict, plan)) {
        plan.mask = QPDFObjectHandle();
        planSize(settings, nullptr, plan);
        planMask(dict, softMaskUsers, plan);
    }
    return plan;
}

} // namespace ImageDecision
