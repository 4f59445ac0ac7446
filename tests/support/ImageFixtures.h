#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <QByteArray>
#include <QString>
#include <memory>

class QImage;
class QPDF;

// PDFs of every kind of image compression meets, each image tagged with /FixtureTag.
namespace ImageFixtures {

enum class Kind {
    gray,
    rgb,
    cmykInverted, // DeviceCMYK with /Decode [1 0 1 0 1 0 1 0]
    indexedMany,  // 200 colours
    indexedFew,   // 8 colours, 8 bits per index
    oneBit,
    imageMask,
    softMask,      // RGB with an 8-bit soft mask of its own size
    softMaskMatte, // the same with /Matte in the mask
    softMaskDeep,  // RGB with a 16-bit soft mask of twice its size
    softMaskKeyed, // soft mask and a colour-key /Mask, which the soft mask overrides
    rgb16,         // 16 bits per sample
    separation,
    colourKey, // RGB with a /Mask colour-key array
    jpegRgb,
    grayPng, // Flate with a PNG predictor, every row type in turn
};

// A deterministic photograph-like picture: JPEG shrinks it well, Flate does not.
QByteArray photoSamples(int width, int height, int components, int seed = 1);
// RGB samples as a baseline JPEG of that quality.
QByteArray jpeg(const QByteArray& samples, int width, int height, int quality,
                bool optimized = false);
// The image as a file of that format ("PNG", "JPG") holds it; quality -1 is the writer's default.
QByteArray encoded(const QImage& image, const char* format, int quality = -1,
                   bool optimized = false);
QByteArray deflate(const QByteArray& data);
// Rows coded for a PNG predictor of `pixelBytes` per pixel, the five row types in turn.
QByteArray pngPredicted(const QByteArray& samples, int rowBytes, int pixelBytes);
// The same for the TIFF predictor: each sample less the one a pixel before it.
QByteArray tiffPredicted(const QByteArray& samples, int rowBytes, int pixelBytes);

// Where a page draws its image from.
enum class Holder { page, form, annotation, pattern };

class Builder {
public:
    Builder();
    ~Builder();
    Builder(const Builder&) = delete;
    Builder& operator=(const Builder&) = delete;

    QPDFObjectHandle image(Kind kind, int width, int height, const QString& tag = {});
    // A page drawing `image` (through the holder) and showing `tag`; a null image: text only.
    void addPage(QPDFObjectHandle image, const QString& tag, Holder holder = Holder::page,
                 double width = 400, double height = 300);
    void write(const QString& path);

private:
    std::unique_ptr<QPDF> m_pdf;
};

} // namespace ImageFixtures
