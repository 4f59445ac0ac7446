#include "ScanPages.h"
#include "ocr/TesseractRecogniser.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <clocale>
#include <poppler-qt6.h>

using namespace PDFEngine;
using ScanPages::Look;

namespace {

// The words a text layer holds, each with where it stands, in points.
QList<ScanPages::Word> layerWords(const QByteArray& layer)
{
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(layer);
    const std::unique_ptr<Poppler::Page> page = document ? document->page(0) : nullptr;
    QList<ScanPages::Word> words;
    if (page) {
        for (const std::unique_ptr<Poppler::TextBox>& box : page->textList()) {
            words.append({ScanPages::bare(box->text()), box->boundingBox()});
        }
    }
    return words;
}

// The share of drawn words read back, each as often as it was drawn.
double recall(const QList<ScanPages::Word>& drawn, QList<ScanPages::Word> read)
{
    int found = 0;
    for (const ScanPages::Word& word : drawn) {
        const auto at = std::find_if(read.begin(), read.end(),
                                     [&](const ScanPages::Word& r) { return r.text == word.text; });
        if (at != read.end()) {
            ++found;
            read.erase(at);
        }
    }
    return double(found) / double(drawn.size());
}

// A read word whose centre lies in no box where that word was drawn.
std::optional<QString> misplaced(const QList<ScanPages::Word>& drawn, const QList<ScanPages::Word>& read)
{
    for (const ScanPages::Word& word : read) {
        const bool wasDrawn = std::any_of(drawn.begin(), drawn.end(),
                                          [&](const ScanPages::Word& d) { return d.text == word.text; });
        const bool inPlace = std::any_of(drawn.begin(), drawn.end(), [&](const ScanPages::Word& d) {
            return d.text == word.text && d.box.contains(word.box.center());
        });
        if (wasDrawn && !inPlace) {
            return word.text;
        }
    }
    return std::nullopt;
}

} // namespace

// The real recogniser on generated scans: the words come back, where they were drawn, upright.
class RecognitionTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_pdf;
    QList<QList<ScanPages::Word>> m_drawn;
    QMap<int, RecognisedPage> m_read; // read on two threads, orientation detected

    QMap<int, RecognisedPage> recognise(TesseractRecogniser& recogniser, const QList<int>& pages,
                                        const QStringList& languages, bool orientation = false)
    {
        QMap<int, RecognisedPage> read;
        recogniser.recognise({{m_pdf, {}}, pages, languages, orientation}, [&](RecognisedPage page) {
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
        m_drawn = ScanPages::write(m_pdf, {{ScanPages::turkish(), Look::clean},
                                           {ScanPages::englishSpanish(), Look::clean},
                                           {ScanPages::turkish(), Look::worn},
                                           {ScanPages::englishSpanish(), Look::upsideDown}});
        // With English chosen too, Tesseract reads a short Turkish page's first lines as English
        // and drops their accents, whatever order: a limit of its own, not the recogniser's.
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
        const QList<ScanPages::Word> read = layerWords(m_read[page].layer);
        QVERIFY2(recall(m_drawn[page], read) >= least, qPrintable(QString::number(recall(m_drawn[page], read))));
        QCOMPARE(misplaced(m_drawn[page], read).value_or(QString()), QString());
        QCOMPARE(m_read[page].uprightTurns, turns);
    }

    void oneThreadReadsAsTwo()
    {
        TesseractRecogniser recogniser(1);
        const QMap<int, RecognisedPage> read = recognise(recogniser, {2, 0}, {"tur"});
        for (int page : {0, 2}) {
            const std::unique_ptr<Poppler::Document> one = Poppler::Document::loadFromData(read[page].layer);
            const std::unique_ptr<Poppler::Document> two = Poppler::Document::loadFromData(m_read[page].layer);
            QCOMPARE(one->page(0)->text(QRectF()), two->page(0)->text(QRectF()));
        }
    }

    void missingLanguageIsNamed_data()
    {
        QTest::addColumn<bool>("emptyData");
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("named");
        QTest::newRow("no data at all") << true << QStringList{"tur", "spa"} << "Tanıma verisi kurulu değil: İspanyolca";
        QTest::newRow("one not installed") << false << QStringList{"tur", "xyz"} << "Tanıma verisi kurulu değil: xyz";
    }
    void missingLanguageIsNamed()
    {
        QFETCH(bool, emptyData);
        QFETCH(QStringList, languages);
        QFETCH(QString, named);
        const QTemporaryDir empty;
        if (emptyData) {
            qputenv("TESSDATA_PREFIX", QFile::encodeName(empty.path()));
        }
        TesseractRecogniser recogniser;
        try {
            recognise(recogniser, {0, 1}, languages);
            QFAIL("read without its data");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString::fromUtf8(error.what()), named);
        }
        qunsetenv("TESSDATA_PREFIX");
    }
};

QTEST_MAIN(RecognitionTest)
#include "RecognitionTest.moc"
