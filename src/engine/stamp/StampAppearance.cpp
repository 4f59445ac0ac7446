#include "engine/stamp/StampAppearance.h"

#include "core/PageGeometry.h"

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>

#include <QImage>
#include <cmath>
#include <string>

namespace StampAppearance {

namespace {

QByteArray point(QPointF p)
{
    return decimal(p.x()) + ' ' + decimal(p.y());
}

QByteArray matrix(const QTransform& t)
{
    return decimal(t.m11()) + ' ' + decimal(t.m12()) + ' ' + decimal(t.m21()) + ' ' +
           decimal(t.m22()) + ' ' + decimal(t.dx()) + ' ' + decimal(t.dy());
}

// The path as PDF path operators; QPainterPath already keeps its quadratic
// curves as the equivalent cubics.
QByteArray pathOperators(const QPainterPath& path)
{
    QByteArray ops;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement: ops += point(e) + " m\n"; break;
        case QPainterPath::LineToElement: ops += point(e) + " l\n"; break;
        case QPainterPath::CurveToElement:
            if (i + 2 < path.elementCount()) {
                ops += point(e) + ' ' + point(path.elementAt(i + 1)) + ' ' +
                       point(path.elementAt(i + 2)) + " c\n";
                i += 2;
            }
            break;
        case QPainterPath::CurveToDataElement: break;
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

// The decoded picture as an image XObject, its transparency as a soft mask.
QPDFObjectHandle imageObject(QPDF& pdf, const QImage& decoded)
{
    const bool alpha = decoded.hasAlphaChannel();
    const QImage rgba = decoded.convertToFormat(QImage::Format_RGBA8888);
    const bool grey = rgba.allGray();
    const int width = rgba.width();
    const int height = rgba.height();
    QByteArray colour;
    QByteArray opacity;
    colour.reserve(qsizetype(width) * height * (grey ? 1 : 3));
    if (alpha) {
        opacity.reserve(qsizetype(width) * height);
    }
    for (int y = 0; y < height; ++y) {
        const uchar* row = rgba.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            const uchar* px = row + qsizetype{4} * x;
            if (grey) {
                colour += char(px[0]);
            } else {
                colour.append(reinterpret_cast<const char*>(px), 3);
            }
            if (alpha) {
                opacity += char(px[3]);
            }
        }
    }
    QPDFObjectHandle image = imageStream(pdf, colour, rgba.size(), grey);
    if (alpha) {
        image.getDict().replaceKey("/SMask", imageStream(pdf, opacity, rgba.size(), true));
    }
    return image;
}

} // namespace

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

QTransform artToPage(const QRectF& bounds, int rotation)
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
    const QTransform yUp(1, 0, 0, -1, 0, size.height());
    const QTransform centred = QTransform::fromTranslate(-size.width() / 2, -size.height() / 2);
    // Counter-clockwise in page space undoes the reader's clockwise display turn.
    const QTransform turn(cosine, sine, -sine, cosine, 0, 0);
    const QPointF centre = bounds.center();
    return yUp * centred * turn * QTransform::fromTranslate(centre.x(), centre.y());
}

QByteArray strokeContent(const SignatureArt::Strokes& art, QSizeF size)
{
    const SignatureArt whole(art);
    const QPainterPath path = whole.path(QRectF(QPointF(0, 0), size));
    if (path.isEmpty()) {
        return {};
    }
    const QColor ink = SignatureArt::inkColor(art.ink);
    return "1 J 1 j\n" + decimal(whole.lineWidth(size.height())) + " w\n" + decimal(ink.redF()) +
           ' ' + decimal(ink.greenF()) + ' ' + decimal(ink.blueF()) + " RG\n" +
           pathOperators(path) + "S\n";
}

QPDFObjectHandle form(QPDF& pdf, const SignatureArt& art, const QRectF& bounds, int rotation)
{
    const QSizeF size = artSize(bounds, rotation);
    QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
    QByteArray drawing;
    if (const SignatureArt::Strokes* strokes = art.strokes()) {
        drawing = strokeContent(*strokes, size);
    } else if (const QImage decoded = art.decodedImage(); !decoded.isNull()) {
        QPDFObjectHandle images = QPDFObjectHandle::newDictionary();
        images.replaceKey("/Im0", imageObject(pdf, decoded));
        resources.replaceKey("/XObject", images);
        // Multiply keeps a scanned signature's white paper from hiding the page.
        QPDFObjectHandle states = QPDFObjectHandle::newDictionary();
        states.replaceKey("/GS0", QPDFObjectHandle::parse("<< /Type /ExtGState /BM /Multiply >>"));
        resources.replaceKey("/ExtGState", states);
        // Images fill the unit square with their first row at the top.
        drawing = "/GS0 gs\n" +
                  matrix(QTransform(size.width(), 0, 0, -size.height(), 0, size.height())) +
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
