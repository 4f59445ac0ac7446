#include "Fixtures.h"
#include "FontFixtures.h"
#include "ImageFixtures.h"
#include "Placed.h"
#include "engine/compress/ImageDecision.h"
#include "engine/compress/JpegCodec.h"
#include "engine/compress/LosslessPass.h"
#include "engine/document/Operations.h"

#include <openjpeg.h>

#include <poppler/qt6/poppler-qt6.h>
#include <qpdf/Buffer.hh>
#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using ImageFixtures::Builder;
using ImageFixtures::Holder;
using ImageFixtures::Kind;
Q_DECLARE_METATYPE(ImageFixtures::Kind)

namespace {

struct ImageRecord {
    QSize size;
    QByteArray filter;
    QByteArray colorSpace; // resolved
    QByteArray decode;
    QByteArray raw;  // stream bytes as stored
    QByteArray data; // decoded, image codecs left applied
    int maskWidth = 0;
    QByteArray maskFilter;
};

QByteArray text(QPDFObjectHandle value)
{
    return QByteArray::fromStdString(value.unparseResolved());
}

QByteArray bytes(const std::shared_ptr<Buffer>& data)
{
    return QByteArray(reinterpret_cast<const char*>(data->getBuffer()),
                      static_cast<qsizetype>(data->getSize()));
}

// The data with general filters undone; image codecs stay applied.
QByteArray decoded(QPDFObjectHandle stream)
{
    std::string out;
    Pl_String sink("decoded", nullptr, out);
    stream.pipeStreamData(&sink, 0, qpdf_dl_generalized);
    return QByteArray::fromStdString(out);
}

// Tagged images, and every other stream's decoded data sorted against renumbering.
struct Contents {
    QMap<QString, ImageRecord> images;
    QByteArrayList others;
};

Contents read(const QString& path)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(path).constData());
    Contents contents;
    for (QPDFObjectHandle& object : pdf.getAllObjects()) {
        if (!object.isStream()) {
            continue;
        }
        QPDFObjectHandle dict = object.getDict();
        if (dict.hasKey("/FixtureTag")) {
            ImageRecord r{QSize(dict.getKey("/Width").getIntValueAsInt(),
                                dict.getKey("/Height").getIntValueAsInt()),
                          text(dict.getKey("/Filter")),
                          text(dict.getKey("/ColorSpace")),
                          text(dict.getKey("/Decode")),
                          bytes(object.getRawStreamData()),
                          decoded(object),
                          0,
                          {}};
            if (QPDFObjectHandle mask = dict.getKey("/SMask"); mask.isStream()) {
                r.maskWidth = mask.getDict().getKey("/Width").getIntValueAsInt();
                r.maskFilter = text(mask.getDict().getKey("/Filter"));
            }
            contents.images.insert(QString::fromStdString(
                                       dict.getKey("/FixtureTag").getUTF8Value()),
                                   r);
        } else if (!dict.hasKey("/Width") && // images and page thumbnails
                   !dict.getKey("/Type").isNameAndEquals("/ObjStm") &&
                   !dict.getKey("/Type").isNameAndEquals("/XRef")) {
            contents.others.append(bytes(object.getStreamData(qpdf_dl_generalized)));
        }
    }
    // Copies fold into one, so each distinct stream counts once.
    std::sort(contents.others.begin(), contents.others.end());
    contents.others.erase(std::unique(contents.others.begin(), contents.others.end()),
                          contents.others.end());
    return contents;
}

// Pages of words, a picture and a thumbnail each, written as a careless producer would.
void writeWordDocument(const QString& path, bool embedFont, bool compressStreams)
{
    FontFixtures::Builder fonts;
    QPDF& pdf = fonts.pdf();
    using OH = QPDFObjectHandle;
    OH font = embedFont ? fonts.font(FontFixtures::Kind::simpleTrueType,
                                     Fixtures::readBytes(FontFixtures::dejaVuPath()), "words")
                        : pdf.makeIndirectObject(
                              OH::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    const QByteArray samples = ImageFixtures::photoSamples(100, 80, 3);
    OH picture = pdf.newStream(ImageFixtures::deflate(samples).toStdString());
    picture.replaceDict(OH::parse("<< /Type /XObject /Subtype /Image /Width 100 /Height 80 "
                                  "/ColorSpace /DeviceRGB /BitsPerComponent 8 "
                                  "/Filter /FlateDecode >>"));
    for (int p = 0; p < 3; ++p) {
        std::string content = "q 100 0 0 80 400 650 cm /Im0 Do Q BT /F1 9 Tf 40 760 Td 11 TL\n";
        for (int line = 0; line < 60; ++line) {
            content += "(page " + std::to_string(p + 1) + " line " + std::to_string(line) +
                       " the quick brown fox jumps over the lazy dog) '\n";
        }
        OH page = OH::parse("<< /Type /Page /MediaBox [0 0 612 792] >>");
        page.replaceKey("/Contents", pdf.newStream(content + "ET\n"));
        OH resources = OH::parse("<< /Font << >> /XObject << >> >>");
        resources.getKey("/Font").replaceKey("/F1", font);
        resources.getKey("/XObject").replaceKey("/Im0", picture);
        page.replaceKey("/Resources", resources);
        page.replaceKey("/Thumb", pdf.newStream(std::string(20000, 'x')));
        page.getKey("/Thumb").replaceDict(
            OH::parse("<< /Width 100 /Height 100 /ColorSpace /DeviceRGB /BitsPerComponent 8 >>"));
        QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)),
                                            false);
    }
    const QByteArray name = QFile::encodeName(path);
    QPDFWriter writer(pdf, name.constData());
    writer.setCompressStreams(compressStreams);
    writer.setStaticID(true);
    writer.write();
}

// Streams whose dictionary has the key, among those the file's pages reach.
int streamsWith(const QString& path, const std::string& key)
{
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData());
    int count = 0;
    for (QPDFObjectHandle& object : pdf.getAllObjects()) {
        count += object.isStream() && object.getDict().hasKey(key) ? 1 : 0;
    }
    return count;
}

// Samples as a lossless JPEG 2000 codestream, made by OpenJPEG.
std::string jpx(const QByteArray& samples, int width, int height, int components)
{
    std::vector<opj_image_cmptparm_t> parts(static_cast<size_t>(components));
    for (opj_image_cmptparm_t& part : parts) {
        part = {};
        part.dx = part.dy = 1;
        part.w = static_cast<OPJ_UINT32>(width);
        part.h = static_cast<OPJ_UINT32>(height);
        part.prec = 8;
    }
    opj_image_t* image =
        opj_image_create(static_cast<OPJ_UINT32>(components), parts.data(), OPJ_CLRSPC_SRGB);
    image->x1 = static_cast<OPJ_UINT32>(width);
    image->y1 = static_cast<OPJ_UINT32>(height);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        image->comps[i % components].data[i / components] = static_cast<unsigned char>(samples[i]);
    }
    opj_cparameters_t parameters;
    opj_set_default_encoder_parameters(&parameters);
    opj_codec_t* codec = opj_create_compress(OPJ_CODEC_J2K);
    opj_setup_encoder(codec, &parameters, image);
    std::string out;
    opj_stream_t* stream = opj_stream_create(1 << 16, OPJ_FALSE);
    opj_stream_set_user_data(stream, &out, nullptr);
    opj_stream_set_write_function(stream, [](void* data, OPJ_SIZE_T n, void* user) {
        static_cast<std::string*>(user)->append(static_cast<const char*>(data), n);
        return n;
    });
    const bool ok = opj_start_compress(codec, image, stream) && opj_encode(codec, stream) &&
                    opj_end_compress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    opj_image_destroy(image);
    return ok ? out : std::string();
}

// Stored again as "jpeg" (CMYK, Adobe marker), "jpx", or "jpx-bare" (colour left to the
// codestream).
void recode(QPDFObjectHandle image, const QByteArray& codec)
{
    QPDFObjectHandle dict = image.getDict();
    const int w = dict.getKey("/Width").getIntValueAsInt();
    const int h = dict.getKey("/Height").getIntValueAsInt();
    const int c = codec == "jpeg" ? 4 : 3;
    const QByteArray samples = ImageFixtures::photoSamples(w, h, c);
    const std::string data =
        codec == "jpeg"
            ? JpegCodec::encode(Pixels{w, h, c, samples.toStdString()}, 92, true).value()
            : jpx(samples, w, h, c);
    image.replaceStreamData(data,
                            QPDFObjectHandle::newName(codec == "jpeg" ? "/DCTDecode"
                                                                      : "/JPXDecode"),
                            QPDFObjectHandle::newNull());
    if (codec == "jpx-bare") {
        dict.removeKey("/ColorSpace");
        dict.removeKey("/BitsPerComponent");
    }
}

QImage render(const QString& path, int page)
{
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(path);
    std::unique_ptr<Poppler::Page> p = doc ? doc->page(page) : nullptr;
    return p ? p->renderToImage(72, 72).convertToFormat(QImage::Format_RGB888) : QImage();
}

// Mean absolute difference per colour sample, 0..255; -1 when sizes differ.
double meanDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull()) {
        return -1;
    }
    double total = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width() * 3; ++x) {
            total += std::abs(a.constScanLine(y)[x] - b.constScanLine(y)[x]);
        }
    }
    return total / (static_cast<double>(a.width()) * a.height() * 3);
}

// The size a side of w x h has after scaling the longer side down to maxSide.
QSize scaled(int w, int h, int maxSide)
{
    const double scale = std::max(w, h) > maxSide ? double(maxSide) / std::max(w, h) : 1.0;
    return QSize(qRound(w * scale), qRound(h * scale));
}

// What an image drawn at `points` keeps: each side at the level's resolution there, within
// the longest side, when that leaves out a fifth of the pixels or more.
QSize drawnTarget(QSize pixels, QSizeF points, CompressionLevel level)
{
    const ImageDecision::Settings settings = ImageDecision::settingsFor(level);
    const QSize capped = scaled(pixels.width(), pixels.height(), settings.maxSide);
    const auto side = [&](double pt, int px) {
        return std::min(px, static_cast<int>(std::ceil(pt * settings.dpi / 72)));
    };
    const QSize shown(side(points.width(), capped.width()), side(points.height(), capped.height()));
    return shown.width() * shown.height() < 0.8 * capped.width() * capped.height() ? shown : capped;
}

} // namespace

// Compression: written only when smaller, every kind of image re-encoded or left exactly as it
// was, looking the same; bombs are left alone and no working folder stays behind.
class CompressTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Bare JPEG 2000 codestreams make poppler say it tried a file first.
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
        QVERIFY(m_dir.isValid());
        m_tmp = m_dir.filePath("tmp");
        QVERIFY(QDir().mkpath(m_tmp));
    }

    void init() { qputenv("TMPDIR", QFile::encodeName(m_tmp)); }

    void levels_data()
    {
        QTest::addColumn<CompressionLevel>("level");
        QTest::addColumn<int>("maxSide");
        QTest::newRow("light") << CompressionLevel::light << 2400;
        QTest::newRow("balanced") << CompressionLevel::balanced << 1600;
        QTest::newRow("strong") << CompressionLevel::strong << 1000;
    }

    // An image shared by three pages stays one object; annotation and pattern images are found.
    void levels()
    {
        QFETCH(CompressionLevel, level);
        QFETCH(int, maxSide);
        Builder builder;
        QPDFObjectHandle shared = builder.image(Kind::rgb, 2600, 700, QStringLiteral("shared"));
        builder.addPage(shared, QStringLiteral("shared 1"));
        builder.addPage(shared, QStringLiteral("shared 2"));
        builder.addPage(shared, QStringLiteral("shared 3"), Holder::form);
        builder.addPage(builder.image(Kind::gray, 500, 2500, QStringLiteral("in annotation")),
                        QStringLiteral("annotation"), Holder::annotation, 100, 500);
        builder.addPage(builder.image(Kind::jpegRgb, 1200, 900, QStringLiteral("in pattern")),
                        QStringLiteral("pattern"), Holder::pattern);
        builder.addPage(builder.image(Kind::rgb, 120, 90, QStringLiteral("icon")),
                        QStringLiteral("icon"));
        // Decoded at a lower resolution of its own where that still covers the new size.
        QPDFObjectHandle jpx = builder.image(Kind::rgb, 2600, 700, QStringLiteral("jpx"));
        recode(jpx, "jpx");
        builder.addPage(jpx, QStringLiteral("jpx"));
        const QString in = path("levels.pdf");
        const QString out = path("levels-out.pdf");
        builder.write(in);

        compress(in, out, level);

        const auto before = read(in).images;
        const auto after = read(out).images;
        QCOMPARE(Fixtures::countObjectsOfType(out, "/Image"), 5);
        QCOMPARE(after.keys(),
                 (QStringList{"icon", "in annotation", "in pattern", "jpx", "shared"}));
        // Drawn on a page of 400 x 300 points; an appearance's size is not followed.
        QCOMPARE(after["jpx"].size, drawnTarget({2600, 700}, {400, 300}, level));
        QCOMPARE(after["shared"].size, drawnTarget({2600, 700}, {400, 300}, level));
        QCOMPARE(after["in annotation"].size, scaled(500, 2500, maxSide));
        QCOMPARE(after["in pattern"].size, drawnTarget({1200, 900}, {400, 300}, level));
        QCOMPARE(after["shared"].filter, QByteArray("/DCTDecode"));
        QCOMPARE(after["in annotation"].filter, QByteArray("/DCTDecode"));
        // At most 128 pixels on the longer side: left exactly as it was.
        QCOMPARE(after["icon"].data, before["icon"].data);
        checkLooksTheSame(in, out, 7, 8);
    }

    // What one run made has nothing left to gain, and a JPEG as the pass would make it stays.
    void notSmallerWritesNothing()
    {
        Builder builder;
        QPDFObjectHandle image = builder.image(Kind::jpegRgb, 800, 500, QStringLiteral("low"));
        const QByteArray samples = ImageFixtures::photoSamples(800, 500, 3);
        image.replaceStreamData(ImageFixtures::jpeg(samples, 800, 500, 25, true).toStdString(),
                                QPDFObjectHandle::newName("/DCTDecode"),
                                QPDFObjectHandle::newNull());
        // Drawn at strong's resolution, so that no resampling is due either.
        builder.addPage(image, QStringLiteral("low quality"), Holder::page, 600, 375);
        builder.write(path("small.pdf"));
        const QString once = path("once.pdf");
        const QString out = path("small-out.pdf");
        const bool written = placed(folderOf(once), [&](auto& outputs) {
            return PDFEngine::compress(PDFSource{path("small.pdf"), std::nullopt},
                                       CompressionLevel::strong, once, outputs);
        });
        const QString first = written ? once : path("small.pdf");

        QVERIFY(!placed(folderOf(out), [&](auto& outputs) {
            return PDFEngine::compress(PDFSource{first, std::nullopt}, CompressionLevel::strong,
                                       out, outputs);
        }));
        QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(Fixtures::entries(m_tmp), QStringList());
        QCOMPARE(read(first).images["low"].raw, read(path("small.pdf")).images["low"].raw);
    }

    void bombsAreSkipped()
    {
        Builder builder;
        const auto flate = [](QPDFObjectHandle image, const QByteArray& data, const char* parms) {
            image.replaceStreamData(ImageFixtures::deflate(data).toStdString(),
                                    QPDFObjectHandle::newName("/FlateDecode"),
                                    QPDFObjectHandle::parse(parms));
            return image;
        };
        // Ten billion pixels announced over a few bytes of Flate data.
        QPDFObjectHandle huge = flate(builder.image(Kind::gray, 200, 200, QStringLiteral("huge")),
                                      QByteArray(4096, '\0'), "null");
        huge.getDict().replaceKey("/Width", QPDFObjectHandle::newInteger(100000));
        huge.getDict().replaceKey("/Height", QPDFObjectHandle::newInteger(100000));
        // Within bounds by its size, but inflating through PNG rows to 64 MB for a 1 MB image.
        builder.addPage(huge, QStringLiteral("huge"));
        builder.addPage(flate(builder.image(Kind::grayPng, 1000, 1000, QStringLiteral("predicted")),
                              QByteArray(64 << 20, '\0'), "<< /Predictor 15 /Columns 1000 >>"),
                        QStringLiteral("predicted"));
        builder.addPage(builder.image(Kind::grayPng, 1700, 900, QStringLiteral("scan")),
                        QStringLiteral("scan"));
        const QString in = path("bomb.pdf");
        const QString out = path("bomb-out.pdf");
        builder.write(in);

        compress(in, out);

        const auto before = read(in).images;
        const auto after = read(out).images;
        for (const char* tag : {"huge", "predicted"}) {
            QCOMPARE(after[tag].data, before[tag].data);
            QCOMPARE(after[tag].filter, QByteArray("/FlateDecode"));
        }
        QCOMPARE(after["scan"].filter, QByteArray("/DCTDecode"));
    }

    void eachKind_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("leftAlone");   // a careful pass leaves its samples byte for byte
        QTest::addColumn<QByteArray>("codec"); // stored again through this codec, see recode()

        const auto row = [](const char* name, Kind kind, bool leftAlone = false,
                            const QByteArray& codec = {}) {
            QTest::newRow(name) << kind << leftAlone << codec;
        };
        // One row for each way an image is re-encoded; a PNG predictor is undone by the workers.
        row("DeviceGray", Kind::gray);
        row("DeviceCMYK inverted by Decode", Kind::cmykInverted);
        row("Indexed 200 colours", Kind::indexedMany);
        row("soft mask", Kind::softMask);
        row("16-bit soft mask twice the size", Kind::softMaskDeep);
        row("soft mask beside a colour key", Kind::softMaskKeyed);
        row("16-bit RGB", Kind::rgb16);
        row("JPEG RGB", Kind::jpegRgb);
        row("JPEG CMYK, Adobe marker, Decode inverted", Kind::cmykInverted, false, "jpeg");
        row("JPEG 2000", Kind::rgb, false, "jpx");
        row("JPEG 2000, colour in the codestream", Kind::rgb, false, "jpx-bare");
        row("grey, PNG predictor", Kind::grayPng);
        // One row for each reason an image is left alone.
        row("Indexed 8 colours", Kind::indexedFew, true);
        row("1-bit grey", Kind::oneBit, true);
        row("image mask", Kind::imageMask, true);
        row("soft mask with Matte", Kind::softMaskMatte, true);
        row("Separation", Kind::separation, true);
        row("colour-key mask", Kind::colourKey, true);
    }

    void eachKind()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, leftAlone);
        QFETCH(QByteArray, codec);
        // Page 2's photograph always shrinks, so a file is written even when page 1's is left.
        const QString in = path("in.pdf");
        const QString out = path("out.pdf");
        Builder builder;
        QPDFObjectHandle subject = builder.image(kind, 1800, 500, QStringLiteral("subject"));
        if (!codec.isEmpty()) {
            recode(subject, codec);
        }
        builder.addPage(subject, QStringLiteral("subject"), Holder::page, 500, 300);
        builder.addPage(builder.image(Kind::rgb, 1700, 300, QStringLiteral("carrier")),
                        QStringLiteral("carrier"));
        builder.write(in);

        compress(in, out);

        const ImageRecord was = read(in).images["subject"];
        const ImageRecord now = read(out).images["subject"];
        if (leftAlone) {
            QCOMPARE(now.data, was.data);
            QCOMPARE(now.filter, was.filter);
            QCOMPARE(now.colorSpace, was.colorSpace);
            QCOMPARE(now.maskWidth, was.maskWidth);
        } else {
            QCOMPARE(now.filter, QByteArray("/DCTDecode"));
            QVERIFY(now.raw.size() < was.raw.size());
            QCOMPARE(now.size, drawnTarget({1800, 500}, {500, 300}, CompressionLevel::balanced));
            // Samples keep their meaning: /Decode and colour spaces stay; only a palette expands.
            QCOMPARE(now.decode, was.decode);
            const bool named = kind == Kind::indexedMany || codec == "jpx-bare";
            QCOMPARE(now.colorSpace, named ? QByteArray("/DeviceRGB") : was.colorSpace);
            if (kind == Kind::softMask || kind == Kind::softMaskDeep ||
                kind == Kind::softMaskKeyed) {
                QCOMPARE(now.maskWidth, now.size.width());
                QCOMPARE(now.maskFilter, QByteArray("/FlateDecode"));
            }
        }
        checkLooksTheSame(in, out, 1, leftAlone ? 0.5 : 6.0);
    }

    // Lossless steps alone shrink uncompressed streams, or a file merged with itself, unchanged.
    void lossless()
    {
        for (const auto& [merged, ratio] : {std::pair{false, 0.3}, std::pair{true, 0.6}}) {
            const QString in = path("words.pdf");
            const QString out = path("words-out.pdf");
            writeWordDocument(path("words-one.pdf"), merged, merged);
            QFile::remove(in);
            if (merged) {
                placed(folderOf(in), [&](auto& outputs) {
                    PDFEngine::merge({{PDFSource{path("words-one.pdf"), std::nullopt},
                                       PDFSource{path("words-one.pdf"), std::nullopt}},
                                      in},
                                     outputs);
                });
            } else {
                QVERIFY(QFile::copy(path("words-one.pdf"), in));
            }

            compress(in, out, CompressionLevel::light);

            QVERIFY2(PDFEngine::fileSize(out) <= PDFEngine::fileSize(in) * ratio,
                     qPrintable(QString::number(PDFEngine::fileSize(out)) + " of " +
                                QString::number(PDFEngine::fileSize(in))));
            QCOMPARE(streamsWith(out, "/Length1"), merged ? 1 : 0);
            QCOMPARE(streamsWith(out, "/Width"), 1); // thumbnails gone, the picture stored once
            const auto doc = [](const QString& file) { return Poppler::Document::load(file); };
            const std::unique_ptr<Poppler::Document> before = doc(in);
            const std::unique_ptr<Poppler::Document> after = doc(out);
            QCOMPARE(after->numPages(), before->numPages());
            for (int page = 0; page < before->numPages(); ++page) {
                QCOMPARE(after->page(page)->text(QRectF()), before->page(page)->text(QRectF()));
                QVERIFY(render(out, page) == render(in, page));
            }
        }
    }

    // Same dictionary and length fold only where the bytes are equal, however interleaved.
    void duplicatesNeedEqualData()
    {
        QPDF pdf;
        pdf.emptyPDF();
        QPDFObjectHandle xobjects = QPDFObjectHandle::newDictionary();
        const std::vector<std::string> drawings = {"0 0 m 1 1 l S", "0 0 m 2 2 l S",
                                                   "0 0 m 2 2 l S", "0 0 m 1 1 l S",
                                                   "0 0 m 3 3 l S"};
        for (size_t i = 0; i < drawings.size(); ++i) {
            QPDFObjectHandle form = QPDFObjectHandle::newStream(&pdf, drawings[i]);
            form.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
            form.getDict().replaceKey("/BBox", QPDFObjectHandle::parse("[0 0 9 9]"));
            xobjects.replaceKey("/X" + std::to_string(i), form);
        }
        QPDFObjectHandle page = pdf.makeIndirectObject(
            QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 9 9] /Resources << >> >>"));
        page.getKey("/Resources").replaceKey("/XObject", xobjects);
        QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(page), false);

        QCOMPARE(LosslessPass::mergeDuplicates(pdf), 2);

        const auto target = [&](int i) {
            return page.getKey("/Resources")
                .getKey("/XObject")
                .getKey("/X" + std::to_string(i))
                .getObjGen();
        };
        QCOMPARE(target(2), target(1));
        QCOMPARE(target(3), target(0));
        QVERIFY(target(1) != target(0));
        QVERIFY(target(4) != target(0) && target(4) != target(1));
    }

    // With no page to be found a rewrite would keep nothing: it fails, writing nothing.
    void pagelessFails()
    {
        QPDF pdf;
        pdf.emptyPDF();
        const QByteArray in = QFile::encodeName(path("pageless.pdf"));
        QPDFWriter(pdf, in.constData()).write();
        QCOMPARE(failureOf([&] {
                     placed(path("."), [&](auto& outputs) {
                         return PDFEngine::compress(PDFSource{path("pageless.pdf"), std::nullopt},
                                                    CompressionLevel::balanced,
                                                    path("pageless-out.pdf"), outputs);
                     });
                 }),
                 QStringLiteral("pageless.pdf sıkıştırılamadı."));
        QVERIFY(!QFileInfo::exists(path("pageless-out.pdf")));
        QCOMPARE(Fixtures::entries(m_tmp), QStringList());
    }

private:
    // Compresses in at level into a fresh out; the images before and after by tag.
    void compress(const QString& in, const QString& out,
                  CompressionLevel level = CompressionLevel::balanced)
    {
        QFile::remove(out);
        const QByteArray before = Fixtures::readBytes(in);
        QVERIFY(placed(folderOf(out), [&](auto& outputs) {
            return PDFEngine::compress(PDFSource{in, std::nullopt}, level, out, outputs);
        }));
        QCOMPARE(Fixtures::readBytes(in), before);
        QVERIFY(Fixtures::qpdfCheckIsClean(out));
        QCOMPARE(read(out).others, read(in).others);
        QCOMPARE(Fixtures::entries(m_tmp), QStringList());
    }

    void checkLooksTheSame(const QString& in, const QString& out, int pages, double limit)
    {
        for (int page = 0; page < pages; ++page) {
            const double difference = meanDifference(render(in, page), render(out, page));
            QVERIFY2(difference >= 0 && difference < limit,
                     qPrintable(QStringLiteral("page %1: %2").arg(page + 1).arg(difference)));
        }
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_tmp;
};

QTEST_GUILESS_MAIN(CompressTest)
#include "CompressTest.moc"
