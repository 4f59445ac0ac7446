#include "ImageFixtures.h"

#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace ImageFixtures {

namespace {

using OH = QPDFObjectHandle;

std::string bytes(const QByteArray& data)
{
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}

quint32 nextRandom(quint32& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

OH imageStream(QPDF& pdf, const QByteArray& data, int width, int height, int bits, OH space,
               const std::string& filter)
{
    OH image = pdf.newStream(bytes(data));
    image.replaceDict(OH::parse("<< /Type /XObject /Subtype /Image /Filter " + filter + " /Width " +
                                std::to_string(width) + " /Height " + std::to_string(height) +
                                " /BitsPerComponent " + std::to_string(bits) + " >>"));
    if (!space.isNull()) {
        image.getDict().replaceKey("/ColorSpace", space);
    }
    return image;
}

OH flateImage(QPDF& pdf, const QByteArray& samples, int width, int height, int bits,
              const OH& space)
{
    return imageStream(pdf, deflate(samples), width, height, bits, space, "/FlateDecode");
}

// An Indexed space over DeviceRGB of that many colours.
OH indexed(int colours)
{
    const int last = std::max(1, colours - 1);
    QByteArray table;
    for (int i = 0; i < colours; ++i) {
        table.append(static_cast<char>(i * 255 / last));
        table.append(static_cast<char>(255 - i * 200 / last));
        table.append(static_cast<char>(60 + i * 128 / last));
    }
    OH array = OH::parse("[/Indexed /DeviceRGB " + std::to_string(colours - 1) + "]");
    array.appendItem(OH::newString(bytes(table)));
    return array;
}

// Indices following the photo's brightness, neighbouring pixels in neighbouring colours.
QByteArray paletteIndices(int width, int height, int colours)
{
    const QByteArray grey = photoSamples(width, height, 1, 5);
    QByteArray indices(grey.size(), '\0');
    for (qsizetype i = 0; i < grey.size(); ++i) {
        indices[i] = static_cast<char>(static_cast<unsigned char>(grey[i]) * colours / 256);
    }
    return indices;
}

// One bit a pixel: a checkerboard of 24-pixel squares.
QByteArray checkerboard(int width, int height)
{
    const int rowBytes = (width + 7) / 8;
    QByteArray data(static_cast<qsizetype>(rowBytes) * height, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((x / 24 + y / 24) % 2 != 0) {
                data[y * rowBytes + x / 8] =
                    static_cast<char>(data[y * rowBytes + x / 8] | (0x80 >> (x % 8)));
            }
        }
    }
    return data;
}

// 8-bit samples as 16-bit ones, big-endian, the low byte varying too.
QByteArray deepen(const QByteArray& samples)
{
    QByteArray deep;
    deep.reserve(samples.size() * 2);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        deep.append(samples[i]).append(static_cast<char>(i * 37));
    }
    return deep;
}

OH makeImage(QPDF& pdf, Kind kind, int w, int h)
{
    const auto rgb = [&] {
        return flateImage(pdf, photoSamples(w, h, 3), w, h, 8, OH::newName("/DeviceRGB"));
    };
    switch (kind) {
    case Kind::gray:
        return flateImage(pdf, photoSamples(w, h, 1), w, h, 8, OH::newName("/DeviceGray"));
    case Kind::rgb: return rgb();
    case Kind::cmykInverted: {
        OH image = flateImage(pdf, photoSamples(w, h, 4), w, h, 8, OH::newName("/DeviceCMYK"));
        image.getDict().replaceKey("/Decode", OH::parse("[1 0 1 0 1 0 1 0]"));
        return image;
    }
    case Kind::indexedMany:
        return flateImage(pdf, paletteIndices(w, h, 200), w, h, 8, indexed(200));
    case Kind::indexedFew: return flateImage(pdf, paletteIndices(w, h, 8), w, h, 8, indexed(8));
    case Kind::oneBit:
        return flateImage(pdf, checkerboard(w, h), w, h, 1, OH::newName("/DeviceGray"));
    case Kind::imageMask: {
        OH image = flateImage(pdf, checkerboard(w, h), w, h, 1, OH::newNull());
        image.getDict().replaceKey("/ImageMask", OH::newBool(true));
        return image;
    }
    case Kind::softMask:
    case Kind::softMaskKeyed:
    case Kind::softMaskMatte: {
        OH image = rgb();
        OH mask = flateImage(pdf, photoSamples(w, h, 1, 3), w, h, 8, OH::newName("/DeviceGray"));
        if (kind == Kind::softMaskMatte) {
            mask.getDict().replaceKey("/Matte", OH::parse("[0 0 0]"));
        }
        if (kind == Kind::softMaskKeyed) {
            image.getDict().replaceKey("/Mask", OH::parse("[250 255 250 255 250 255]"));
        }
        image.getDict().replaceKey("/SMask", mask);
        return image;
    }
    case Kind::softMaskDeep: {
        OH image = rgb();
        image.getDict().replaceKey("/SMask",
                                   flateImage(pdf, deepen(photoSamples(w * 2, h * 2, 1, 3)), w * 2,
                                              h * 2, 16, OH::newName("/DeviceGray")));
        return image;
    }
    case Kind::rgb16:
        return flateImage(pdf, deepen(photoSamples(w, h, 3)), w, h, 16, OH::newName("/DeviceRGB"));
    case Kind::separation:
        return flateImage(pdf, photoSamples(w, h, 1), w, h, 8,
                          OH::parse("[/Separation /Spot /DeviceCMYK << /FunctionType 2 "
                                    "/Domain [0 1] /C0 [0 0 0 0] /C1 [0 1 0.2 0] /N 1 >>]"));
    case Kind::colourKey: {
        OH image = rgb();
        image.getDict().replaceKey("/Mask", OH::parse("[0 60 0 60 0 60]"));
        return image;
    }
    case Kind::jpegRgb:
        return imageStream(pdf, jpeg(photoSamples(w, h, 3), w, h, 95), w, h, 8,
                           OH::newName("/DeviceRGB"), "/DCTDecode");
    case Kind::grayPng: {
        OH image = flateImage(pdf, pngPredicted(photoSamples(w, h, 1), w, 1), w, h, 8,
                              OH::newName("/DeviceGray"));
        image.getDict().replaceKey("/DecodeParms",
                                   OH::parse("<< /Predictor 15 /Colors 1 /Columns " +
                                             std::to_string(w) + " /BitsPerComponent 8 >>"));
        return image;
    }
    }
    throw std::logic_error("unknown image kind");
}

} // namespace

QByteArray photoSamples(int width, int height, int components, int seed)
{
    // Separable waves plus noise.
    QByteArray data(static_cast<qsizetype>(width) * height * components, '\0');
    quint32 state = static_cast<quint32>(seed) * 2654435761u;
    char* out = data.data();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) {
                const double wave =
                    std::sin(x * 0.011 + c * 1.7 + seed) * (std::cos(y * 0.008 - c * 0.9) * 90.0);
                const int noise = static_cast<int>(nextRandom(state) % 17) - 8;
                *out++ =
                    static_cast<char>(std::clamp(128 + static_cast<int>(wave) + noise, 0, 255));
            }
        }
    }
    return data;
}

QByteArray jpeg(const QByteArray& samples, int width, int height, int quality, bool optimized)
{
    const QImage image(reinterpret_cast<const uchar*>(samples.constData()), width, height,
                       qsizetype(width) * 3, QImage::Format_RGB888);
    return encoded(image, "JPG", quality, optimized);
}

QByteArray encoded(const QImage& image, const char* format, int quality, bool optimized)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setOptimizedWrite(optimized);
    if (!writer.write(image)) {
        throw std::runtime_error("cannot encode a test image");
    }
    return bytes;
}

QByteArray deflate(const QByteArray& data)
{
    std::string out;
    Pl_String sink("fixture", nullptr, out);
    Pl_Flate flate("fixture", &sink, Pl_Flate::a_deflate);
    flate.write(reinterpret_cast<const unsigned char*>(data.constData()),
                static_cast<size_t>(data.size()));
    flate.finish();
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

QByteArray pngPredicted(const QByteArray& samples, int rowBytes, int pixelBytes)
{
    const auto* in = reinterpret_cast<const unsigned char*>(samples.constData());
    const int rows = static_cast<int>(samples.size() / rowBytes);
    QByteArray out;
    out.reserve(samples.size() + rows);
    for (int y = 0; y < rows; ++y) {
        const int type = y % 5;
        out.append(static_cast<char>(type));
        const unsigned char* row = in + static_cast<ptrdiff_t>(y) * rowBytes;
        for (int i = 0; i < rowBytes; ++i) {
            const int a = i >= pixelBytes ? row[i - pixelBytes] : 0;
            const int b = y > 0 ? row[i - rowBytes] : 0;
            const int c = i >= pixelBytes && y > 0 ? row[i - rowBytes - pixelBytes] : 0;
            const int p = a + b - c;
            const int paeth =
                std::abs(p - a) <= std::abs(p - b) && std::abs(p - a) <= std::abs(p - c) ? a
                : std::abs(p - b) <= std::abs(p - c)                                     ? b
                                                                                         : c;
            const int predicted = type == 1   ? a
                                  : type == 2 ? b
                                  : type == 3 ? (a + b) / 2
                                  : type == 4 ? paeth
                                              : 0;
            out.append(static_cast<char>(row[i] - predicted));
        }
    }
    return out;
}

QByteArray tiffPredicted(const QByteArray& samples, int rowBytes, int pixelBytes)
{
    QByteArray out = samples;
    for (qsizetype i = 0; i < samples.size(); ++i) {
        if (i % rowBytes >= pixelBytes) {
            out[i] = static_cast<char>(samples[i] - samples[i - pixelBytes]);
        }
    }
    return out;
}

Builder::Builder() : m_pdf(std::make_unique<QPDF>())
{
    m_pdf->emptyPDF();
}

Builder::~Builder() = default;

QPDFObjectHandle Builder::image(Kind kind, int width, int height, const QString& tag)
{
    OH image = makeImage(*m_pdf, kind, width, height);
    image.getDict().replaceKey("/FixtureTag", OH::newUnicodeString(tag.toStdString()));
    return image;
}

void Builder::addPage(QPDFObjectHandle image, const QString& tag, Holder holder, double width,
                      double height)
{
    QPDF& pdf = *m_pdf;
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    const std::string box = "[0 0 " + w + " " + h + "]";
    const std::string draw = "q " + w + " 0 0 " + h + " 0 0 cm /Im0 Do Q\n";
    OH page = OH::parse("<< /Type /Page /MediaBox " + box +
                        " /Resources << /Font << /F1 << "
                        "/Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >> >>");
    OH resources = page.getKey("/Resources");
    std::string content = "BT /F1 10 Tf 4 4 Td (" + tag.toStdString() + ") Tj ET\n";
    OH images = OH::newDictionary();
    images.replaceKey("/Im0", image);
    // A form drawing the image: a form XObject, a tiling pattern or an appearance.
    OH form = pdf.newStream(draw);
    form.replaceDict(OH::parse(holder == Holder::pattern
                                   ? "<< /PatternType 1 /PaintType 1 /TilingType 1 /BBox " + box +
                                         " /XStep " + w + " /YStep " + h + " >>"
                                   : "<< /Type /XObject /Subtype /Form /BBox " + box + " >>"));
    form.getDict().replaceKey("/Resources", OH::newDictionary());
    form.getDict().getKey("/Resources").replaceKey("/XObject", images);

    if (holder == Holder::page && !image.isNull()) {
        resources.replaceKey("/XObject", images);
        content = draw + content;
    } else if (holder == Holder::form) {
        resources.replaceKey("/XObject", OH::newDictionary());
        resources.getKey("/XObject").replaceKey("/Fm0", form);
        content = "/Fm0 Do\n" + content;
    } else if (holder == Holder::pattern) {
        resources.replaceKey("/Pattern", OH::newDictionary());
        resources.getKey("/Pattern").replaceKey("/P0", form);
        content = "/Pattern cs /P0 scn 0 0 " + w + " " + h + " re f\n" + content;
    } else if (holder == Holder::annotation) {
        OH annot = pdf.makeIndirectObject(
            OH::parse("<< /Type /Annot /Subtype /Stamp /F 4 /Rect " + box + " /AP << >> >>"));
        annot.getKey("/AP").replaceKey("/N", form);
        page.replaceKey("/Annots", OH::newArray());
        page.getKey("/Annots").appendItem(annot);
    }
    page.replaceKey("/Contents", pdf.newStream(content));
    QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
}

void Builder::write(const QString& path)
{
    // The writer keeps the file name's pointer until it is done writing.
    const QByteArray fileName = QFile::encodeName(path);
    QPDFWriter writer(*m_pdf, fileName.constData());
    writer.setStaticID(true);
    writer.write();
}

} // namespace ImageFixtures
