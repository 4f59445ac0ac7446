#include "Fixtures.h"
#include "ImageFixtures.h"
#include "ocr/TesseractRecogniser.h"
#include "runner/ContainedRun.h"

#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <clocale>
#include <poppler-qt6.h>

using namespace PDFEngine;

namespace {

struct Word {
    QString text; // without the punctuation around it
    QRectF box;   // in points from the page's top left
};
using Words = QList<Word>;
enum class Look { clean, worn, upsideDown };

const QString turkish = QStringLiteral(
    "Sözleşmenin imzalandığı günden itibaren kiracı, aylık ödemeyi her ayın beşinci günü yapmakla "
    "yükümlüdür. Çağrı merkezine ulaşmak için İstanbul şubesine başvurunuz. Işık, güneş ve "
    "ağaçların gölgesi bahçeyi çok güzelleştiriyordu.");
const QString englishSpanish = QStringLiteral(
    "The tenant shall pay the monthly rent on the fifth day of each month. El niño pequeño comió "
    "mañana en casa de su abuela. La señora pidió información sobre el contrato. ¿Dónde está la "
    "oficina más cercana?");

QString bare(QString word)
{
    static const QRegularExpression punctuation(QStringLiteral("^\\p{P}+|\\p{P}+$"));
    return word.remove(punctuation);
}

// Scanner wear: a slight skew, speckles and JPEG loss.
QImage worn(const QImage& clean)
{
    QImage image(clean.size(), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.rotate(0.6);
    painter.drawImage(0, 0, clean);
    painter.end();
    QRandomGenerator random(27);
    for (int i = 0; i < 6000; ++i) {
        image.setPixel(random.bounded(image.width()), random.bounded(image.height()), 0);
    }
    return QImage::fromData(ImageFixtures::encoded(image, "JPG", 40));
}

// A PDF of one 5 × 3 inch page per text, each a picture of it at 300 dpi in grey (DejaVu Serif
// 12 pt); where each page's words were drawn.
QList<Words> writeScans(const QString& path, const QList<std::pair<QString, Look>>& pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QSizeF(360, 216), QPageSize::Point));
    writer.setPageMargins({});
    writer.setResolution(300);
    QPainter pdf(&writer);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(50);
    const QFontMetrics metrics(font);
    QList<Words> words;
    for (const auto& [text, look] : pages) {
        QImage image(1500, 900, QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        QPoint at(100, 100 + metrics.ascent());
        words.append(Words());
        for (const QString& word : text.split(u' ')) {
            const int advance = metrics.horizontalAdvance(word);
            if (at.x() + advance > 1400) {
                at = QPoint(100, at.y() + metrics.lineSpacing() + 20);
            }
            painter.drawText(at, word);
            const QRectF box(at.x(), at.y() - metrics.ascent(), advance, metrics.height());
            words.last().append({bare(word), QRectF(box.topLeft() * 0.24, box.size() * 0.24)});
            at.rx() += advance + metrics.horizontalAdvance(u' ');
        }
        painter.end();
        if (words.size() > 1) {
            writer.newPage();
        }
        pdf.drawImage(0, 0,
                      look == Look::clean  ? image
                      : look == Look::worn ? worn(image)
                                           : image.transformed(QTransform().rotate(180)));
    }
    return words;
}

// The words a PDF's page shows, each with where it stands.
Words wordsOn(const QByteArray& pdf, int page = 0)
{
    Words words;
    for (const auto& box : Poppler::Document::loadFromData(pdf)->page(page)->textList()) {
        words.append({bare(box->text()), box->boundingBox()});
    }
    return words;
}

QImage at72dpi(const QString& path, int page)
{
    return Poppler::Document::load(path)->page(page)->renderToImage(72, 72);
}

// How many drawn words were read back, each as often as drawn, and how many of those were read
// where they were drawn (the centre of the word read in the box it was drawn in).
std::pair<int, int> compare(const Words& drawn, Words read)
{
    std::pair<int, int> found;
    for (const Word& word : drawn) {
        const auto same = [&](const Word& r) { return r.text == word.text; };
        auto at = std::find_if(read.begin(), read.end(), [&](const Word& r) {
            return same(r) && word.box.contains(r.box.center());
        });
        found.second += at != read.end();
        at = at != read.end() ? at : std::find_if(read.begin(), read.end(), same);
        if (at != read.end()) {
            ++found.first;
            read.erase(at);
        }
    }
    return found;
}

} // namespace

// The real recogniser on generated scans: the words come back, where they were drawn, upright.
class RecognitionTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_pdf;
    QList<Words> m_drawn;
    QMap<int, RecognisedPage> m_read; // read on two threads, orientation detected

    QMap<int, RecognisedPage> recognise(TesseractRecogniser& recogniser, const QList<int>& pages,
                                        const QStringList& languages, bool orientation = false)
    {
        QMap<int, RecognisedPage> read;
        recogniser.recognise({{m_pdf, {}}, pages, languages, orientation, m_dir.path()},
                             [&](const RecognisedPage& page) {
                                 QCOMPARE(QThread::currentThread(), thread());
                                 read.insert(page.page, page);
                             });
        return read;
    }

private slots:
    void initTestCase()
    {
        std::setlocale(LC_ALL, "C"); // as the worker reads
        m_pdf = m_dir.filePath("scans.pdf");
        m_drawn = writeScans(m_pdf, {{turkish, Look::clean},
                                     {englishSpanish, Look::clean},
                                     {turkish, Look::worn},
                                     {englishSpanish, Look::upsideDown}});
        // Chosen as the window offers them by default, and all three: the order Tesseract is
        // given them in decides whether the Turkish letters and Spanish accents come back.
        TesseractRecogniser recogniser(2);
        m_read = recognise(recogniser, {0, 2}, {"eng", "tur"}, true);
        m_read.insert(recognise(recogniser, {3, 1}, {"eng", "tur", "spa"}, true));
        QCOMPARE(m_read.keys(), QList<int>({0, 1, 2, 3}));
    }

    void wordsComeBackInPlace_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<double>("least");
        QTest::addColumn<int>("turns");
        QTest::newRow("Turkish") << 0 << 0.95 << 0;
        QTest::newRow("English and Spanish") << 1 << 0.95 << 0;
        QTest::newRow("worn") << 2 << 0.9 << 0;
        QTest::newRow("upside down") << 3 << 0.95 << 2;
    }
    void wordsComeBackInPlace()
    {
        QFETCH(int, page);
        QFETCH(double, least);
        QFETCH(int, turns);
        const auto [found, inPlace] = compare(m_drawn[page], wordsOn(m_read[page].layer));
        QVERIFY2(found >= least * m_drawn[page].size(), qPrintable(QString::number(found)));
        QCOMPARE(inPlace, found);
        QCOMPARE(m_read[page].uprightTurns, turns);
    }

    void oneThreadReadsAsTwo()
    {
        TesseractRecogniser recogniser(1);
        const QMap<int, RecognisedPage> read = recognise(recogniser, {2, 0}, {"eng", "tur"});
        for (int page : {0, 2}) {
            QCOMPARE(Poppler::Document::loadFromData(read[page].layer)->page(0)->text({}),
                     Poppler::Document::loadFromData(m_read[page].layer)->page(0)->text({}));
        }
    }

    // Through the worker: a copy whose words can be found and which shows exactly what the scans
    // showed; cancelled, nothing at all.
    void workerMakesScansSearchable()
    {
        const QString scans = m_dir.filePath("iki.pdf");
        const QList<Words> drawn =
            writeScans(scans, {{englishSpanish, Look::clean}, {turkish, Look::clean}});
        OcrJob job;
        job.sources = {{scans, {}}};
        job.languages = {"tur", "spa"};
        job.pageCounts = {2};
        job.destination = m_dir.filePath("iki aranabilir.pdf");
        ContainedRun run;
        const auto outcome = run.run(job, RunLimits::forJob(job));
        QVERIFY(outcome && !outcome->failure);
        QVERIFY((outcome->recognition == QList<RecognitionTally>{{2, 0, 0}}));
        const QByteArray written = Fixtures::readBytes(job.destination);
        for (int page : {0, 1}) {
            QVERIFY(compare(drawn[page], wordsOn(written, page)).first >=
                    0.95 * drawn[page].size());
            QCOMPARE(at72dpi(job.destination, page), at72dpi(scans, page));
        }
        job.destination = m_dir.filePath("vazgeçilen.pdf");
        connect(&run, &ContainedRun::progress, &run, &ContainedRun::cancel);
        QVERIFY(!run.run(job, RunLimits::forJob(job)));
        QCOMPARE(Fixtures::entries(m_dir.path()),
                 (QStringList{"iki aranabilir.pdf", "iki.pdf", "scans.pdf"}));
    }

    // A language without its data is named: with no data at all, and with only it missing.
    void missingLanguageIsNamed()
    {
        const QTemporaryDir empty;
        TesseractRecogniser recogniser;
        for (const auto& [data, languages, named] :
             {std::tuple(QString(), QStringList{"tur", "xyz"}, "xyz"),
              std::tuple(empty.path(), QStringList{"tur", "spa"}, "İspanyolca")}) {
            if (!data.isEmpty()) {
                qputenv("TESSDATA_PREFIX", QFile::encodeName(data));
            }
            try {
                recognise(recogniser, {0, 1}, languages);
                QFAIL("read without its data");
            } catch (const std::runtime_error& error) {
                QCOMPARE(QString::fromUtf8(error.what()),
                         QString("Tanıma verisi kurulu değil: ") + named);
            }
        }
        qunsetenv("TESSDATA_PREFIX");
    }
};

QTEST_MAIN(RecognitionTest)
#include "RecognitionTest.moc"
