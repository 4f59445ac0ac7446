#include "Fixtures.h"
#include "ocr/TesseractRecogniser.h"
#include "runner/ContainedRun.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
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
    while (!word.isEmpty() && word.front().isPunct()) {
        word.remove(0, 1);
    }
    while (!word.isEmpty() && word.back().isPunct()) {
        word.chop(1);
    }
    return word;
}

// The text in DejaVu Serif 12 pt on a 5 × 3 inch picture at 300 dpi, in grey; where each word went.
Words draw(QImage& image, const QString& text)
{
    image = QImage(1500, 900, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(50);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    QPoint at(100, 100 + metrics.ascent());
    Words words;
    for (const QString& word : text.split(u' ')) {
        const int advance = metrics.horizontalAdvance(word);
        if (at.x() + advance > 1400) {
            at = QPoint(100, at.y() + metrics.lineSpacing() + 20);
        }
        painter.drawText(at, word);
        const QRectF box(at.x(), at.y() - metrics.ascent(), advance, metrics.height());
        words.append({bare(word), QRectF(box.topLeft() * 0.24, box.size() * 0.24)});
        at.rx() += advance + metrics.horizontalAdvance(u' ');
    }
    return words;
}

// Scanner wear: a slight skew, speckles and JPEG loss.
QImage worn(const QImage& clean)
{
    QImage image(clean.size(), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.rotate(0.6);
    painter.drawImage(0, 0, clean);
    painter.end();
    QRandomGenerator random(27);
    for (int i = 0; i < 6000; ++i) {
        image.setPixel(random.bounded(image.width()), random.bounded(image.height()),
                       random.bounded(2) ? qRgb(0, 0, 0) : qRgb(160, 160, 160));
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 40);
    return QImage::fromData(jpeg).convertToFormat(QImage::Format_Grayscale8);
}

// A PDF of one scanned page per text; each page's words.
QList<Words> writeScans(const QString& path, const QList<std::pair<QString, Look>>& pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QSizeF(360, 216), QPageSize::Point));
    writer.setPageMargins({});
    writer.setResolution(300);
    QPainter painter(&writer);
    QList<Words> words;
    for (const auto& [text, look] : pages) {
        if (!words.isEmpty()) {
            writer.newPage();
        }
        QImage image;
        words.append(draw(image, text));
        if (look != Look::clean) {
            image = look == Look::worn ? worn(image) : image.transformed(QTransform().rotate(180));
        }
        painter.drawImage(0, 0, image);
    }
    return words;
}

// The words a PDF's page shows, each with where it stands.
Words wordsOn(const QByteArray& pdf, int page = 0)
{
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(pdf);
    Words words;
    for (const auto& box : document->page(page)->textList()) {
        words.append({bare(box->text()), box->boundingBox()});
    }
    return words;
}

QImage at72dpi(const QString& path, int page)
{
    return Poppler::Document::load(path)->page(page)->renderToImage(72, 72);
}

// The share of the drawn words read back (each as often as drawn), and the first word read
// whose centre lies in none of the boxes it was drawn in.
std::pair<double, QString> compare(const Words& drawn, Words read)
{
    QString misplaced;
    for (const Word& word : read) {
        const auto sameIn = [&](bool inPlace) {
            return std::any_of(drawn.begin(), drawn.end(), [&](const Word& d) {
                return d.text == word.text && (!inPlace || d.box.contains(word.box.center()));
            });
        };
        if (misplaced.isEmpty() && sameIn(false) && !sameIn(true)) {
            misplaced = word.text;
        }
    }
    qsizetype found = 0;
    for (const Word& word : drawn) {
        const auto at = std::find_if(read.begin(), read.end(),
                                     [&](const Word& r) { return r.text == word.text; });
        if (at != read.end()) {
            ++found;
            read.erase(at);
        }
    }
    return {double(found) / double(drawn.size()), misplaced};
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
        recogniser.recognise({{m_pdf, {}}, pages, languages, orientation},
                             [&](RecognisedPage page) {
                                 QCOMPARE(QThread::currentThread(), thread());
                                 read.insert(page.page, std::move(page));
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
        // With English chosen too, Tesseract reads a short Turkish page's first lines as English
        // and drops their accents, whatever the order: a limit of its own, not the recogniser's.
        TesseractRecogniser recogniser(2);
        m_read = recognise(recogniser, {0, 2}, {"tur"}, true);
        m_read.insert(recognise(recogniser, {3, 1}, {"spa", "eng"}, true));
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
        const auto [recall, misplaced] = compare(m_drawn[page], wordsOn(m_read[page].layer));
        QVERIFY2(recall >= least, qPrintable(QString::number(recall)));
        QCOMPARE(misplaced, QString());
        QCOMPARE(m_read[page].uprightTurns, turns);
    }

    void oneThreadReadsAsTwo()
    {
        TesseractRecogniser recogniser(1);
        const QMap<int, RecognisedPage> read = recognise(recogniser, {2, 0}, {"tur"});
        for (int page : {0, 2}) {
            const auto words = [](const QByteArray& layer) {
                QStringList texts;
                for (const Word& word : wordsOn(layer)) {
                    texts.append(word.text);
                }
                return texts;
            };
            QCOMPARE(words(read[page].layer), words(m_read[page].layer));
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
        for (int page : {0, 1}) {
            QVERIFY(
                compare(drawn[page], wordsOn(Fixtures::readBytes(job.destination), page)).first >=
                0.95);
            QCOMPARE(at72dpi(job.destination, page), at72dpi(scans, page));
        }
        job.destination = m_dir.filePath("vazgeçilen.pdf");
        connect(&run, &ContainedRun::progress, &run, &ContainedRun::cancel);
        QVERIFY(!run.run(job, RunLimits::forJob(job)));
        QCOMPARE(Fixtures::entries(m_dir.path()),
                 (QStringList{"iki aranabilir.pdf", "iki.pdf", "scans.pdf"}));
    }

    void missingLanguageIsNamed_data()
    {
        QTest::addColumn<bool>("noData");
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("named");
        QTest::newRow("no data at all") << true << QStringList{"tur", "spa"} << "İspanyolca";
        QTest::newRow("one not installed") << false << QStringList{"tur", "xyz"} << "xyz";
    }
    void missingLanguageIsNamed()
    {
        QFETCH(bool, noData);
        QFETCH(QStringList, languages);
        QFETCH(QString, named);
        const QTemporaryDir empty;
        if (noData) {
            qputenv("TESSDATA_PREFIX", QFile::encodeName(empty.path()));
        }
        TesseractRecogniser recogniser;
        try {
            recognise(recogniser, {0, 1}, languages);
            QFAIL("read without its data");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString::fromUtf8(error.what()), "Tanıma verisi kurulu değil: " + named);
        }
        qunsetenv("TESSDATA_PREFIX");
    }
};

QTEST_MAIN(RecognitionTest)
#include "RecognitionTest.moc"
