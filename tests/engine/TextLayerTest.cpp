#include "Placed.h"
#include "engine/include/Recognition.h"

#include "Fixtures.h"
#include "StructureFixtures.h"

#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <poppler-qt6.h>
#include <qpdf/Buffer.hh>
#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

using namespace PDFEngine;
using OH = QPDFObjectHandle;

namespace {

// A word as read, its box on the upright page (points from the top left).
struct Word {
    QString text;
    QRectF box;
};

QByteArray written(QPDF& pdf)
{
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.write();
    const std::shared_ptr<Buffer> data = writer.getBufferSharedPointer();
    return QByteArray(reinterpret_cast<const char*>(data->getBuffer()), qsizetype(data->getSize()));
}

// A layer as Tesseract makes one: each word invisible, spanning its box, in a glyph-less
// Identity-H font whose codes are the UTF-16 of the text.
QByteArray layerPdf(QSizeF size, const QList<Word>& words)
{
    QPDF pdf;
    pdf.emptyPDF();
    std::string content = "BT 3 Tr\n";
    for (const Word& word : words) {
        const QByteArray shown = QStringEncoder(QStringEncoder::Utf16BE)(word.text);
        // Font size 1, scaled by the text matrix: each code is half an em wide.
        content += "/F1 1 Tf " + std::to_string(2 * word.box.width() / double(word.text.size())) +
                   " 0 0 " + std::to_string(0.6 * word.box.height()) + " " +
                   std::to_string(word.box.x()) + " " +
                   std::to_string(size.height() - word.box.bottom() + 0.25 * word.box.height()) +
                   " Tm <" + shown.toHex().toStdString() + "> Tj\n";
    }
    OH page = OH::parse("<< /Type /Page /MediaBox [0 0 " + std::to_string(size.width()) + " " +
                        std::to_string(size.height()) +
                        "] /Resources << /Font << /F1 << /Type /Font /Subtype /Type0 /BaseFont "
                        "/GlyphLessFont /Encoding /Identity-H /DescendantFonts [<< /Type /Font "
                        "/Subtype /CIDFontType2 /BaseFont /GlyphLessFont /CIDSystemInfo << "
                        "/Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /DW 500 >>] >> "
                        ">> >> >>");
    OH font = page.getKey("/Resources").getKey("/Font").getKey("/F1");
    font.replaceKey("/ToUnicode",
                    pdf.newStream("1 begincodespacerange <0000> <FFFF> endcodespacerange "
                                  "1 beginbfrange <0000> <FFFF> <0000> endbfrange"));
    page.replaceKey("/Contents", pdf.newStream(content + "ET\n"));
    QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
    return written(pdf);
}

// Reads every page it is asked for as the same words, turned as told.
class FakeReader : public Recogniser {
public:
    QSizeF upright{400, 300};
    int turns = 0;
    QList<Word> words{{"Merhaba", {20, 30, 120, 24}},
                      {"dunya", {250, 240, 110, 20}},
                      {QString::fromUtf8("Işığı"), {40, 140, 100, 22}}};
    std::string error;

    void recognise(const RecognitionRequest& request,
                   const std::function<void(RecognisedPage)>& take) override
    {
        if (!error.empty()) {
            throw std::runtime_error(error);
        }
        for (int page : request.pages) {
            take(RecognisedPage{page, layerPdf(upright, words), turns});
        }
    }
};

enum class Kind { scan, text, invisible, formText, formLoop, unbalanced };

// 400 x 300 pages drawn with shapes alone or also showing text in one of the ways a page can.
void writeScans(const QString& path, const QList<Kind>& kinds, int rotate = 0, bool cropped = false)
{
    QPDF pdf;
    pdf.emptyPDF();
    const std::string shapes = "0 g 40 40 120 60 re f 0.5 g 250 150 60 120 re f\n";
    for (Kind kind : kinds) {
        OH resources = OH::parse("<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont "
                                 "/Helvetica >> >> /XObject << >> >>");
        OH form = pdf.newStream(kind == Kind::formLoop ? "/Fm1 Do" : "BT /F1 9 Tf (x) Tj ET");
        form.replaceDict(OH::parse("<< /Subtype /Form /BBox [0 0 400 300] >>"));
        form.getDict().replaceKey("/Resources", resources);
        resources.getKey("/XObject").replaceKey("/Fm1", form);
        const std::map<Kind, std::string> contents{
            {Kind::scan, shapes},
            {Kind::text, shapes + "BT /F1 20 Tf 50 200 Td (Hi) Tj ET"},
            {Kind::invisible, shapes + "BT 3 Tr /F1 20 Tf 50 200 Td [(H) 5 (i)] TJ ET"},
            {Kind::formText, shapes + "/Fm1 Do"},
            {Kind::formLoop, shapes + "/Fm1 Do"},
            {Kind::unbalanced, "0.5 0 0 0.5 0 0 cm q " + shapes}};
        OH page =
            OH::parse("<< /Type /Page /MediaBox [0 0 400 300] /Rotate " + std::to_string(rotate) +
                      (cropped ? " /CropBox [30 20 330 270]" : "") + " >>");
        page.replaceKey("/Resources", resources);
        page.replaceKey("/Contents", pdf.newStream(contents.at(kind)));
        QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)),
                                            false);
    }
    Fixtures::writeBytes(path, written(pdf));
}

QList<std::pair<QString, QRectF>> wordsOn(const QString& path, int page)
{
    QList<std::pair<QString, QRectF>> found;
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    for (const std::unique_ptr<Poppler::TextBox>& box : document->page(page)->textList()) {
        const bool forwards = box->charBoundingBox(0).center().x() <
                              box->boundingBox().center().x();
        found.append({box->text() + (forwards ? "" : " (turned)"), box->boundingBox()});
    }
    return found;
}

QImage render(const QString& path, int page)
{
    return Poppler::Document::load(path)->page(page)->renderToImage(72, 72);
}

// Each page's content, its streams joined.
QByteArrayList contentsOf(const QString& path)
{
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData());
    QByteArrayList pages;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        std::string content;
        Pl_String sink("contents", nullptr, content);
        page.pipeContents(&sink);
        pages.append(QByteArray::fromStdString(content));
    }
    return pages;
}

} // namespace

// Laying text layers over pages with a recogniser that reads known words.
class TextLayerTest : public QObject {
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    std::shared_ptr<FakeReader> m_reader;

    QString file(const QString& name) const { return m_dir->filePath(name); }

    RecognitionTally recognised(const QString& source, const QString& out, bool redo = false,
                                bool turnPages = false)
    {
        const OcrJob job{{}, {"eng", "tur"}, redo, turnPages, {}, {}, {}, {}, false};
        return placed(folderOf(out), [&](auto& to) {
            return recognizeText({source, {}}, job, out, to);
        });
    }

private slots:
    void init()
    {
        m_dir.emplace();
        m_reader = std::make_shared<FakeReader>();
        useRecogniser(m_reader);
    }

    void placesWordsWhereTheyWereRead_data()
    {
        QTest::addColumn<int>("rotate");
        QTest::addColumn<bool>("cropped");
        QTest::addColumn<int>("turns"); // as read
        QTest::addColumn<bool>("turnPages");
        QTest::newRow("upright") << 0 << false << 0 << false;
        QTest::newRow("rotate 90, cropped") << 90 << true << 0 << false;
        QTest::newRow("rotate 270, cropped") << 270 << true << 0 << false;
        QTest::newRow("read upside down") << 0 << false << 2 << false;
        QTest::newRow("read sideways, rotate 90") << 90 << true << 1 << false;
        QTest::newRow("turned: upside down") << 0 << false << 2 << true;
        QTest::newRow("turned: sideways on 90") << 90 << true << 3 << true;
    }

    void placesWordsWhereTheyWereRead()
    {
        QFETCH(int, rotate);
        QFETCH(bool, cropped);
        QFETCH(int, turns);
        QFETCH(bool, turnPages);
        QSizeF upright = cropped ? QSizeF(300, 250) : QSizeF(400, 300);
        upright = (rotate / 90 + turns) % 2 ? upright.transposed() : upright;
        m_reader->upright = upright;
        m_reader->turns = turns;
        m_reader->words[1].box.moveTo(upright.width() - 130, upright.height() - 40);
        // Content that leaves a graphics state open, which the layer must not be drawn in.
        writeScans(file("scan.pdf"), {Kind::unbalanced}, rotate, cropped);

        const bool turned = turnPages && turns != 0;
        QCOMPARE(recognised(file("scan.pdf"), file("out.pdf"), false, turnPages),
                 (RecognitionTally{1, 0, turned ? 1 : 0}));
        const QList<std::pair<QString, QRectF>> words = wordsOn(file("out.pdf"), 0);
        // Turned back onto the page as displayed, unless the page was turned upright.
        QTransform back;
        back.rotate(turned ? 0 : -90 * turns);
        const QPointF origin = back.mapRect(QRectF(QPointF(), upright)).topLeft();
        for (const Word& word : m_reader->words) {
            const QRectF expected = back.mapRect(word.box).translated(-origin);
            const QString text = word.text + (turned || turns == 0 ? "" : " (turned)");
            const auto there = [&](const auto& found) {
                return found.first == text &&
                       expected.adjusted(-1, -1, 1, 1).contains(found.second);
            };
            QVERIFY2(std::any_of(words.begin(), words.end(), there), qPrintable(text));
        }
        QCOMPARE(Fixtures::readLayouts(file("out.pdf")).front().first,
                 (rotate + 90 * (turned ? turns : 0)) % 360);
        if (!turned) {
            QCOMPARE(render(file("out.pdf"), 0), render(file("scan.pdf"), 0));
        }
        QVERIFY(Fixtures::qpdfCheckIsClean(file("out.pdf")));
    }

    void readsOnlyPagesWithoutText()
    {
        writeScans(file("mixed.pdf"), {Kind::scan, Kind::text, Kind::invisible, Kind::formText,
                                       Kind::formLoop, Kind::scan});

        QCOMPARE(recognised(file("mixed.pdf"), file("out.pdf")), (RecognitionTally{3, 3, 0}));

        const QByteArrayList before = contentsOf(file("mixed.pdf")),
                             after = contentsOf(file("out.pdf"));
        for (int page : {1, 2, 3}) {
            QCOMPARE(after[page], before[page]);
        }
        for (int page : {0, 4, 5}) {
            QCOMPARE(after[page].count("/LfText"), 1);
            QCOMPARE(render(file("out.pdf"), page), render(file("mixed.pdf"), page));
        }
        // One glyph-less font for every layer.
        QCOMPARE(Fixtures::countObjectsOfType(file("out.pdf"), "/Type0"), 1);
        // Forms, bookmarks, labels, links and attachments stay with their pages.
        StructureFixtures::writeRich(file("rich.pdf"), true);
        QCOMPARE(recognised(file("rich.pdf"), file("rich2.pdf")), (RecognitionTally{6, 0, 0}));
        QCOMPARE(StructureFixtures::describe(file("rich2.pdf")),
                 StructureFixtures::describe(file("rich.pdf")));
    }

    void redoReplacesOnlyItsOwnLayer()
    {
        writeScans(file("doc.pdf"), {Kind::scan, Kind::text});
        recognised(file("doc.pdf"), file("once.pdf"));
        QCOMPARE(recognised(file("once.pdf"), file("again.pdf")), (RecognitionTally{0, 2, 0}));

        QString from = file("once.pdf");
        for (const QString& to : {file("redo1.pdf"), file("redo2.pdf")}) {
            QCOMPARE(recognised(from, to, true), (RecognitionTally{1, 1, 0}));
            // One layer of ours, drawn once; the page with text of its own as it was.
            QCOMPARE(Fixtures::countObjectsOfType(to, "/Form"),
                     Fixtures::countObjectsOfType(file("doc.pdf"), "/Form") + 1);
            QCOMPARE(contentsOf(to)[0].count(" Do"), 1);
            QCOMPARE(contentsOf(to)[1], contentsOf(file("doc.pdf"))[1]);
            QVERIFY(Fixtures::qpdfCheckIsClean(to));
            // Another tool may join the page's content streams, ours among them, into one.
            QProcess::execute("qpdf", {"--coalesce-contents", "--replace-input", to});
            from = to;
        }
    }

    void readsNothingItNeedNot()
    {
        writeScans(file("text.pdf"), {Kind::text});
        writeScans(file("scan.pdf"), {Kind::scan});
        m_reader->error = "Türkçe dil verisi kurulu değil.";
        QCOMPARE(failureOf([&] { recognised(file("scan.pdf"), file("c.pdf")); }),
                 QString::fromStdString(m_reader->error));
        useRecogniser(nullptr);
        QCOMPARE(recognised(file("text.pdf"), file("a.pdf")), (RecognitionTally{0, 1, 0}));
        QCOMPARE(failureOf([&] { recognised(file("scan.pdf"), file("b.pdf")); }),
                 QString::fromUtf8("Metin tanıma bu kurulumda kullanılamıyor."));
        QCOMPARE(Fixtures::entries(m_dir->path()), (QStringList{"scan.pdf", "text.pdf"}));
    }
};

QTEST_GUILESS_MAIN(TextLayerTest)
#include "TextLayerTest.moc"
