#include "CompressChecks.h"
#include "Fixtures.h"
#include "ImageFixtures.h"
#include "Operations.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using ImageFixtures::Builder;
using ImageFixtures::Holder;
using ImageFixtures::Kind;
Q_DECLARE_METATYPE(ImageFixtures::Kind)

// Compression: what is written, when, and what is left behind; every kind of
// image comes out re-encoded and looking the same or exactly as it was, Flate
// scans with and without predictors included, and bombs are left alone.
class CompressTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void levels_data();
    void levels();
    void everyHolderOnceAndSharedStaysShared();
    void textOnlyWritesNothing();
    void alreadySmallJpegWritesNothing();
    void protectedInputGivesOpenOutput();
    void existingDestinationIsReplaced();
    void workingFolderThatCannotBeMade();
    void unreadableInput();
    void bombsAreSkipped();
    void eachKind_data();
    void eachKind();
    void reencoded_data();
    void reencoded();
    void predictedBombIsSkipped();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList leftovers() const;
    // Two pages sharing nothing, so both workers have an image at once.
    QString writeTwoPages(Kind kind, int width, int height, const QString& name);
    PDFSource source(const QString& name) const { return PDFSource{path(name), std::nullopt}; }

    QTemporaryDir m_dir;
    QString m_tmp;
};

void CompressTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_tmp = m_dir.filePath(QStringLiteral("tmp"));
    QVERIFY(QDir().mkpath(m_tmp));
}

void CompressTest::init()
{
    qputenv("TMPDIR", QFile::encodeName(m_tmp));
}

QStringList CompressTest::leftovers() const
{
    return QDir(m_tmp).entryList({QStringLiteral("leaflow-*")}, QDir::AllEntries | QDir::Hidden);
}

void CompressTest::levels_data()
{
    QTest::addColumn<CompressionLevel>("level");
    QTest::addColumn<int>("maxSide");
    QTest::newRow("light") << CompressionLevel::light << 2400;
    QTest::newRow("balanced") << CompressionLevel::balanced << 1600;
    QTest::newRow("strong") << CompressionLevel::strong << 1000;
}

void CompressTest::levels()
{
    QFETCH(CompressionLevel, level);
    QFETCH(int, maxSide);

    Builder builder;
    builder.addPage(builder.image(Kind::rgb, 2600, 700, QStringLiteral("wide")),
                    QStringLiteral("page one"));
    builder.addPage(builder.image(Kind::gray, 500, 2500, QStringLiteral("tall")),
                    QStringLiteral("page two"), Holder::page, 100, 500);
    builder.addPage(builder.image(Kind::jpegRgb, 1200, 900, QStringLiteral("small jpeg")),
                    QStringLiteral("page three"));
    builder.addPage(builder.image(Kind::rgb, 120, 90, QStringLiteral("icon")),
                    QStringLiteral("page four"));
    builder.write(path(QStringLiteral("levels.pdf")));
    const QByteArray inputBytes = Fixtures::readBytes(path(QStringLiteral("levels.pdf")));
    const auto before = CompressChecks::imagesByTag(path(QStringLiteral("levels.pdf")));

    const QString out = path(QStringLiteral("levels-out.pdf"));
    QFile::remove(out);
    QVERIFY(PDFEngine::compress(source(QStringLiteral("levels.pdf")), level, out));

    QCOMPARE(Fixtures::readBytes(path(QStringLiteral("levels.pdf"))), inputBytes);
    QCOMPARE(Fixtures::pageCount(out), 4);
    QVERIFY(Fixtures::qpdfCheckIsClean(out));
    QCOMPARE(CompressChecks::otherStreams(out),
             CompressChecks::otherStreams(path(QStringLiteral("levels.pdf"))));
    QVERIFY(leftovers().isEmpty());

    const auto after = CompressChecks::imagesByTag(out);
    const auto expectSize = [&](const QString& tag, int w, int h) {
        const int longer = std::max(w, h);
        const double scale = longer > maxSide ? double(maxSide) / longer : 1.0;
        QCOMPARE(after.value(tag).width, qRound(w * scale));
        QCOMPARE(after.value(tag).height, qRound(h * scale));
    };
    expectSize(QStringLiteral("wide"), 2600, 700);
    expectSize(QStringLiteral("tall"), 500, 2500);
    expectSize(QStringLiteral("small jpeg"), 1200, 900);
    QCOMPARE(after.value(QStringLiteral("wide")).filter, QByteArray("/DCTDecode"));
    QCOMPARE(after.value(QStringLiteral("tall")).filter, QByteArray("/DCTDecode"));
    // At most 128 pixels on the longer side: left exactly as it was.
    QCOMPARE(after.value(QStringLiteral("icon")).raw, before.value(QStringLiteral("icon")).raw);

    for (int page = 0; page < 3; ++page) {
        const double difference =
            CompressChecks::meanDifference(CompressChecks::render(path(QStringLiteral("levels.pdf")), page),
                                           CompressChecks::render(out, page));
        QVERIFY2(difference >= 0 && difference < 8, qPrintable(QString::number(difference)));
    }
}

void CompressTest::everyHolderOnceAndSharedStaysShared()
{
    Builder builder;
    QPDFObjectHandle shared = builder.image(Kind::rgb, 1900, 1000, QStringLiteral("shared"));
    builder.addPage(shared, QStringLiteral("shared 1"));
    builder.addPage(shared, QStringLiteral("shared 2"));
    builder.addPage(shared, QStringLiteral("shared 3"), Holder::form);
    builder.addPage(builder.image(Kind::rgb, 1900, 1000, QStringLiteral("in form")),
                    QStringLiteral("form"), Holder::form);
    builder.addPage(builder.image(Kind::gray, 1900, 1000, QStringLiteral("in annotation")),
                    QStringLiteral("annotation"), Holder::annotation);
    builder.addPage(builder.image(Kind::rgb, 1900, 1000, QStringLiteral("in pattern")),
                    QStringLiteral("pattern"), Holder::pattern);
    const QString in = path(QStringLiteral("holders.pdf"));
    const QString out = path(QStringLiteral("holders-out.pdf"));
    builder.write(in);
    QFile::remove(out);

    QVERIFY(PDFEngine::compress(source(QStringLiteral("holders.pdf")), CompressionLevel::strong, out));

    QCOMPARE(Fixtures::countObjectsOfType(out, "/Image"), Fixtures::countObjectsOfType(in, "/Image"));
    QCOMPARE(Fixtures::countObjectsOfType(out, "/Image"), 4);
    const auto after = CompressChecks::imagesByTag(out);
    QCOMPARE(after.keys(), (QStringList{QStringLiteral("in annotation"), QStringLiteral("in form"),
                                        QStringLiteral("in pattern"), QStringLiteral("shared")}));
    for (const CompressChecks::ImageRecord& image : after) {
        QCOMPARE(image.filter, QByteArray("/DCTDecode"));
        QCOMPARE(image.width, 1000);
    }
    QCOMPARE(CompressChecks::otherStreams(out), CompressChecks::otherStreams(in));
    for (int page = 0; page < 6; ++page) {
        const double difference = CompressChecks::meanDifference(CompressChecks::render(in, page),
                                                                 CompressChecks::render(out, page));
        QVERIFY2(difference >= 0 && difference < 8,
                 qPrintable(QStringLiteral("page %1: %2").arg(page + 1).arg(difference)));
    }
}

void CompressTest::textOnlyWritesNothing()
{
    Builder builder;
    builder.addTextPage(QStringLiteral("only words"));
    builder.addTextPage(QStringLiteral("and more words"));
    builder.write(path(QStringLiteral("text.pdf")));
    const QString out = path(QStringLiteral("text-out.pdf"));

    QVERIFY(!PDFEngine::compress(source(QStringLiteral("text.pdf")), CompressionLevel::strong, out));
    QVERIFY(!QFileInfo::exists(out));
    QVERIFY(leftovers().isEmpty());
}

void CompressTest::alreadySmallJpegWritesNothing()
{
    // A JPEG already made as the pass would make it, within size: a second
    // generation cannot save the tenth that would justify it.
    Builder builder;
    const QByteArray samples = ImageFixtures::photoSamples(800, 500, 3);
    QPDFObjectHandle image = builder.image(Kind::jpegRgb, 800, 500, QStringLiteral("low"));
    image.replaceStreamData(ImageFixtures::jpeg(samples, 800, 500, 3, 25, false, true).toStdString(),
                            QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());
    builder.addPage(image, QStringLiteral("low quality"));
    builder.write(path(QStringLiteral("low.pdf")));
    const QString out = path(QStringLiteral("low-out.pdf"));

    QVERIFY(!PDFEngine::compress(source(QStringLiteral("low.pdf")), CompressionLevel::strong, out));
    QVERIFY(!QFileInfo::exists(out));
    QVERIFY(leftovers().isEmpty());
}

void CompressTest::protectedInputGivesOpenOutput()
{
    Builder builder;
    builder.addPage(builder.image(Kind::rgb, 1700, 900, QStringLiteral("photo")),
                    QStringLiteral("locked"));
    const QString plain = path(QStringLiteral("plain.pdf"));
    const QString locked = path(QStringLiteral("locked.pdf"));
    builder.write(plain);
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--encrypt"), QStringLiteral("gizli"),
                                        QStringLiteral("sahip"), QStringLiteral("256"),
                                        QStringLiteral("--"), plain, locked});
    QVERIFY(qpdf.waitForFinished(60000));
    QCOMPARE(qpdf.exitCode(), 0);
    const QString out = path(QStringLiteral("locked-out.pdf"));

    QVERIFY_THROWS_EXCEPTION(PDFEngine::Failure,
                             PDFEngine::compress(PDFSource{locked, std::nullopt},
                                                 CompressionLevel::balanced, out));
    QVERIFY(PDFEngine::compress(PDFSource{locked, QStringLiteral("gizli")},
                                CompressionLevel::balanced, out));
    QVERIFY(!Fixtures::isEncrypted(out));
    QCOMPARE(Fixtures::pageCount(out), 1);
    QCOMPARE(CompressChecks::imagesByTag(out).value(QStringLiteral("photo")).filter,
             QByteArray("/DCTDecode"));
}

void CompressTest::existingDestinationIsReplaced()
{
    Builder builder;
    builder.addPage(builder.image(Kind::gray, 1700, 900, QStringLiteral("photo")),
                    QStringLiteral("replace"));
    builder.write(path(QStringLiteral("replace.pdf")));
    const QString out = path(QStringLiteral("replace-out.pdf"));
    Fixtures::writeBytes(out, "an older file");

    QVERIFY(PDFEngine::compress(source(QStringLiteral("replace.pdf")), CompressionLevel::light, out));
    QCOMPARE(Fixtures::pageCount(out), 1);
    QVERIFY(PDFEngine::fileSize(out) < PDFEngine::fileSize(path(QStringLiteral("replace.pdf"))));
}

void CompressTest::workingFolderThatCannotBeMade()
{
    Builder builder;
    builder.addPage(builder.image(Kind::rgb, 1700, 900), QStringLiteral("start"));
    builder.write(path(QStringLiteral("start.pdf")));
    Fixtures::writeBytes(path(QStringLiteral("a-file")), "not a folder");
    qputenv("TMPDIR", QFile::encodeName(path(QStringLiteral("a-file/tmp"))));
    const QString out = path(QStringLiteral("start-out.pdf"));

    try {
        PDFEngine::compress(source(QStringLiteral("start.pdf")), CompressionLevel::balanced, out);
        QFAIL("compress did not fail");
    } catch (const PDFEngine::Failure& failure) {
        QCOMPARE(failure.message(), QStringLiteral("Sıkıştırma başlatılamadı."));
    }
    QVERIFY(!QFileInfo::exists(out));
}

void CompressTest::unreadableInput()
{
    Fixtures::writeBytes(path(QStringLiteral("notlar.pdf")), "plain text, not a PDF");
    try {
        PDFEngine::compress(source(QStringLiteral("notlar.pdf")), CompressionLevel::balanced,
                            path(QStringLiteral("notlar-out.pdf")));
        QFAIL("compress did not fail");
    } catch (const PDFEngine::Failure& failure) {
        QCOMPARE(failure.message(),
                 QStringLiteral("notlar.pdf açılamadı. Dosya bozuk ya da PDF değil."));
    }
    QVERIFY(leftovers().isEmpty());
}

void CompressTest::bombsAreSkipped()
{
    Builder builder;
    // Ten billion pixels announced over a few bytes of Flate data.
    QPDFObjectHandle huge = builder.image(Kind::gray, 200, 200, QStringLiteral("huge"));
    huge.replaceStreamData(ImageFixtures::deflate(QByteArray(4096, '\0')).toStdString(),
                           QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
    huge.getDict().replaceKey("/Width", QPDFObjectHandle::newInteger(100000));
    huge.getDict().replaceKey("/Height", QPDFObjectHandle::newInteger(100000));
    // Within bounds by its size, but its data inflates to 64 MB for a 1 MB image.
    QPDFObjectHandle overlong = builder.image(Kind::gray, 1000, 1000, QStringLiteral("overlong"));
    overlong.replaceStreamData(ImageFixtures::deflate(QByteArray(64 << 20, '\0')).toStdString(),
                               QPDFObjectHandle::newName("/FlateDecode"),
                               QPDFObjectHandle::newNull());
    builder.addPage(huge, QStringLiteral("huge"));
    builder.addPage(overlong, QStringLiteral("overlong"));
    builder.addPage(builder.image(Kind::rgb, 1700, 900, QStringLiteral("photo")),
                    QStringLiteral("photo"));
    const QString in = path(QStringLiteral("bomb.pdf"));
    const QString out = path(QStringLiteral("bomb-out.pdf"));
    builder.write(in);

    QVERIFY(PDFEngine::compress(PDFSource{in, std::nullopt}, CompressionLevel::balanced, out));
    const auto before = CompressChecks::imagesByTag(in);
    const auto after = CompressChecks::imagesByTag(out);
    QCOMPARE(after.value(QStringLiteral("huge")).raw, before.value(QStringLiteral("huge")).raw);
    QCOMPARE(after.value(QStringLiteral("huge")).width, 100000);
    QCOMPARE(after.value(QStringLiteral("overlong")).raw,
             before.value(QStringLiteral("overlong")).raw);
    QCOMPARE(after.value(QStringLiteral("photo")).filter, QByteArray("/DCTDecode"));
}


void CompressTest::eachKind_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    const QList<Kind> kinds = {
        Kind::gray,        Kind::rgb,          Kind::cmyk,        Kind::cmykInverted,
        Kind::iccGray,     Kind::iccRgb,       Kind::iccCmyk,     Kind::calRgb,
        Kind::indexedMany, Kind::indexedFew,   Kind::indexedFourBit, Kind::oneBit,
        Kind::imageMask,   Kind::softMask,     Kind::softMaskMatte, Kind::sixteenBit,
        Kind::separation,  Kind::lab,          Kind::colourKey,   Kind::jpegRgb,
        Kind::jpegGray,    Kind::jpegCmykAdobe, Kind::jpegProgressive};
    for (Kind kind : kinds) {
        // Larger than the balanced maximum, so the shrinking path runs.
        QTest::addRow("%s, shrunk", qPrintable(ImageFixtures::name(kind))) << kind << 1800 << 500;
    }
    for (Kind kind : {Kind::rgb, Kind::cmykInverted, Kind::indexedMany, Kind::softMask,
                      Kind::jpegRgb, Kind::jpegCmykAdobe}) {
        QTest::addRow("%s, kept size", qPrintable(ImageFixtures::name(kind))) << kind << 700 << 400;
    }
}

void CompressTest::eachKind()
{
    QFETCH(Kind, kind);
    QFETCH(int, width);
    QFETCH(int, height);

    // Page 1 holds the image under test; page 2 a plain photograph that always
    // shrinks, so a file is written even when the image under test is left alone.
    const QString input = m_dir.filePath(QStringLiteral("in.pdf"));
    const QString output = m_dir.filePath(QStringLiteral("out.pdf"));
    QFile::remove(output);
    {
        ImageFixtures::Builder builder;
        builder.addPage(builder.image(kind, width, height, QStringLiteral("subject")),
                        QStringLiteral("subject"), ImageFixtures::Holder::page, 500, 300);
        builder.addPage(builder.image(Kind::rgb, 1700, 300, QStringLiteral("carrier")),
                        QStringLiteral("carrier"));
        builder.write(input);
    }
    const QMap<QString, CompressChecks::ImageRecord> before = CompressChecks::imagesByTag(input);

    QVERIFY(PDFEngine::compress(PDFSource{input, std::nullopt}, CompressionLevel::balanced, output));

    const QMap<QString, CompressChecks::ImageRecord> after = CompressChecks::imagesByTag(output);
    QCOMPARE(after.keys(), before.keys());
    const CompressChecks::ImageRecord& was = before.value(QStringLiteral("subject"));
    const CompressChecks::ImageRecord& now = after.value(QStringLiteral("subject"));
    QCOMPARE(after.value(QStringLiteral("carrier")).filter, QByteArray("/DCTDecode"));
    QCOMPARE(CompressChecks::otherStreams(output), CompressChecks::otherStreams(input));

    if (ImageFixtures::leftAlone(kind)) {
        QCOMPARE(now.raw, was.raw);
        QCOMPARE(now.width, was.width);
        QCOMPARE(now.filter, was.filter);
        QCOMPARE(now.colorSpace, was.colorSpace);
        QCOMPARE(now.decode, was.decode);
        QCOMPARE(now.maskWidth, was.maskWidth);
    } else {
        QCOMPARE(now.filter, QByteArray("/DCTDecode"));
        QVERIFY(now.raw.size() < was.raw.size());
        QVERIFY2(std::max(now.width, now.height) <= 1600, qPrintable(QString::number(now.width)));
        if (std::max(width, height) <= 1600) {
            QCOMPARE(now.width, width);
            QCOMPARE(now.height, height);
        } else {
            QCOMPARE(now.width, 1600);
            QCOMPARE(now.height, qRound(height * 1600.0 / width));
        }
        // Samples keep their meaning: the /Decode array (inverted CMYK
        // included) and calibrated or ICC spaces stay; only a palette expands.
        QCOMPARE(now.decode, was.decode);
        if (kind == Kind::indexedMany) {
            QCOMPARE(now.colorSpace, QByteArray("/DeviceRGB"));
        } else {
            QCOMPARE(now.colorSpace, was.colorSpace);
        }
        if (kind == Kind::softMask) {
            QCOMPARE(now.maskWidth, now.width);
            QCOMPARE(now.maskHeight, now.height);
            QCOMPARE(now.maskFilter, QByteArray("/FlateDecode"));
        }
    }

    const QImage original = CompressChecks::render(input, 0);
    const QImage compressed = CompressChecks::render(output, 0);
    const double difference = CompressChecks::meanDifference(original, compressed);
    QVERIFY2(difference >= 0 && difference < (ImageFixtures::leftAlone(kind) ? 0.5 : 6.0),
             qPrintable(QStringLiteral("mean difference %1").arg(difference)));
}


// Two pages sharing nothing, so both workers have an image at once.
QString CompressTest::writeTwoPages(Kind kind, int width, int height, const QString& name)
{
    const QString file = path(name);
    Builder builder;
    builder.addPage(builder.image(kind, width, height, QStringLiteral("first")),
                    QStringLiteral("first"), ImageFixtures::Holder::page, 500, 300);
    builder.addPage(builder.image(kind, height, width, QStringLiteral("second")),
                    QStringLiteral("second"), ImageFixtures::Holder::page, 300, 500);
    builder.write(file);
    return file;
}

void CompressTest::reencoded_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Kind>("plain"); // the same samples stored without a predictor
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    const QList<std::pair<Kind, Kind>> kinds = {{Kind::gray, Kind::gray},
                                                {Kind::grayPng, Kind::gray},
                                                {Kind::rgbPng, Kind::rgb},
                                                {Kind::rgbTiff, Kind::rgb}};
    for (const auto& [kind, plain] : kinds) {
        const QByteArray name = ImageFixtures::name(kind).toUtf8();
        QTest::addRow("%s, shrunk", name.constData()) << kind << plain << 1800 << 500;
        QTest::addRow("%s, kept size", name.constData()) << kind << plain << 700 << 400;
    }
}

void CompressTest::reencoded()
{
    QFETCH(Kind, kind);
    QFETCH(Kind, plain);
    QFETCH(int, width);
    QFETCH(int, height);

    const QString input = writeTwoPages(kind, width, height, QStringLiteral("in.pdf"));
    const QString twin = writeTwoPages(plain, width, height, QStringLiteral("twin.pdf"));
    const QString output = path(QStringLiteral("out.pdf"));
    const QString twinOutput = path(QStringLiteral("twin-out.pdf"));
    QFile::remove(output);
    QFile::remove(twinOutput);
    const auto before = CompressChecks::imagesByTag(input);
    QVERIFY(PDFEngine::compress(PDFSource{input, std::nullopt}, CompressionLevel::balanced, output));
    QVERIFY(PDFEngine::compress(PDFSource{twin, std::nullopt}, CompressionLevel::balanced, twinOutput));
    const auto after = CompressChecks::imagesByTag(output);
    const auto twinAfter = CompressChecks::imagesByTag(twinOutput);
    QCOMPARE(CompressChecks::otherStreams(output), CompressChecks::otherStreams(input));

    for (const QString& tag : {QStringLiteral("first"), QStringLiteral("second")}) {
        const CompressChecks::ImageRecord& was = before.value(tag);
        const CompressChecks::ImageRecord& now = after.value(tag);
        QCOMPARE(now.filter, QByteArray("/DCTDecode"));
        QVERIFY(now.raw.size() < was.raw.size());
        // Samples that decode exactly the same encode to the very same JPEG.
        QCOMPARE(now.raw, twinAfter.value(tag).raw);
        QCOMPARE(now.colorSpace, was.colorSpace);
        const int longer = std::max(was.width, was.height);
        const double scale = longer > 1600 ? 1600.0 / longer : 1.0;
        QCOMPARE(now.width, qRound(was.width * scale));
        QCOMPARE(now.height, qRound(was.height * scale));
    }
    for (int page = 0; page < 2; ++page) {
        const double difference = CompressChecks::meanDifference(
            CompressChecks::render(input, page), CompressChecks::render(output, page));
        QVERIFY2(difference >= 0 && difference < 6.0,
                 qPrintable(QStringLiteral("page %1: mean difference %2").arg(page).arg(difference)));
    }
}

void CompressTest::predictedBombIsSkipped()
{
    Builder builder;
    // A 1000 x 1000 grey image with PNG rows whose data inflates to 64 MB.
    QPDFObjectHandle bomb = builder.image(Kind::grayPng, 1000, 1000, QStringLiteral("bomb"));
    const QByteArray rows(64 << 20, '\0');
    bomb.replaceStreamData(ImageFixtures::deflate(rows).toStdString(),
                           QPDFObjectHandle::newName("/FlateDecode"),
                           QPDFObjectHandle::parse("<< /Predictor 15 /Columns 1000 >>"));
    builder.addPage(bomb, QStringLiteral("bomb"));
    builder.addPage(builder.image(Kind::grayPng, 1700, 900, QStringLiteral("scan")),
                    QStringLiteral("scan"));
    const QString in = path(QStringLiteral("bomb.pdf"));
    const QString out = path(QStringLiteral("bomb-out.pdf"));
    builder.write(in);

    QVERIFY(PDFEngine::compress(PDFSource{in, std::nullopt}, CompressionLevel::balanced, out));
    const auto before = CompressChecks::imagesByTag(in);
    const auto after = CompressChecks::imagesByTag(out);
    QCOMPARE(after.value(QStringLiteral("bomb")).raw, before.value(QStringLiteral("bomb")).raw);
    QCOMPARE(after.value(QStringLiteral("bomb")).filter, QByteArray("/FlateDecode"));
    QCOMPARE(after.value(QStringLiteral("scan")).filter, QByteArray("/DCTDecode"));
}

QTEST_GUILESS_MAIN(CompressTest)
#include "CompressTest.moc"
