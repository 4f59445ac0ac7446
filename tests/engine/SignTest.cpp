#include "Operations.h"

#include "Fixtures.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <poppler-qt6.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using PDFEngine::SignItem;

// Stamping signatures: where the annotation goes on every rotation and crop
// box, what the rendered page shows, and what the written file holds.
class SignTest : public QObject {
    Q_OBJECT

private slots:
    void placesAnnotation_data();
    void placesAnnotation();
    void rendersUprightInPlace_data();
    void rendersUprightInPlace();
    void rendersBlueInk();
    void skipsPagesPastTheEnd();
    void imageArtMultipliesWithSoftMask();
    void whitePaperLetsPageShowThrough();
    void undecodableImageStillAnnotates();
    void lockedInputGivesOpenCopy();
    void sharedAnnotsArrayStaysWithOtherPages();
    void failsWithEngineMessages();

private:
    QTemporaryDir m_folder;
    QString path(const QString& name) const { return m_folder.filePath(name); }
};

namespace {

// How a test page is laid out: its media box, optional crop box, rotation,
// and whether the rotation is inherited from the page tree's root.
struct Layout {
    QRectF cropBox;
    int rotate = 0;
    bool inherited = false;
};

struct Stamp {
    QRectF rect;
    QRectF bbox;
    QByteArray subtype;
    long long flags = 0;
    QByteArray content;
    QByteArray blendMode;    // of the form's /GS0
    long long imageWidth = 0; // of the form's /Im0
    bool imageHasSoftMask = false;
    QByteArray imageFilter;
};

QRectF toRect(QPDFObjectHandle array)
{
    const QPDFObjectHandle::Rectangle r = array.getArrayAsRectangle();
    return QRectF(r.llx, r.lly, r.urx - r.llx, r.ury - r.lly);
}

void writePage(const QString& file, const Layout& layout, int pages = 1)
{
    QList<Fixtures::Page> list;
    for (int i = 0; i < pages; ++i) {
        Fixtures::Page page; // an empty tag draws nothing on the page
        page.width = 600;
        page.height = 800;
        page.rotate = layout.rotate;
        if (!layout.cropBox.isNull()) {
            page.cropBox = layout.cropBox;
        }
        list.append(page);
    }
    Fixtures::writePdf(file, list);
    if (!layout.inherited) {
        return;
    }
    QPDF pdf;
    pdf.processFile(QFile::encodeName(file).constData());
    QPDFObjectHandle root = pdf.getRoot().getKey("/Pages");
    root.replaceKey("/Rotate", QPDFObjectHandle::newInteger(layout.rotate));
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        page.getObjectHandle().removeKey("/Rotate");
    }
    const QString moved = file + QStringLiteral(".tmp");
    // The writer keeps the file name's pointer until it is done writing.
    const QByteArray fileName = QFile::encodeName(moved);
    QPDFWriter writer(pdf, fileName.constData());
    writer.write();
    QFile::remove(file);
    QFile::rename(moved, file);
}

QList<Stamp> readStamps(const QString& file, int pageIndex)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(file).constData());
    QList<Stamp> stamps;
    QPDFPageObjectHelper page =
        QPDFPageDocumentHelper(pdf).getAllPages().at(static_cast<size_t>(pageIndex));
    QPDFObjectHandle annots = page.getObjectHandle().getKey("/Annots");
    if (!annots.isArray()) {
        return stamps;
    }
    for (QPDFObjectHandle& annot : annots.getArrayAsVector()) {
        Stamp stamp;
        stamp.rect = toRect(annot.getKey("/Rect"));
        stamp.subtype = QByteArray::fromStdString(annot.getKey("/Subtype").getName());
        stamp.flags = annot.getKey("/F").isInteger() ? annot.getKey("/F").getIntValue() : 0;
        QPDFObjectHandle form = annot.getKey("/AP").getKey("/N");
        if (form.isStream()) {
            stamp.bbox = toRect(form.getDict().getKey("/BBox"));
            const std::shared_ptr<Buffer> data = form.getStreamData();
            stamp.content = QByteArray(reinterpret_cast<const char*>(data->getBuffer()),
                                       static_cast<qsizetype>(data->getSize()));
            QPDFObjectHandle resources = form.getDict().getKey("/Resources");
            QPDFObjectHandle blend = resources.getKey("/ExtGState").getKey("/GS0").getKey("/BM");
            stamp.blendMode = blend.isName() ? QByteArray::fromStdString(blend.getName()) : "";
            QPDFObjectHandle image = resources.getKey("/XObject").getKey("/Im0");
            if (image.isStream()) {
                QPDFObjectHandle dict = image.getDict();
                stamp.imageWidth = dict.getKey("/Width").getIntValue();
                stamp.imageHasSoftMask = dict.getKey("/SMask").isStream();
                stamp.imageFilter = QByteArray::fromStdString(dict.getKey("/Filter").getName());
            }
        }
        stamps.append(stamp);
    }
    return stamps;
}

QImage render(const QString& file, int pageIndex = 0)
{
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(file);
    if (!document) {
        return {};
    }
    std::unique_ptr<Poppler::Page> page = document->page(pageIndex);
    return page ? page->renderToImage(72, 72) : QImage();
}

bool dark(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return std::max({qRed(p), qGreen(p), qBlue(p)}) < 128;
}

int countDark(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += dark(image, x, y) ? 1 : 0;
        }
    }
    return count;
}

SignatureArt strokes(QList<Stroke> lines, double weight, InkColor ink = InkColor::black)
{
    return SignatureArt(SignatureArt::Strokes{std::move(lines), weight, ink});
}

// Heavy ink in the left third, a short line along the top on the right and a
// dot below it: any mirror, flip or wrong quarter turn moves one of them.
SignatureArt asymmetric()
{
    QList<Stroke> lines;
    for (double x : {0.06, 0.12, 0.18, 0.24}) {
        lines.append({{x, 0.35}, {x, 0.6}, {x, 0.9}});
    }
    lines.append({{0.55, 0.1}, {0.9, 0.1}});
    lines.append({{0.7, 0.6}});
    return strokes(lines, 0.06);
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

void SignTest::placesAnnotation_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QRectF>("normalised");
    QTest::addColumn<QRectF>("bounds"); // lower-left x, y, width, height in page space

    const QRectF topLeftQuarter(0, 0, 0.5, 0.25);
    QTest::newRow("unrotated") << Layout{} << topLeftQuarter << QRectF(0, 600, 300, 200);
    QTest::newRow("rotated 90") << Layout{{}, 90} << topLeftQuarter << QRectF(0, 0, 150, 400);
    QTest::newRow("rotated 180") << Layout{{}, 180} << topLeftQuarter << QRectF(300, 0, 300, 200);
    QTest::newRow("rotated 270") << Layout{{}, 270} << topLeftQuarter
                                 << QRectF(450, 400, 150, 400);
    QTest::newRow("rotated -90 is 270") << Layout{{}, -90} << topLeftQuarter
                                        << QRectF(450, 400, 150, 400);
    QTest::newRow("rotated 450 is 90") << Layout{{}, 450} << topLeftQuarter
                                       << QRectF(0, 0, 150, 400);
    QTest::newRow("rotation inherited from the page tree")
        << Layout{{}, 90, true} << topLeftQuarter << QRectF(0, 0, 150, 400);
    // Crop box (100, 50, 400, 600): displayed 400 x 600, or 600 x 400 turned.
    const QRectF crop(100, 50, 400, 600);
    const QRectF middle(0.25, 0.5, 0.5, 0.25);
    QTest::newRow("offset crop box") << Layout{crop} << middle << QRectF(200, 200, 200, 150);
    QTest::newRow("offset crop box rotated 90")
        << Layout{crop, 90} << middle << QRectF(300, 200, 100, 300);
    QTest::newRow("offset crop box rotated 270")
        << Layout{crop, 270} << middle << QRectF(200, 200, 100, 300);
    QTest::newRow("whole page") << Layout{} << QRectF(0, 0, 1, 1) << QRectF(0, 0, 600, 800);
}

void SignTest::placesAnnotation()
{
    QFETCH(Layout, layout);
    QFETCH(QRectF, normalised);
    QFETCH(QRectF, bounds);

    const QString input = path(QStringLiteral("place-in.pdf"));
    const QString output = path(QStringLiteral("place-out.pdf"));
    writePage(input, layout);
    PDFEngine::sign(PDFSource{input, {}}, {SignItem{0, normalised, asymmetric()}}, output);

    const QList<Stamp> stamps = readStamps(output, 0);
    QCOMPARE(stamps.size(), 1);
    const Stamp& stamp = stamps.first();
    QCOMPARE(stamp.subtype, QByteArray("/Stamp"));
    QCOMPARE(stamp.flags, 4LL); // print
    QCOMPARE(stamp.rect, bounds);
    QCOMPARE(stamp.bbox, bounds);
    QVERIFY(stamp.content.contains(" S\n") || stamp.content.contains("\nS\n"));
    QVERIFY(!stamp.content.contains('e')); // no exponent anywhere
    QVERIFY(Fixtures::qpdfCheckIsClean(output));
}

void SignTest::rendersUprightInPlace_data()
{
    QTest::addColumn<Layout>("layout");

    QTest::newRow("0") << Layout{};
    QTest::newRow("90") << Layout{{}, 90};
    QTest::newRow("180") << Layout{{}, 180};
    QTest::newRow("270") << Layout{{}, 270};
    QTest::newRow("-90") << Layout{{}, -90};
    QTest::newRow("inherited 180") << Layout{{}, 180, true};
    QTest::newRow("offset crop box") << Layout{QRectF(100, 50, 400, 600)};
    QTest::newRow("offset crop box, 90") << Layout{QRectF(100, 50, 400, 600), 90};
    QTest::newRow("offset crop box, 270") << Layout{QRectF(100, 50, 400, 600), 270};
}

void SignTest::rendersUprightInPlace()
{
    QFETCH(Layout, layout);

    const QString input = path(QStringLiteral("render-in.pdf"));
    const QString output = path(QStringLiteral("render-out.pdf"));
    writePage(input, layout);
    const QRectF normalised(0.1, 0.2, 0.5, 0.25);
    PDFEngine::sign(PDFSource{input, {}}, {SignItem{0, normalised, asymmetric()}}, output);

    const QImage page = render(output);
    const QSizeF crop = layout.cropBox.isNull() ? QSizeF(600, 800) : layout.cropBox.size();
    const bool quarter = layout.rotate % 180 != 0;
    QCOMPARE(QSizeF(page.size()), quarter ? crop.transposed() : crop);
    QCOMPARE(countDark(render(input), render(input).rect()), 0);

    // The placed rectangle on the displayed page, in pixels at 72 dpi.
    const QRect placed(qRound(normalised.x() * page.width()), qRound(normalised.y() * page.height()),
                       qRound(normalised.width() * page.width()),
                       qRound(normalised.height() * page.height()));
    const int all = countDark(page, page.rect());
    QVERIFY(all > 0);
    QCOMPARE(countDark(page, placed.adjusted(-1, -1, 1, 1)), all);

    const int third = placed.width() / 3;
    const int band = placed.height() / 5;
    const QRect leftThird(placed.left(), placed.top(), third, placed.height());
    const QRect rest(placed.left() + third, placed.top() + band, placed.width() - third,
                     placed.height() - band);
    const QRect topRight(placed.center().x(), placed.top(), placed.width() / 2, band);
    const QRect bottomRight(placed.center().x(), placed.bottom() - band, placed.width() / 2, band);
    QVERIFY2(countDark(page, leftThird) > 4 * countDark(page, rest),
             qPrintable(QStringLiteral("left %1, rest %2")
                            .arg(countDark(page, leftThird))
                            .arg(countDark(page, rest))));
    QVERIFY(countDark(page, topRight) > 0);
    QCOMPARE(countDark(page, bottomRight), 0);
    // The one-point stroke is a round dot, drawn by its round caps.
    QVERIFY(dark(page, placed.left() + int(0.7 * placed.width()),
                 placed.top() + int(0.6 * placed.height())));
}

void SignTest::rendersBlueInk()
{
    const QString input = path(QStringLiteral("blue-in.pdf"));
    const QString output = path(QStringLiteral("blue-out.pdf"));
    writePage(input, Layout{{}, 90});
    const SignatureArt blue = strokes({{{0.1, 0.5}, {0.9, 0.5}}}, 0.4, InkColor::blue);
    PDFEngine::sign(PDFSource{input, {}}, {SignItem{0, QRectF(0.2, 0.2, 0.5, 0.2), blue}}, output);

    const QImage page = render(output);
    const QColor centre = page.pixelColor(qRound(0.45 * page.width()), qRound(0.3 * page.height()));
    QVERIFY2(qAbs(centre.red() - 15) <= 2 && qAbs(centre.green() - 46) <= 2 &&
                 qAbs(centre.blue() - 158) <= 2,
             qPrintable(centre.name()));
}

void SignTest::skipsPagesPastTheEnd()
{
    const QString input = path(QStringLiteral("skip-in.pdf"));
    const QString output = path(QStringLiteral("skip-out.pdf"));
    Fixtures::writePdf(input, Fixtures::tagged(QStringLiteral("P"), 2));
    const QByteArray before = Fixtures::readBytes(input);
    const SignatureArt art = strokes({{{0, 0}, {1, 1}}}, 0.04);
    PDFEngine::sign(PDFSource{input, {}},
                    {SignItem{0, QRectF(0, 0, 0.5, 0.5), art},
                     SignItem{0, QRectF(0.5, 0.5, 0.5, 0.5), art},
                     SignItem{2, QRectF(0, 0, 1, 1), art}, SignItem{-1, QRectF(0, 0, 1, 1), art}},
                    output);

    QCOMPARE(Fixtures::readTags(output), (QStringList{QStringLiteral("P1"), QStringLiteral("P2")}));
    const QList<Stamp> first = readStamps(output, 0);
    QCOMPARE(first.size(), 2);
    QCOMPARE(first[0].rect, QRectF(0, 396, 306, 396)); // list order: later items on top
    QCOMPARE(first[1].rect, QRectF(306, 0, 306, 396));
    QCOMPARE(readStamps(output, 1).size(), 0);
    QCOMPARE(Fixtures::readBytes(input), before);
    QVERIFY(Fixtures::qpdfCheckIsClean(output));
}

void SignTest::imageArtMultipliesWithSoftMask()
{
    // A transparent picture with an opaque dark block in its left half.
    QImage picture(40, 20, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 4; y < 16; ++y) {
        for (int x = 4; x < 16; ++x) {
            picture.setPixel(x, y, qRgba(10, 10, 10, 255));
        }
    }
    const QString input = path(QStringLiteral("image-in.pdf"));
    const QString output = path(QStringLiteral("image-out.pdf"));
    writePage(input, Layout{{}, 270});
    const QRectF normalised(0.2, 0.1, 0.4, 0.2);
    PDFEngine::sign(PDFSource{input, {}},
                    {SignItem{0, normalised, SignatureArt(SignatureArt::Image{png(picture)})}},
                    output);

    const Stamp stamp = readStamps(output, 0).value(0);
    QCOMPARE(stamp.blendMode, QByteArray("/Multiply"));
    QCOMPARE(stamp.imageWidth, 40LL);
    QVERIFY(stamp.imageHasSoftMask);
    QCOMPARE(stamp.imageFilter, QByteArray("/FlateDecode"));

    // On the displayed page the block sits in the left half of the rectangle, upright.
    const QImage page = render(output);
    const QRect placed(qRound(0.2 * page.width()), qRound(0.1 * page.height()),
                       qRound(0.4 * page.width()), qRound(0.2 * page.height()));
    const QRect block(placed.left() + placed.width() * 4 / 40, placed.top() + placed.height() * 4 / 20,
                      placed.width() * 12 / 40, placed.height() * 12 / 20);
    const int all = countDark(page, page.rect());
    QVERIFY(all > 0);
    QVERIFY(countDark(page, block.adjusted(-2, -2, 2, 2)) == all);
    QVERIFY(countDark(page, block.adjusted(2, 2, -2, -2)) ==
            block.adjusted(2, 2, -2, -2).width() * block.adjusted(2, 2, -2, -2).height());
}

void SignTest::whitePaperLetsPageShowThrough()
{
    // An opaque white scan with a black square in its right quarter, laid over
    // the page's tag text: multiply keeps the text visible beneath the paper.
    QImage scan(100, 20, QImage::Format_RGB32);
    scan.fill(Qt::white);
    for (int y = 0; y < 20; ++y) {
        for (int x = 80; x < 100; ++x) {
            scan.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    const QString input = path(QStringLiteral("paper-in.pdf"));
    const QString output = path(QStringLiteral("paper-out.pdf"));
    Fixtures::Page tagged;
    tagged.tag = QStringLiteral("WWWWWW");
    tagged.width = 600;
    tagged.height = 800;
    Fixtures::writePdf(input, {tagged});
    const QImage before = render(input);
    // The tag is drawn at (72, 72) in 24-point type: displayed around y 700..730.
    const QRect text(60, 690, 180, 50);
    const int textInk = countDark(before, text);
    QVERIFY(textInk > 100);

    const QRectF normalised(0.1, 0.85, 0.5, 0.1); // x 60..360, y 680..760
    PDFEngine::sign(PDFSource{input, {}},
                    {SignItem{0, normalised, SignatureArt(SignatureArt::Image{png(scan)})}},
                    output);
    const QImage after = render(output);
    QCOMPARE(countDark(after, text), textInk);
    QCOMPARE(countDark(after, QRect(302, 682, 56, 76)), 56 * 76); // the black square
}

void SignTest::undecodableImageStillAnnotates()
{
    const QString input = path(QStringLiteral("broken-in.pdf"));
    const QString output = path(QStringLiteral("broken-out.pdf"));
    writePage(input, Layout{});
    PDFEngine::sign(PDFSource{input, {}},
                    {SignItem{0, QRectF(0, 0, 1, 1), SignatureArt(SignatureArt::Image{"junk"})}},
                    output);
    const QList<Stamp> stamps = readStamps(output, 0);
    QCOMPARE(stamps.size(), 1);
    QCOMPARE(stamps.first().rect, QRectF(0, 0, 600, 800));
    QVERIFY(stamps.first().content.isEmpty());
    QCOMPARE(countDark(render(output), QRect(0, 0, 600, 800)), 0);
    QVERIFY(Fixtures::qpdfCheckIsClean(output));
}

void SignTest::lockedInputGivesOpenCopy()
{
    const QString input = path(QStringLiteral("locked-in.pdf"));
    const QString output = path(QStringLiteral("locked-out.pdf"));
    Fixtures::writePdf(input, Fixtures::tagged(QStringLiteral("L"), 2),
                       {Fixtures::Cipher::aes256, QStringLiteral("geheim"), QStringLiteral("owner")});
    const QByteArray before = Fixtures::readBytes(input);
    PDFEngine::sign(PDFSource{input, QStringLiteral("geheim")},
                    {SignItem{1, QRectF(0.1, 0.1, 0.3, 0.1), asymmetric()}}, output);
    QVERIFY(!Fixtures::isEncrypted(output));
    QCOMPARE(Fixtures::readTags(output), (QStringList{QStringLiteral("L1"), QStringLiteral("L2")}));
    QCOMPARE(readStamps(output, 1).size(), 1);
    QCOMPARE(Fixtures::readBytes(input), before);
    QVERIFY(Fixtures::qpdfCheckIsClean(output));
}

void SignTest::sharedAnnotsArrayStaysWithOtherPages()
{
    const QString plain = path(QStringLiteral("shared-plain.pdf"));
    const QString input = path(QStringLiteral("shared-in.pdf"));
    const QString output = path(QStringLiteral("shared-out.pdf"));
    writePage(plain, Layout{}, 2);
    {
        QPDF pdf;
        pdf.processFile(QFile::encodeName(plain).constData());
        QPDFObjectHandle square = pdf.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /Annot /Subtype /Square /Rect [10 10 50 50] >>"));
        QPDFObjectHandle shared = pdf.makeIndirectObject(QPDFObjectHandle::newArray());
        shared.appendItem(square);
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            page.getObjectHandle().replaceKey("/Annots", shared);
        }
        // The writer keeps the file name's pointer until it is done writing.
        const QByteArray fileName = QFile::encodeName(input);
        QPDFWriter writer(pdf, fileName.constData());
        writer.write();
    }
    PDFEngine::sign(PDFSource{input, {}}, {SignItem{0, QRectF(0, 0, 0.5, 0.5), asymmetric()}},
                    output);
    const QList<Stamp> first = readStamps(output, 0);
    QCOMPARE(first.size(), 2);
    QCOMPARE(first[0].subtype, QByteArray("/Square"));
    QCOMPARE(first[1].subtype, QByteArray("/Stamp"));
    const QList<Stamp> second = readStamps(output, 1);
    QCOMPARE(second.size(), 1);
    QCOMPARE(second[0].subtype, QByteArray("/Square"));
}

void SignTest::failsWithEngineMessages()
{
    const QString input = path(QStringLiteral("fail-in.pdf"));
    writePage(input, Layout{});
    const QList<SignItem> items{SignItem{0, QRectF(0, 0, 1, 1), asymmetric()}};

    try {
        PDFEngine::sign(PDFSource{path(QStringLiteral("missing.pdf")), {}}, items,
                        path(QStringLiteral("never.pdf")));
        QFAIL("a missing input must fail");
    } catch (const PDFEngine::Failure& failure) {
        QVERIFY(failure.message().contains(QStringLiteral("missing.pdf")));
    }
    // A destination whose parent folder is a regular file cannot be written.
    const QString blocked = path(QStringLiteral("fail-in.pdf/out.pdf"));
    try {
        PDFEngine::sign(PDFSource{input, {}}, items, blocked);
        QFAIL("an unwritable destination must fail");
    } catch (const PDFEngine::Failure& failure) {
        QVERIFY(failure.message().contains(QStringLiteral("out.pdf")));
    }
    QVERIFY(!QFile::exists(path(QStringLiteral("never.pdf"))));
}

QTEST_MAIN(SignTest)
#include "SignTest.moc"
