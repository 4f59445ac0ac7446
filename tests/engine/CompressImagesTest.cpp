#include "CompressChecks.h"
#include "Fixtures.h"
#include "ImageFixtures.h"
#include "PDFEngine.h"

#include <QTemporaryDir>
#include <QTest>

using ImageFixtures::Kind;
Q_DECLARE_METATYPE(ImageFixtures::Kind)

// Every kind of image the pass meets comes out either re-encoded and looking
// the same, or exactly as it was.
class CompressImagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void eachKind_data();
    void eachKind();

private:
    QTemporaryDir m_dir;
    QString m_tmp;
};

void CompressImagesTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_tmp = m_dir.filePath(QStringLiteral("tmp"));
    QVERIFY(QDir().mkpath(m_tmp));
    qputenv("TMPDIR", QFile::encodeName(m_tmp));
}

void CompressImagesTest::eachKind_data()
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

void CompressImagesTest::eachKind()
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

QTEST_GUILESS_MAIN(CompressImagesTest)
#include "CompressImagesTest.moc"
