#include "SignatureArt.h"

#include "Fixtures.h"

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

// Signature art: smoothing, the art of a saved signature, and drawing onto a painter.
class SignatureArtTest : public QObject {
    Q_OBJECT

private slots:
    void smooth_data();
    void smooth();
    void artOfSavedSignature_data();
    void artOfSavedSignature();
    void singlePointIsRoundDot();
    void lineWidth_data();
    void lineWidth();
    void inkColour_data();
    void inkColour();
    void imageMultipliesOverBackground();
    void imageFillsRectExactly();
    void undecodableImageDrawsNothing_data();
    void undecodableImageDrawsNothing();
};

using Elements = QList<QPair<int, QPointF>>;

namespace {

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= static_cast<quint8>(c);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// A real small PNG whose header claims width x height pixels, with a valid checksum.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray bytes = png(QImage(4, 4, QImage::Format_RGB32));
    const qsizetype ihdr = bytes.indexOf("IHDR");
    for (int i = 0; i < 4; ++i) {
        bytes[ihdr + 4 + i] = char(width >> (24 - 8 * i));
        bytes[ihdr + 8 + i] = char(height >> (24 - 8 * i));
    }
    const quint32 crc = crc32(bytes.mid(ihdr, 17));
    for (int i = 0; i < 4; ++i) {
        bytes[ihdr + 17 + i] = char(crc >> (24 - 8 * i));
    }
    return bytes;
}

bool opaque(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) > 127;
}

SignatureArt strokes(QList<Stroke> lines, double weight, InkColor ink = InkColor::black)
{
    return SignatureArt(SignatureArt::Strokes{std::move(lines), weight, ink});
}

} // namespace

void SignatureArtTest::smooth_data()
{
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<Elements>("expected");

    const int move = QPainterPath::MoveToElement;
    const int line = QPainterPath::LineToElement;
    const int curve = QPainterPath::CurveToElement;
    const int data = QPainterPath::CurveToDataElement;

    QTest::newRow("no points") << QList<QPointF>{} << Elements{};
    QTest::newRow("one point: zero-length line")
        << QList<QPointF>{{3, 4}} << Elements{{move, {3, 4}}, {line, {3, 4}}};
    QTest::newRow("two points: straight segment")
        << QList<QPointF>{{0, 0}, {6, 3}} << Elements{{move, {0, 0}}, {line, {6, 3}}};
    // The quadratic through control (9, 0) from (0, 0) to the midpoint (9, 3)
    // has cubic controls (6, 0) and (9, 1).
    QTest::newRow("three points: one curve to the midpoint")
        << QList<QPointF>{{0, 0}, {9, 0}, {9, 6}}
        << Elements{{move, {0, 0}}, {curve, {6, 0}}, {data, {9, 1}}, {data, {9, 3}},
                    {line, {9, 6}}};
    // Curves end at the midpoints (6, 3), (3, 6), (0, 3); the stroke ends on the last sample.
    QTest::newRow("five points: curves through midpoints")
        << QList<QPointF>{{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0}}
        << Elements{{move, {0, 0}},  {curve, {4, 0}}, {data, {6, 1}}, {data, {6, 3}},
                    {curve, {6, 5}}, {data, {5, 6}},  {data, {3, 6}}, {curve, {1, 6}},
                    {data, {0, 5}},  {data, {0, 3}},  {line, {0, 0}}};
    QTest::newRow("a pen held still keeps every element")
        << QList<QPointF>{{2, 2}, {2, 2}, {2, 2}}
        << Elements{{move, {2, 2}}, {curve, {2, 2}}, {data, {2, 2}}, {data, {2, 2}},
                    {line, {2, 2}}};
}

void SignatureArtTest::smooth()
{
    QFETCH(QList<QPointF>, points);
    QFETCH(Elements, expected);

    const QPainterPath path = SignatureArt::smooth(points);
    QCOMPARE(path.elementCount(), expected.size());
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        QCOMPARE(int(e.type), expected[i].first);
        QVERIFY2(qAbs(e.x - expected[i].second.x()) < 1e-9 &&
                     qAbs(e.y - expected[i].second.y()) < 1e-9,
                 qPrintable(QStringLiteral("element %1 at %2,%3").arg(i).arg(e.x).arg(e.y)));
    }
}

void SignatureArtTest::artOfSavedSignature_data()
{
    QTest::addColumn<SavedSignature>("signature");
    QTest::addColumn<bool>("imageFileExists");
    QTest::addColumn<std::optional<SignatureArt>>("expected");

    const QList<Stroke> lines{{{0.1, 0.2}, {0.3, 0.4}}};
    SavedSignature drawn;
    drawn.strokes = lines;
    QTest::newRow("strokes without weight or ink: 0.04 in black")
        << drawn << false
        << std::optional(SignatureArt(SignatureArt::Strokes{lines, 0.04, InkColor::black}));

    SavedSignature blue = drawn;
    blue.weight = 0.1;
    blue.ink = InkColor::blue;
    QTest::newRow("strokes with weight and ink")
        << blue << false
        << std::optional(SignatureArt(SignatureArt::Strokes{lines, 0.1, InkColor::blue}));

    SavedSignature both = drawn;
    both.imageFile = QStringLiteral("sig.png");
    QTest::newRow("strokes win over an image")
        << both << true
        << std::optional(SignatureArt(SignatureArt::Strokes{lines, 0.04, InkColor::black}));

    SavedSignature imported;
    imported.imageFile = QStringLiteral("sig.png");
    QTest::newRow("image file: its bytes")
        << imported << true << std::optional(SignatureArt(SignatureArt::Image{"image bytes"}));
    QTest::newRow("image file that cannot be read: no art")
        << imported << false << std::optional<SignatureArt>();
    QTest::newRow("neither strokes nor image: no art")
        << SavedSignature{} << true << std::optional<SignatureArt>();
}

void SignatureArtTest::artOfSavedSignature()
{
    QFETCH(SavedSignature, signature);
    QFETCH(bool, imageFileExists);
    QFETCH(std::optional<SignatureArt>, expected);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sig.png"));
    if (imageFileExists) {
        Fixtures::writeBytes(path, "image bytes");
    }
    QCOMPARE(SignatureArt::of(signature, path), expected);
}

void SignatureArtTest::singlePointIsRoundDot()
{
    // Height 80 at weight 0.25: a line width, and so a dot diameter, of 20.
    const QImage image = strokes({{{0.5, 0.5}}}, 0.25).image(QSize(80, 80));
    int left = 80, right = -1, top = 80, bottom = -1;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 80; ++x) {
            if (opaque(image, x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    QVERIFY(qAbs(right - left + 1 - 20) <= 1);
    QVERIFY(qAbs(bottom - top + 1 - 20) <= 1);
    QVERIFY(qAbs((left + right) / 2.0 - 39.5) <= 1);
    QVERIFY(qAbs((top + bottom) / 2.0 - 39.5) <= 1);
    // Round, not square: the corners of its bounding square stay empty.
    QVERIFY(!opaque(image, left + 1, top + 1));
    QVERIFY(!opaque(image, right - 1, bottom - 1));
}

void SignatureArtTest::lineWidth_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("width");

    QTest::newRow("30 high at 0.04") << 30.0 << 0.04 << 1.2;
    QTest::newRow("10 high at 0.04: the 0.5 minimum") << 10.0 << 0.04 << 0.5;
    QTest::newRow("50 high at 0.1") << 50.0 << 0.1 << 5.0;
}

void SignatureArtTest::lineWidth()
{
    QFETCH(double, height);
    QFETCH(double, weight);
    QFETCH(double, width);

    const SignatureArt art = strokes({{{0.1, 0.5}, {0.9, 0.5}}}, weight);
    QCOMPARE(art.lineWidth(height), width);

    // Drawn ten times enlarged, the horizontal line is width x 10 pixels thick.
    const int scale = 10;
    QImage image(QSize(40, int(height)) * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    art.draw(QRectF(0, 0, 40, height), painter);
    painter.end();
    int thickness = 0;
    for (int y = 0; y < image.height(); ++y) {
        thickness += opaque(image, image.width() / 2, y) ? 1 : 0;
    }
    QVERIFY2(qAbs(thickness - width * scale) <= 1, qPrintable(QString::number(thickness)));
}

void SignatureArtTest::inkColour_data()
{
    QTest::addColumn<InkColor>("ink");
    QTest::addColumn<QList<double>>("components");
    QTest::addColumn<QColor>("expected");

    // sRGB (0.07, 0.07, 0.09) and (0.06, 0.18, 0.62), and in eight-bit steps.
    QTest::newRow("black") << InkColor::black << QList<double>{0.07, 0.07, 0.09}
                           << QColor(18, 18, 23);
    QTest::newRow("blue") << InkColor::blue << QList<double>{0.06, 0.18, 0.62}
                          << QColor(15, 46, 158);
}

void SignatureArtTest::inkColour()
{
    QFETCH(InkColor, ink);
    QFETCH(QList<double>, components);
    QFETCH(QColor, expected);

    const QColor colour = SignatureArt::inkColor(ink);
    QCOMPARE(colour.spec(), QColor::Rgb);
    QCOMPARE(colour.alpha(), 255);
    QVERIFY(qAbs(colour.redF() - components[0]) < 1e-4);
    QVERIFY(qAbs(colour.greenF() - components[1]) < 1e-4);
    QVERIFY(qAbs(colour.blueF() - components[2]) < 1e-4);
    const QImage image = strokes({{{0.1, 0.5}, {0.9, 0.5}}}, 0.3, ink).image(QSize(100, 50));
    QCOMPARE(image.pixelColor(50, 25), expected);
}

void SignatureArtTest::imageMultipliesOverBackground()
{
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 10; ++y) {
        for (int x = 10; x < 20; ++x) {
            picture.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    const SignatureArt art(SignatureArt::Image{png(picture)});

    QImage page(100, 50, QImage::Format_ARGB32_Premultiplied);
    page.fill(QColor(200, 40, 40));
    QPainter painter(&page);
    art.draw(QRectF(0, 0, 100, 50), painter);
    painter.end();
    // White paper leaves the page as it was; ink darkens it.
    QCOMPARE(page.pixelColor(20, 25), QColor(200, 40, 40));
    QCOMPARE(page.pixelColor(80, 25), QColor(0, 0, 0));
    // The painter is handed back in its own composition mode.
    QImage probe(4, 4, QImage::Format_ARGB32_Premultiplied);
    QPainter checker(&probe);
    art.draw(QRectF(0, 0, 4, 4), checker);
    QCOMPARE(checker.compositionMode(), QPainter::CompositionMode_SourceOver);
}

void SignatureArtTest::imageFillsRectExactly()
{
    // A 2 x 1 picture drawn into a 30 x 60 rect: stretched, no aspect correction.
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(0, 0, qRgba(0, 0, 0, 255));
    const SignatureArt art(SignatureArt::Image{png(picture)});

    QImage canvas(100, 100, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    art.draw(QRectF(10, 20, 30, 60), painter);
    painter.end();
    QVERIFY(opaque(canvas, 12, 22));
    QVERIFY(opaque(canvas, 20, 78));
    QVERIFY(!opaque(canvas, 36, 50)); // the transparent right half
    QVERIFY(!opaque(canvas, 8, 50));  // outside the rect
    QVERIFY(!opaque(canvas, 20, 82));
}

void SignatureArtTest::undecodableImageDrawsNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("not an image") << QByteArray("not an image at all");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated png") << png(QImage(8, 8, QImage::Format_RGB32)).left(40);
    QTest::newRow("declares 400 million pixels") << pngClaiming(20000, 20000);
}

void SignatureArtTest::undecodableImageDrawsNothing()
{
    QFETCH(QByteArray, bytes);

    const SignatureArt art(SignatureArt::Image{bytes});
    QVERIFY(art.decodedImage().isNull());
    const QImage image = art.image(QSize(30, 20));
    QCOMPARE(image.size(), QSize(30, 20));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
            QCOMPARE(qAlpha(image.pixel(x, y)), 0);
        }
    }
}

QTEST_MAIN(SignatureArtTest)
#include "SignatureArtTest.moc"
