#include "Placed.h"
#include "art/QtPictureReader.h"
#include "art/SignatureDrawing.h"
#include "engine/document/Operations.h"
#include "engine/include/SignatureArt.h"
#include "engine/stamp/StampAppearance.h"

#include "Fixtures.h"
#include "ImageFixtures.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <poppler-qt6.h>

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using PDFEngine::SignItem;

namespace {

// A test page's crop box and rotation, the rotation perhaps inherited from the page tree.
struct Layout {
    std::optional<QRectF> cropBox;
    int rotate = 0;
    bool inherited = false;
};

struct Stamp {
    QRectF rect;
    QRectF bbox;
    QByteArray subtype;
    long long flags = 0;
    QByteArray content;
    QByteArray blendMode;          // of the form's /GS0
    bool imageHasSoftMask = false; // the form's /Im0
};

QRectF toRect(QPDFObjectHandle array)
{
    const QPDFObjectHandle::Rectangle r = array.getArrayAsRectangle();
    return QRectF(r.llx, r.lly, r.urx - r.llx, r.ury - r.lly);
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
            stamp.imageHasSoftMask = image.isStream() &&
                                     image.getDict().getKey("/SMask").isStream();
        }
        stamps.append(stamp);
    }
    return stamps;
}

QImage render(const QString& file, int pageIndex = 0)
{
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(file);
    std::unique_ptr<Poppler::Page> page = document ? document->page(pageIndex) : nullptr;
    return page ? page->renderToImage(72, 72) : QImage();
}

int countDark(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += std::max({qRed(p), qGreen(p), qBlue(p)}) < 128 ? 1 : 0;
        }
    }
    return count;
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
    return SignatureArt(SignatureArt::Strokes{lines, 0.06, InkColor::black});
}

} // namespace

// Stamping signatures: placement on every rotation and crop box, what is drawn and written.
class SignTest : public QObject {
    Q_OBJECT

private slots:
    // The worker loads this reader on demand; here the engine runs in the test's own process.
    void initTestCase() { PDFEngine::usePictureReader(std::make_shared<QtPictureReader>()); }

    void placesAnnotation_data()
    {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<QRectF>("normalised");
        QTest::addColumn<QRectF>("bounds"); // lower-left x, y, width, height in page space

        const QRectF topLeftQuarter(0, 0, 0.5, 0.25);
        QTest::newRow("unrotated") << Layout{} << topLeftQuarter << QRectF(0, 600, 300, 200);
        QTest::newRow("rotated 90") << Layout{{}, 90} << topLeftQuarter << QRectF(0, 0, 150, 400);
        QTest::newRow("rotated 180")
            << Layout{{}, 180} << topLeftQuarter << QRectF(300, 0, 300, 200);
        QTest::newRow("rotated 270")
            << Layout{{}, 270} << topLeftQuarter << QRectF(450, 400, 150, 400);
        QTest::newRow("rotated -90 is 270")
            << Layout{{}, -90} << topLeftQuarter << QRectF(450, 400, 150, 400);
        QTest::newRow("rotated 450 is 90")
            << Layout{{}, 450} << topLeftQuarter << QRectF(0, 0, 150, 400);
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
    }

    void placesAnnotation()
    {
        QFETCH(Layout, layout);
        QFETCH(QRectF, normalised);
        QFETCH(QRectF, bounds);

        const QList<Stamp> stamps = signPage(layout, normalised, asymmetric());
        QCOMPARE(stamps.size(), 1);
        const Stamp& stamp = stamps.first();
        QCOMPARE(stamp.subtype, QByteArray("/Stamp"));
        QCOMPARE(stamp.flags, 4LL); // print
        QCOMPARE(stamp.rect, bounds);
        QCOMPARE(stamp.bbox, bounds);
        QVERIFY(stamp.content.contains(" S\n") || stamp.content.contains("\nS\n"));
        QVERIFY(!stamp.content.contains('e')); // no exponent anywhere
        QVERIFY(Fixtures::qpdfCheckIsClean(path("out.pdf")));

        // One turned page, rendered, proves the art sits upright in the placed rectangle.
        if (QByteArray(QTest::currentDataTag()) != "rotated 90") {
            return;
        }
        const QImage page = render(path("out.pdf"));
        const QRect placed(0, 0, page.width() / 2, page.height() / 4);
        const int all = countDark(page, page.rect());
        QVERIFY(all > 0);
        QCOMPARE(countDark(page, placed.adjusted(-1, -1, 1, 1)), all);
        const int third = placed.width() / 3;
        const int band = placed.height() / 5;
        QVERIFY(countDark(page, QRect(0, 0, third, placed.height())) >
                4 * countDark(page, QRect(third, band, placed.width() - third, placed.height())));
        QVERIFY(countDark(page, QRect(placed.center().x(), 0, placed.width() / 2, band)) > 0);
        QCOMPARE(countDark(page, QRect(placed.center().x(), placed.bottom() - band,
                                       placed.width() / 2, band)),
                 0);
    }

    // Organizing turns a page by its rotation alone; signing the turned page places the stamp
    // as on a page written with that rotation.
    void organizedPageTurnsAndSigns_data()
    {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<int>("quarterTurns");
        QTest::addColumn<int>("rotation");

        const QRectF crop(100, 50, 400, 600);
        // Triples: the page's rotation, the quarter turns asked for, the rotation that results.
        const QList<int> rows{0,  1,   90, 0,   -1,  270, 90, 1,   180, 90, -1,
                              0,  180, 1,  270, 180, -1,  90, 270, 1,   0,  270,
                              -1, 180, 90, 6,   270, -90, -3, 0,   0,   0,  0};
        for (qsizetype i = 0; i < rows.size(); i += 3) {
            QTest::addRow("%d %+d", rows[i], rows[i + 1])
                << Layout{crop, rows[i]} << rows[i + 1] << rows[i + 2];
        }
        QTest::newRow("inherited 90 +1") << Layout{crop, 90, true} << 1 << 180;
    }

    void organizedPageTurnsAndSigns()
    {
        QFETCH(Layout, layout);
        QFETCH(int, quarterTurns);
        QFETCH(int, rotation);
        const QRectF normalised(0.25, 0.5, 0.5, 0.25);

        const Stamp stamp = signPage(layout, normalised, asymmetric(), quarterTurns).value(0);
        QCOMPARE(Fixtures::readLayouts(path("turned.pdf")),
                 (QList<std::pair<int, QRectF>>{{rotation, *layout.cropBox}}));
        const QSizeF shown = layout.cropBox->size(); // poppler turns the size it reports
        QCOMPARE(Poppler::Document::load(path("turned.pdf"))->page(0)->pageSizeF(),
                 rotation % 180 ? shown.transposed() : shown);
        QCOMPARE(stamp.rect,
                 signPage({layout.cropBox, rotation}, normalised, asymmetric())[0].rect);
    }

    // Black, white, transparent: the stamp multiplies with a soft mask; previews stretch it.
    void imageArtMultiplies()
    {
        QImage picture(3, 1, QImage::Format_ARGB32);
        picture.setPixel(0, 0, qRgba(0, 0, 0, 255));
        picture.setPixel(1, 0, qRgba(255, 255, 255, 255));
        picture.setPixel(2, 0, qRgba(0, 0, 0, 0));
        const SignatureArt art(SignatureArt::Image{ImageFixtures::encoded(picture, "PNG")});

        QImage canvas(100, 100, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(QColor(200, 40, 40));
        QPainter painter(&canvas);
        SignatureDrawing::draw(art, QRectF(10, 20, 30, 60), painter);
        // The painter is handed back in its own composition mode.
        QCOMPARE(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
        painter.end();
        QCOMPARE(canvas.pixelColor(13, 22), QColor(0, 0, 0));
        QCOMPARE(canvas.pixelColor(13, 78), QColor(0, 0, 0));
        QCOMPARE(canvas.pixelColor(25, 50), QColor(200, 40, 40)); // white
        QCOMPARE(canvas.pixelColor(37, 50), QColor(200, 40, 40)); // transparent
        QCOMPARE(canvas.pixelColor(8, 50), QColor(200, 40, 40));  // outside the rect

        const Stamp stamp = signPage(Layout{}, QRectF(0.2, 0.1, 0.4, 0.2), art).value(0);
        QCOMPARE(stamp.blendMode, QByteArray("/Multiply"));
        QVERIFY(stamp.imageHasSoftMask);
    }

    // Art that does not decode, or is huge, draws nothing and becomes an empty stamp.
    void undecodableImage()
    {
        // Qt's own allocation limit would hide a missing pixel bound of the engine.
        const int limit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(0);
        const auto restore = qScopeGuard([limit] { QImageReader::setAllocationLimit(limit); });

        // Not an image; over 100 million pixels, where a one-bit bitmap keeps the data small.
        for (const QByteArray& bytes :
             {QByteArray("not an image at all"),
              QByteArray("P4\n10001 10000\n") + QByteArray(qsizetype{1251} * 10000, '\0')}) {
            const SignatureArt art(SignatureArt::Image{bytes});
            QVERIFY(SignatureDrawing::decodedImage(art).isNull());
            QImage transparent(30, 20, QImage::Format_ARGB32);
            transparent.fill(Qt::transparent);
            QCOMPARE(
                SignatureDrawing::image(art, QSize(30, 20)).convertToFormat(QImage::Format_ARGB32),
                transparent);

            const QList<Stamp> stamps = signPage(Layout{}, QRectF(0, 0, 1, 1), art);
            QCOMPARE(stamps.size(), 1);
            QCOMPARE(stamps.first().rect, QRectF(0, 0, 600, 800));
            QVERIFY(stamps.first().content.isEmpty());
            QVERIFY(Fixtures::qpdfCheckIsClean(path("out.pdf")));
        }
    }

private:
    // A fresh blank 600 x 800 page of that layout signed with one item into out.pdf; its stamps.
    // Turned: organized into turned.pdf first, and that signed.
    QList<Stamp> signPage(const Layout& layout, const QRectF& rect, const SignatureArt& art,
                          std::optional<int> quarterTurns = {})
    {
        const QString input = path("in.pdf");
        const QString output = path("out.pdf");
        Fixtures::writePdf(input, {Fixtures::Page{{}, 600, 800, layout.rotate, layout.cropBox}});
        if (layout.inherited) {
            Fixtures::inheritFromRoot(input);
        }
        if (quarterTurns) {
            placed(folderOf(output), [&](auto& outputs) {
                PDFEngine::organize({{{input, {}}}, {{0, 0, *quarterTurns}}, path("turned.pdf")},
                                    outputs);
            });
        }
        placed(folderOf(output), [&](auto& outputs) {
            PDFEngine::sign(PDFSource{quarterTurns ? path("turned.pdf") : input, {}},
                            {SignItem{0, rect, art}}, output, outputs);
        });
        return readStamps(output, 0);
    }

    QTemporaryDir m_folder;
    QString path(const QString& name) const { return m_folder.filePath(name); }
};

QTEST_MAIN(SignTest)
#include "SignTest.moc"
