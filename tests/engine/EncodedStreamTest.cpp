#include "engine/compress/EncodedStream.h"
#include "ImageFixtures.h"
#include "engine/compress/StreamData.h"

#include <qpdf/QPDF.hh>

#include <QTest>
#include <cstdlib>
#include <new>

// The largest allocation while recording: a decoder gathering a bomb's output would show.
namespace {
thread_local bool t_recording = false;
thread_local size_t t_largest = 0;
} // namespace

void* operator new(std::size_t size)
{
    if (t_recording) {
        t_largest = std::max(t_largest, size);
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

using ImageFixtures::deflate;
using ImageFixtures::photoSamples;
using ImageFixtures::pngPredicted;
using ImageFixtures::tiffPredicted;

namespace {

constexpr int width = 300;
constexpr int height = 20;

// Rows of the five PNG types in turn.
QByteArray png(int colours)
{
    return pngPredicted(photoSamples(width, height, colours), width * colours, colours);
}

QByteArray parms(const char* predictor, int colours, int columns = width)
{
    return QByteArray("<< /Predictor ") + predictor + " /Colors " + QByteArray::number(colours) +
           " /Columns " + QByteArray::number(columns) + " /BitsPerComponent 8 >>";
}

} // namespace

// Flate image data inflated away from the document decodes exactly as qpdf's own decoder does.
class EncodedStreamTest : public QObject {
    Q_OBJECT

private slots:
    void sameAsQpdf_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QByteArray>("filter");
        QTest::addColumn<QByteArray>("parms");
        QTest::addColumn<int>("colours");
        QTest::addColumn<bool>("taken"); // read for a worker, rather than left to qpdf
        QTest::addColumn<bool>("decodes");
        QTest::addColumn<QByteArray>("samples"); // what it decodes to, when known

        const QByteArray fl = "/FlateDecode";
        const QByteArray grey = photoSamples(width, height, 1);
        QTest::newRow("Flate") << deflate(grey) << fl << QByteArray() << 1 << true << true << grey;
        QTest::newRow("Flate, abbreviated in an array")
            << deflate(grey) << QByteArray("[/Fl]") << QByteArray() << 1 << true << true << grey;
        QTest::newRow("unfiltered")
            << grey << QByteArray() << QByteArray() << 1 << true << true << grey;
        // Rows of the five types in turn, for pixels of one to five bytes.
        for (int colours : {1, 2, 3, 4, 5}) {
            QTest::addRow("PNG rows of every type, %d colours", colours)
                << deflate(png(colours)) << fl << parms("15", colours) << colours << true << true
                << photoSamples(width, height, colours);
        }
        QTest::newRow("PNG parameters in a one-item array")
            << deflate(png(1)) << fl << "[" + parms("10", 1) + "]" << 1 << true << true << grey;
        QTest::newRow("TIFF, RGB")
            << deflate(tiffPredicted(photoSamples(width, height, 3), width * 3, 3)) << fl
            << parms("2", 3) << 3 << true << true << photoSamples(width, height, 3);

        // Malformed data: whatever qpdf makes of it, the worker makes too.
        QByteArray unknown = grey;
        for (int y = height - 1; y >= 0; --y) {
            unknown.insert(static_cast<qsizetype>(y) * width, '\x07');
        }
        QTest::newRow("PNG unknown row type passes through")
            << deflate(unknown) << fl << parms("15", 1) << 1 << true << true << grey;
        QTest::newRow("PNG last row cut short")
            << deflate(png(1).chopped(100)) << fl << parms("15", 1) << 1 << true << true
            << QByteArray();
        QTest::newRow("Flate without its checksum")
            << deflate(grey).chopped(4) << fl << QByteArray() << 1 << true << true << grey;
        QTest::newRow("short") << deflate(grey.chopped(width)) << fl << QByteArray() << 1 << true
                               << false << QByteArray();
        QTest::newRow("corrupt Flate")
            << QByteArray(500, 'x') << fl << QByteArray() << 1 << true << false << QByteArray();
        QTest::newRow("rows wider than the whole image")
            << deflate(QByteArray(40000, '\0')) << fl << parms("15", 1, 20000) << 1 << true << false
            << QByteArray();

        // Left to qpdf, which decodes these where the document lives.
        QTest::newRow("ASCIIHex then Flate")
            << deflate(grey).toHex() << QByteArray("[/AHx /FlateDecode]") << QByteArray() << 1
            << false << true << grey;
        QTest::newRow("16-bit predictor")
            << deflate(png(1)) << fl << QByteArray("<< /Predictor 15 /BitsPerComponent 16 >>") << 1
            << false << false << QByteArray();
        QTest::newRow("two parameter sets for one filter")
            << deflate(grey) << fl << QByteArray("[null null]") << 1 << false << false
            << QByteArray();
    }

    void sameAsQpdf()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QByteArray, filter);
        QFETCH(QByteArray, parms);
        QFETCH(int, colours);
        QFETCH(bool, taken);
        QFETCH(bool, decodes);
        QFETCH(QByteArray, samples);

        const size_t expected = static_cast<size_t>(width) * height * colours;
        QPDFObjectHandle s = stream(raw, filter, parms);
        const std::optional<std::string> byQpdf = StreamData::decode(s, expected);
        const std::optional<EncodedStream> encoded = EncodedStream::take(s, expected);

        QCOMPARE(encoded.has_value(), taken);
        QCOMPARE(byQpdf.has_value(), decodes);
        if (encoded) {
            QCOMPARE(encoded->raw, raw.toStdString());
            const std::optional<std::string> byWorker = encoded->decode(expected);
            QCOMPARE(byWorker.has_value(), decodes);
            if (byWorker) {
                QCOMPARE(QByteArray::fromStdString(*byWorker), QByteArray::fromStdString(*byQpdf));
            }
        }
        if (byQpdf && !samples.isEmpty()) {
            QCOMPARE(QByteArray::fromStdString(*byQpdf), samples);
        }
    }

    // Without a predictor and through PNG rows (of 1001 bytes each).
    void bombStaysWithinItsSize()
    {
        for (const auto& [decodeParms, rowBytes] :
             {std::pair{QByteArray(), 0}, std::pair{parms("15", 1, 1000), 1001}}) {
            // A 1000 x 1000 grey image whose few kilobytes inflate to 64 MB.
            const size_t expected = size_t{1000} * 1000;
            const QByteArray raw = deflate(QByteArray(64 << 20, '\0'));
            QPDFObjectHandle s = stream(raw, "/FlateDecode", decodeParms);
            const std::optional<EncodedStream> encoded = EncodedStream::take(s, expected);
            QVERIFY(encoded.has_value());
            QCOMPARE(encoded->raw.size(), static_cast<size_t>(raw.size()));

            t_largest = 0;
            t_recording = true;
            const std::optional<std::string> decoded = encoded->decode(expected);
            t_recording = false;
            QVERIFY(!decoded.has_value());
            // The image's own bytes, an inflate buffer and a row or two, never the bomb's output.
            QVERIFY2(t_largest <= expected + 65536 + 2 * static_cast<size_t>(rowBytes),
                     qPrintable(QString::number(t_largest)));
            QVERIFY(t_largest >= expected); // the recording saw the image's own buffer
        }
    }

    void initTestCase()
    {
        m_pdf.setSuppressWarnings(true);
        m_pdf.emptyPDF();
    }

private:
    QPDFObjectHandle stream(const QByteArray& raw, const QByteArray& filter,
                            const QByteArray& decodeParms)
    {
        QPDFObjectHandle s = m_pdf.newStream(raw.toStdString());
        if (!filter.isEmpty()) {
            s.getDict().replaceKey("/Filter", QPDFObjectHandle::parse(filter.toStdString()));
        }
        if (!decodeParms.isEmpty()) {
            s.getDict().replaceKey("/DecodeParms",
                                   QPDFObjectHandle::parse(decodeParms.toStdString()));
        }
        return s;
    }

    QPDF m_pdf;
};

QTEST_GUILESS_MAIN(EncodedStreamTest)
#include "EncodedStreamTest.moc"
