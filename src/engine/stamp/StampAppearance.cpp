#include "engine/stamp/StampAppearance.h"

#include "core/PageGeometry.h"

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>

#include <cmath>
#include <string>

namespace StampAppearance {

namespace {

QByteArray point(QPointF p)
{
    return decimal(p.x()) + ' ' + decimal(p.y());
}

QByteArray matrix(const Matrix& t)
{
    return decimal(t.a) + ' ' + decimal(t.b) + ' ' + decimal(t.c) + ' ' + decimal(t.d) + ' ' +
           decimal(t.e) + ' ' + decimal(t.f);
}

QByteArray pathOperators(const SignatureArt::Outline& outline)
{
    using Kind = SignatureArt::Step::Kind;
    QByteArray ops;
    for (const SignatureArt::Step& step : outline) {
        switch (step.kind) {
        case Kind::move: ops += point(step.to) + " m\n"; break;
        case Kind::line: ops += point(step.to) + " l\n"; break;
        case Kind::curve:
            ops += point(step.c1) + ' ' + point(step.c2) + ' ' + point(step.to) + " c\n";
            break;
        }
    }
    return ops;
}

std::string compressed(const QByteArray& bytes)
{
    Pl_Buffer buffer("image");
    Pl_Flate flate("image", &buffer, Pl_Flate::a_deflate);
    flate.write(reinterpret_cast<const unsigned char*>(bytes.constData()),
                static_cast<size_t>(bytes.size()));
    flate.finish();
    std::unique_ptr<Buffer> data(buffer.getBuffer());
    return std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
}

QPDFObjectHandle imageStream(QPDF& pdf, const QByteArray& samples, QSize size, bool grey)
{
    QPDFObjectHandle image = pdf.newStream();
    image.replaceStreamData(compressed(samples), QPDFObjectHandle::newName("/FlateDecode"),
                            QPDFObjectHandle::newNull());
    QPDFObjectHandle dict = image.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    dict.replaceKey("/Width", QPDFObjectHandle::newInteger(size.width()));
    dict.replaceKey("/Height", QPDFObjectHandle::newInteger(size.height()));
    dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName(grey ? "/DeviceGray" : "/DeviceRGB"));
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    return image;
}

bool allGrey(const QByteArray& rgba)
{
    for (qsizetype i = 0; i + 3 < rgba.size(); i += 4) {
        if (rgba[i] != rgba[i + 1] || rgba[i] != rgba[i + 2]) {
            return false;
        }
    }
    return true;
}

// The decoded picture as an image XObject, its transparency as a soft mask.
QPDFObjectHandle imageObject(QPDF& pdf, const PDFEngine::Picture& picture)
{
    const bool alpha = picture.hasOpacity;
    const bool grey = allGrey(picture.rgba);
    const qsizetype pixels = picture.rgba.size() / 4;
    QByteArray colour;
    QByteArray opacity;
    colour.reserve(pixels * (grey ? 1 : 3));
    if (alpha) {
        opacity.reserve(pixels);
    }
    const char* px = picture.rgba.constData();
    for (qsizetype i = 0; i < pixels; ++i, px += 4) {
        if (grey) {
            colour += px[0];
        } else {
            colour.append(px, 3);
        }
        if (alpha) {
            opacity += px[3];
        }
    }
    QPDFObjectHandle image = imageStream(pdf, colour, picture.size, grey);
    if (alpha) {
        image.getDict().replaceKey("/SMask", imageStream(pdf, opacity, picture.size, true));
    }
    return image;
}

} // namespace

Matrix Matrix::then(const Matrix& n) const
{
    return {a * n.a + b * n.c, a * n.b + b * n.d,       c * n.a + d * n.c,
            c * n.b + d * n.d, e * n.a + f * n.c + n.e, e * n.b + f * n.d + n.f};
}

QByteArray decimal(double value)
{
    if (!std::isfinite(value)) {
        return QByteArrayLiteral("0");
    }
    QByteArray text = QByteArray::number(value, 'f', 4);
    if (text.contains('.')) {
        while (text.endsWith('0')) {
            text.chop(1);
        }
        if (text.endsWith('.')) {
            text.chop(1);
        }
    }
    if (text == "-0") {
        return QByteArrayLiteral("0");
    }
    return text;
}

QPDFObjectHandle rectangle(const QRectF& bounds)
{
    QPDFObjectHandle array = QPDFObjectHandle::newArray();
    for (double v : {bounds.left(), bounds.top(), bounds.right(), bounds.bottom()}) {
        array.appendItem(QPDFObjectHandle::newReal(decimal(v).toStdString()));
    }
    return array;
}

QSizeF artSize(const QRectF& bounds, int rotation)
{
    return PageGeometry::displaySize(bounds.size(), rotation);
}

Matrix artToPage(const QRectF& bounds, int rotation)
{
    const QSizeF size = artSize(bounds, rotation);
    // Exact quarter turns: a computed cosine of 90 degrees is 6e-17, not 0.
    double cosine = 1;
    double sine = 0;
    switch (PageGeometry::normalizedRotation(rotation)) {
    case 90:
        cosine = 0;
        sine = 1;
        break;
    case 180:
        cosine = -1;
        sine = 0;
        break;
    case 270:
        cosine = 0;
        sine = -1;
        break;
    default: break;
    }
    const Matrix yUp{1, 0, 0, -1, 0, size.height()};
    const Matrix centred{1, 0, 0, 1, -size.width() / 2, -size.height() / 2};
    // Counter-clockwise in page space undoes the reader's clockwise display turn.
    const Matrix turn{cosine, sine, -sine, cosine, 0, 0};
    const QPointF centre = bounds.center();
    return yUp.then(centred).then(turn).then(Matrix{1, 0, 0, 1, centre.x(), centre.y()});
}

QByteArray strokeContent(const SignatureArt::Strokes& art, QSizeF size)
{
    const SignatureArt whole(art);
    const SignatureArt::Outline outline = whole.outline(QRectF(QPointF(0, 0), size));
    if (outline.isEmpty()) {
        return {};
    }
    const SignatureArt::Colour ink = SignatureArt::inkColour(art.ink);
    return "1 J 1 j\n" + decimal(whole.lineWidth(size.height())) + " w\n" + decimal(ink.red) + ' ' +
           decimal(ink.green) + ' ' + decimal(ink.blue) + " RG\n" + pathOperators(outline) + "S\n";
}

QPDFObjectHandle form(QPDF& pdf, const SignatureArt& art,
                      const std::optional<PDFEngine::Picture>& picture, const QRectF& bounds,
                      int rotation)
{
    const QSizeF size = artSize(bounds, rotation);
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    QByteArray drawing;
    if (const SignatureArt::Strokes* strokes = art.strokes()) {
        drawing = strokeContent(*strokes, size);
    } else if (art.imageArt() && picture) {
        QPDFObjectHandle images = QPDFObjectHandle::newDictionary();
        images.replaceKey("/Im0", imageObject(pdf, *picture));
        resources.replaceKey("/XObject", images);
        // Multiply keeps a scanned signature's white paper from hiding the page.
        QPDFObjectHandle states = QPDFObjectHandle::newDictionary();
        states.replaceKey("/GS0", QPDFObjectHandle::parse("<< /Type /ExtGState /BM /Multiply >>"));
        resources.replaceKey("/ExtGState", states);
        // Images fill the unit square with their first row at the top.
        drawing = "/GS0 gs\n" +
                  matrix(Matrix{size.width(), 0, 0, -size.height(), 0, size.height()}) +
                  " cm\n/Im0 Do\n";
    }
    QByteArray content;
    if (!drawing.isEmpty()) {
        content = "q\n" + matrix(artToPage(bounds, rotation)) + " cm\n" + drawing + "Q\n";
    }
    QPDFObjectHandle stream = pdf.newStream(content.toStdString());
    QPDFObjectHandle dict = stream.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
    dict.replaceKey("/BBox", rectangle(bounds));
    dict.replaceKey("/Resources", resources);
    return stream;
}

} // namespace StampAppearance
