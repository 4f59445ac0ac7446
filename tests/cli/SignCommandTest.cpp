#include "CommandLine.h"
#include "DataCoding.h"
#include "Runner.h"

#include "Fixtures.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// leaflow-cli sign: reading its placements and stamping from signature files.
class SignCommandTest : public QObject {
    Q_OBJECT

private slots:
    void parsesPlacements();
    void rejectsUsage_data();
    void rejectsUsage();
    void stampsFromRecordAndImage();
    void unreadableSignatureFails();
};

namespace {

// The /Rect of every annotation on each page, in page order.
QList<QList<QRectF>> annotationRects(const QString& path)
{
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData());
    QList<QList<QRectF>> pages;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        QList<QRectF> rects;
        QPDFObjectHandle annots = page.getObjectHandle().getKey("/Annots");
        for (QPDFObjectHandle& annot : annots.isArray() ? annots.getArrayAsVector()
                                                         : std::vector<QPDFObjectHandle>{}) {
            const auto r = annot.getKey("/Rect").getArrayAsRectangle();
            rects.append(QRectF(r.llx, r.lly, r.urx - r.llx, r.ury - r.lly));
        }
        pages.append(rects);
    }
    return pages;
}

} // namespace

void SignCommandTest::parsesPlacements()
{
    const auto parsed = CommandLine::parse(
        {QStringLiteral("sign"), QStringLiteral("-o"), QStringLiteral("/tmp/out.pdf"),
         QStringLiteral("--password=pw"), QStringLiteral("/tmp/in.pdf"),
         QStringLiteral("--signature=/tmp/a.json"), QStringLiteral("--page=2"),
         QStringLiteral("--rect=0.1,0.2,0.3,0.4"), QStringLiteral("--signature=/tmp/b.png"),
         QStringLiteral("--page=1"), QStringLiteral("--rect=0,0,1,1")});
    QVERIFY(std::holds_alternative<CommandLine::Command>(parsed));
    const auto& command = std::get<CommandLine::Command>(parsed);
    QVERIFY(std::holds_alternative<CommandLine::Sign>(command));
    const auto& sign = std::get<CommandLine::Sign>(command);
    QCOMPARE(sign.input, (PDFSource{QStringLiteral("/tmp/in.pdf"), QStringLiteral("pw")}));
    QCOMPARE(sign.output, QStringLiteral("/tmp/out.pdf"));
    QCOMPARE(sign.placements.size(), 2);
    QCOMPARE(sign.placements[0].signatureFile, QStringLiteral("/tmp/a.json"));
    QCOMPARE(sign.placements[0].page, 2);
    QCOMPARE(sign.placements[0].rect, QRectF(0.1, 0.2, 0.3, 0.4));
    QCOMPARE(sign.placements[1].signatureFile, QStringLiteral("/tmp/b.png"));
    QCOMPARE(sign.placements[1].page, 1);
    QCOMPARE(sign.placements[1].rect, QRectF(0, 0, 1, 1));
}

void SignCommandTest::rejectsUsage_data()
{
    QTest::addColumn<QStringList>("arguments");

    const QStringList base{QStringLiteral("sign"), QStringLiteral("-o"), QStringLiteral("o.pdf"),
                           QStringLiteral("in.pdf")};
    const QString sig = QStringLiteral("--signature=s.png");
    const QString page = QStringLiteral("--page=1");
    const QString rect = QStringLiteral("--rect=0,0,0.5,0.5");
    QTest::newRow("no placement") << base;
    QTest::newRow("missing rect") << base + QStringList{sig, page};
    QTest::newRow("extra page") << base + QStringList{sig, page, rect, page};
    QTest::newRow("page zero") << base + QStringList{sig, QStringLiteral("--page=0"), rect};
    QTest::newRow("page not a number") << base + QStringList{sig, QStringLiteral("--page=x"), rect};
    QTest::newRow("three numbers") << base + QStringList{sig, page, QStringLiteral("--rect=0,0,1")};
    QTest::newRow("zero width") << base + QStringList{sig, page, QStringLiteral("--rect=0,0,0,1")};
    QTest::newRow("past the right edge")
        << base + QStringList{sig, page, QStringLiteral("--rect=0.6,0,0.5,0.5")};
    QTest::newRow("negative origin")
        << base + QStringList{sig, page, QStringLiteral("--rect=-0.1,0,0.5,0.5")};
    QTest::newRow("signature without a value")
        << base + QStringList{QStringLiteral("--signature"), page, rect};
    QTest::newRow("no output")
        << QStringList{QStringLiteral("sign"), QStringLiteral("in.pdf"), sig, page, rect};
    QTest::newRow("two inputs") << base + QStringList{QStringLiteral("b.pdf"), sig, page, rect};
}

void SignCommandTest::rejectsUsage()
{
    QFETCH(QStringList, arguments);
    QVERIFY(std::holds_alternative<CommandLine::UsageError>(CommandLine::parse(arguments)));
}

void SignCommandTest::stampsFromRecordAndImage()
{
    QTemporaryDir folder;
    const QString input = folder.filePath(QStringLiteral("in.pdf"));
    const QString output = folder.filePath(QStringLiteral("out.pdf"));
    Fixtures::writePdf(input, Fixtures::tagged(QStringLiteral("P"), 2));

    SavedSignature drawn;
    drawn.name = QStringLiteral("drawn");
    drawn.strokes = QList<Stroke>{{{0.1, 0.5}, {0.9, 0.5}}};
    const QString record = folder.filePath(QStringLiteral("drawn.json"));
    Fixtures::writeBytes(record, DataCoding::encodeSignature(drawn));
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const QString image = folder.filePath(QStringLiteral("scan.png"));
    QVERIFY(picture.save(image));

    const auto parsed = CommandLine::parse(
        {QStringLiteral("sign"), QStringLiteral("-o"), output, input,
         QStringLiteral("--signature=") + record, QStringLiteral("--page=2"),
         QStringLiteral("--rect=0,0,0.5,0.5"), QStringLiteral("--signature=") + image,
         QStringLiteral("--page=1"), QStringLiteral("--rect=0.5,0.5,0.5,0.5")});
    QCOMPARE(runCommand(std::get<CommandLine::Command>(parsed)), 0);

    // One-based pages: the record lands on page 2 at the top left, the image on
    // page 1 at the bottom right of a 612 x 792 page.
    QCOMPARE(annotationRects(output),
             (QList<QList<QRectF>>{{QRectF(306, 0, 306, 396)}, {QRectF(0, 396, 306, 396)}}));
    QVERIFY(Fixtures::qpdfCheckIsClean(output));
}

void SignCommandTest::unreadableSignatureFails()
{
    QTemporaryDir folder;
    const QString input = folder.filePath(QStringLiteral("in.pdf"));
    const QString output = folder.filePath(QStringLiteral("out.pdf"));
    Fixtures::writePdf(input, Fixtures::tagged(QStringLiteral("P"), 1));
    const QString junk = folder.filePath(QStringLiteral("junk.png"));
    Fixtures::writeBytes(junk, "neither an image nor a record");
    // A record with neither strokes nor an image has no art either.
    const QString empty = folder.filePath(QStringLiteral("empty.json"));
    Fixtures::writeBytes(empty, DataCoding::encodeSignature(SavedSignature{}));

    for (const QString& signature : {junk, empty, folder.filePath(QStringLiteral("none.png"))}) {
        const auto parsed = CommandLine::parse(
            {QStringLiteral("sign"), QStringLiteral("-o"), output, input,
             QStringLiteral("--signature=") + signature, QStringLiteral("--page=1"),
             QStringLiteral("--rect=0,0,1,1")});
        QCOMPARE(runCommand(std::get<CommandLine::Command>(parsed)), 1);
        QVERIFY(!QFile::exists(output));
    }
}

QTEST_MAIN(SignCommandTest)
#include "SignCommandTest.moc"
