#include "CompressChecks.h"
#include "ImageFixtures.h"
#include "PDFEngine.h"

#include <QTemporaryDir>
#include <QTest>

using ImageFixtures::Builder;
using ImageFixtures::Kind;
Q_DECLARE_METATYPE(ImageFixtures::Kind)

// Flate scans, with and without row predictors, are inflated off the thread
// that owns the document; they must come out re-encoded and looking the same,
// and bombs among them must still be left alone.
class CompressFlateTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void reencoded_data();
    void reencoded();
    void predictedBombIsSkipped();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString write(Kind kind, int width, int height, const QString& name);
    QTemporaryDir m_dir;
};

void CompressFlateTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString tmp = path(QStringLiteral("tmp"));
    QVERIFY(QDir().mkpath(tmp));
    qputenv("TMPDIR", QFile::encodeName(tmp));
}

// Two pages sharing nothing, so both workers have an image at once.
QString CompressFlateTest::write(Kind kind, int width, int height, const QString& name)
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

void CompressFlateTest::reencoded_data()
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

void CompressFlateTest::reencoded()
{
    QFETCH(Kind, kind);
    QFETCH(Kind, plain);
    QFETCH(int, width);
    QFETCH(int, height);

    const QString input = write(kind, width, height, QStringLiteral("in.pdf"));
    const QString twin = write(plain, width, height, QStringLiteral("twin.pdf"));
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

void CompressFlateTest::predictedBombIsSkipped()
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

QTEST_GUILESS_MAIN(CompressFlateTest)
#include "CompressFlateTest.moc"
