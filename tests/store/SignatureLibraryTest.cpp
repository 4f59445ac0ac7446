#include "store/SignatureLibrary.h"
#include "Fixtures.h"
#include "ImageFixtures.h"
#include "StoreTestCase.h"
#include "core/DataFile.h"

#include <QImageReader>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>
#include <cmath>

namespace {

// Left half red, right half blue: shows which way an image was turned.
QImage twoColours(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
    return image;
}

// A JPEG with an Exif block holding only the orientation tag (0x0112).
QByteArray withOrientation(const QByteArray& jpeg, quint16 orientation)
{
    QByteArray tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 18);
    tiff += char(orientation & 0xff);
    tiff += QByteArray(7, '\0');
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const quint16 length = qToBigEndian<quint16>(quint16(payload.size() + 2));
    return jpeg.left(2) + QByteArray("\xff\xe1", 2) +
           QByteArray(reinterpret_cast<const char*>(&length), 2) + payload + jpeg.mid(2);
}

// Within what JPEG coding blurs of that colour.
bool near(QRgb c, const QColor& colour)
{
    return std::abs(qRed(c) - colour.red()) < 65 && std::abs(qGreen(c) - colour.green()) < 65 &&
           std::abs(qBlue(c) - colour.blue()) < 65;
}

} // namespace

using ImageFixtures::encoded;

// The signature library: drawn and imported signatures, names, deletion and previews.
class SignatureLibraryTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void drawnIsNormalisedIntoItsBox_data()
    {
        QTest::addColumn<QList<Stroke>>("strokes");
        QTest::addColumn<double>("lineWidth");
        QTest::addColumn<QList<Stroke>>("expected");
        QTest::addColumn<double>("weight");
        QTest::addColumn<double>("aspect");

        QTest::newRow("horizontal line grows only in height")
            << QList<Stroke>{{QPointF(10, 100), QPointF(510, 100)}} << 2.6
            << QList<Stroke>{{QPointF(0.0051, 0.5), QPointF(0.9949, 0.5)}} << 2.6 / 24
            << 505.2 / 24;
        QTest::newRow("large box keeps the pen's width inside")
            << QList<Stroke>{{QPointF(0, 0), QPointF(100, 50)}} << 2.0
            << QList<Stroke>{{QPointF(0.0192, 0.037), QPointF(0.9808, 0.963)}} << 2.0 / 54
            << 104.0 / 54;
        QTest::newRow("a click is a 24 x 24 box; empty strokes are dropped")
            << QList<Stroke>{{}, {QPointF(100, 50)}, {}, {QPointF(100, 50), QPointF(100, 50)}}
            << 2.6 << QList<Stroke>{{QPointF(0.5, 0.5)}, {QPointF(0.5, 0.5), QPointF(0.5, 0.5)}}
            << 2.6 / 24 << 1.0;
        QTest::newRow("several strokes share one box")
            << QList<Stroke>{{QPointF(0, 0)}, {QPointF(200, 100)}} << 0.0
            << QList<Stroke>{{QPointF(0, 0)}, {QPointF(1, 1)}} << 0.0 << 2.0;
    }

    void drawnIsNormalisedIntoItsBox()
    {
        QFETCH(QList<Stroke>, strokes);
        QFETCH(double, lineWidth);
        QFETCH(QList<Stroke>, expected);
        QFETCH(double, weight);
        QFETCH(double, aspect);

        const auto signature = SignatureLibrary::drawn("a", strokes, lineWidth, InkColor::black);
        QVERIFY(signature && signature->strokes);
        QCOMPARE(*signature->strokes, expected);
        // Exactly four places: nothing beyond the fourth decimal survives.
        for (const Stroke& stroke : *signature->strokes) {
            for (const QPointF& p : stroke) {
                QCOMPARE(std::round(p.x() * 10000) / 10000, p.x());
                QCOMPARE(std::round(p.y() * 10000) / 10000, p.y());
            }
        }
        QVERIFY(std::abs(signature->weight.value_or(-1) - weight) < 1e-12);
        QVERIFY(std::abs(signature->aspect - aspect) < 1e-12);
        QVERIFY(!signature->imageFile);
    }

    // Pointless strokes add nothing; default names count records, so one can repeat.
    void savedWithDefaultNamesCountingRecords()
    {
        QSignalSpy changed(&store(), &Store::dataChanged);
        store().addDrawnSignature("boş", {{}, {}}, 2.6, InkColor::black);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!QFileInfo::exists(m_environment->dataFolder() + "/data.json"));
        QCOMPARE(store().nextSignatureName(), QStringLiteral("İmza 1"));
        store().addDrawnSignature("", {{QPointF(100, 50), QPointF(300, 80)}}, 2.6, InkColor::blue);
        store().addDrawnSignature("Benim", {{QPointF(1, 1)}}, 2.6, InkColor::black);
        QCOMPARE(store().nextSignatureName(), QStringLiteral("İmza 3"));
        QVERIFY(store().addImageSignature(pngFile(), ""));
        store().addDrawnSignature("", {{QPointF(1, 1)}}, 2.6, InkColor::black);

        QStringList names;
        for (const SavedSignature& s : store().data().signatures) {
            names << s.name;
        }
        QCOMPARE(names, (QStringList{"İmza 1", "Benim", "İmza 3", "İmza 4"}));
        QCOMPARE(store().data().signatures.first().ink, std::optional(InkColor::blue));

        store().deleteSignature(store().data().signatures.first().id);
        QCOMPARE(store().nextSignatureName(), QStringLiteral("İmza 4"));
    }

    void importStoresAnUprightBoundedPNG_data()
    {
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("stored");

        QTest::newRow("4000 x 3000 JPEG")
            << QSize(4000, 3000) << QByteArray("JPG") << 0 << QSize(1400, 1050);
        QTest::newRow("tall PNG bounded by its height")
            << QSize(300, 3000) << QByteArray("PNG") << 0 << QSize(140, 1400);
        QTest::newRow("exactly 1400 kept")
            << QSize(1400, 700) << QByteArray("PNG") << 0 << QSize(1400, 700);
        QTest::newRow("large turned photo bounded upright")
            << QSize(4000, 3000) << QByteArray("JPG") << 6 << QSize(1050, 1400);
    }

    void importStoresAnUprightBoundedPNG()
    {
        QFETCH(QSize, source);
        QFETCH(QByteArray, format);
        QFETCH(int, orientation);
        QFETCH(QSize, stored);

        QByteArray bytes =
            encoded(twoColours(source.width(), source.height()), format.constData(), 95);
        if (orientation != 0) {
            bytes = withOrientation(bytes, quint16(orientation));
        }
        const QString path = m_fixture->file("imza." + format.toLower(), bytes);
        QVERIFY(store().addImageSignature(path, "Islak imza"));

        QCOMPARE(store().data().signatures.size(), 1);
        const SavedSignature& saved = store().data().signatures.first();
        QCOMPARE(saved.name, QStringLiteral("Islak imza"));
        QVERIFY(!saved.strokes && !saved.weight && !saved.ink);
        const QString expectedName = saved.id.toString(QUuid::WithoutBraces).toUpper() + ".png";
        QCOMPARE(saved.imageFile, std::optional(expectedName));
        QCOMPARE(saved.aspect, double(stored.width()) / stored.height());
        QCOMPARE(storedImages(), QStringList{expectedName}); // no temporary file left behind

        QImageReader reader(signaturesFolder() + "/" + expectedName);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage image = reader.read();
        QCOMPARE(image.size(), stored);
        // Turned a quarter clockwise, the left half is on top.
        const int w = stored.width();
        const int h = stored.height();
        const QPoint red = orientation == 0 ? QPoint(w / 4, h / 2) : QPoint(w / 2, h / 4);
        const QPoint blue = orientation == 0 ? QPoint(w * 3 / 4, h / 2) : QPoint(w / 2, h * 3 / 4);
        QVERIFY(near(image.pixel(red), Qt::red) && near(image.pixel(blue), Qt::blue));
    }

    void importRefuses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("folderIsAFile");

        QTest::newRow("text file named like an image")
            << "imza.png" << QByteArray("merhaba") << false;
        QTest::newRow("header declaring 200 million pixels")
            << "dev.ppm" << QByteArray("P6\n20000 10000\n255\n") + QByteArray(64, '\x80') << false;
        QTest::newRow("missing file") << "" << QByteArray() << false;
        QTest::newRow("signatures folder is a file")
            << "a.png" << encoded(twoColours(80, 20), "PNG") << true;
    }

    void importRefuses()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, folderIsAFile);
        const QString path = name.isEmpty() ? m_fixture->path("yok.png")
                                            : m_fixture->file(name, bytes);
        if (folderIsAFile) {
            QDir().mkpath(m_environment->dataFolder());
            Fixtures::writeBytes(signaturesFolder(), "not a folder");
        }

        QSignalSpy changed(&store(), &Store::dataChanged);
        QVERIFY(!store().addImageSignature(path, "x"));
        QVERIFY(store().data().signatures.isEmpty());
        QCOMPARE(changed.count(), 0);
        QVERIFY(storedImages().isEmpty());
        QCOMPARE(QFileInfo(signaturesFolder()).isFile(), folderIsAFile);
    }

    // Deleting takes placements, image and record; of a gone or outside image, only the record.
    void deleteRemovesPlacementsFileAndRecord()
    {
        QVERIFY(store().addImageSignature(pngFile(), "resim"));
        store().addDrawnSignature("el", {{QPointF(0, 0), QPointF(50, 20)}}, 2.6, InkColor::black);
        QVERIFY(store().addImageSignature(pngFile(), "kayıp"));
        const SavedSignature image = store().data().signatures[0];
        const SavedSignature drawn = store().data().signatures[1];
        const SavedSignature gone = store().data().signatures[2];
        QVERIFY(QFile::remove(signaturesFolder() + "/" + *gone.imageFile));
        QVERIFY(store().signatureImage(gone).isNull()); // an empty preview, not a crash
        const QString outside = m_fixture->file("keep.png", "x");
        SavedSignature forged{QUuid::createUuid(), "elle", {}, {}, {}, "../../../out/keep.png", 1};
        AppData data = store().data();
        data.signatures << forged;
        store().setData(data);
        QVERIFY(QFileInfo::exists(signaturesFolder() + "/" + *forged.imageFile));

        store().addFiles({m_fixture->pdf("Sözleşme.pdf", 2)}, store().tool<SignTool>());
        store().tool<SignTool>().place(image);
        store().tool<SignTool>().place(drawn);
        store().tool<SignTool>().setSignPage(1);
        store().tool<SignTool>().place(image);
        const Placement kept = store().tool<SignTool>().placements()[1];
        store().tool<SignTool>().setSelectedPlacement(store().tool<SignTool>().placements()[0].id);
        const auto selected = store().tool<SignTool>().selectedPlacement();
        QVERIFY(!store().signatureImage(image).isNull());
        QSignalSpy changed(&store(), &Store::changed);
        store().deleteSignature(QUuid::createUuid()); // unknown: changes nothing
        QCOMPARE(changed.count(), 0);

        for (const SavedSignature& deleted : {image, gone, forged}) {
            store().deleteSignature(deleted.id);
        }
        QCOMPARE(store().tool<SignTool>().placements(), QList<Placement>{kept});
        QCOMPARE(store().tool<SignTool>().selectedPlacement(),
                 selected); // left for the view to notice
        QCOMPARE(store().data().signatures, QList<SavedSignature>{drawn});
        QCOMPARE(DataFile().load()->signatures, QList<SavedSignature>{drawn});
        QVERIFY(storedImages().isEmpty());
        QVERIFY(QFileInfo::exists(outside));
    }

    // 200 points high, transparent ground; an extreme aspect stays a modest raster.
    void previewHasTheSignatureSize_data()
    {
        QTest::addColumn<double>("aspect");
        QTest::addColumn<QSize>("pixels");

        QTest::newRow("aspect 3") << 3.0 << QSize(1200, 400);
        QTest::newRow("extreme aspect") << 1400.0 << QSize(SignatureLibrary::previewMaxPixels, 3);
    }

    void previewHasTheSignatureSize()
    {
        QFETCH(double, aspect);
        QFETCH(QSize, pixels);

        SavedSignature drawn =
            *SignatureLibrary::drawn("el", {{QPointF(5, 20), QPointF(50, 80), QPointF(95, 30)}},
                                     2.6, InkColor::blue);
        drawn.aspect = aspect;
        const QImage preview = store().signatureImage(drawn);
        QCOMPARE(preview.size(), pixels);
        QVERIFY(std::abs(preview.deviceIndependentSize().width() / (200 * aspect) - 1) < 0.01);
        QCOMPARE(qAlpha(preview.pixel(0, 0)), 0);
    }

private:
    QString signaturesFolder() const { return m_environment->dataFolder() + "/signatures"; }
    QStringList storedImages() const
    {
        return QDir(signaturesFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QString pngFile() { return m_fixture->file("a.png", encoded(twoColours(80, 20), "PNG")); }
};

QTEST_MAIN(SignatureLibraryTest)
#include "SignatureLibraryTest.moc"
