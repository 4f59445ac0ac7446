#include "DataFile.h"
#include "Fixtures.h"
#include "PlacementMath.h"
#include "StoreTestCase.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <limits>

namespace {

// One stamp annotation as the output file holds it.
struct Stamp {
    QRectF rect; // PDF user space
    bool drawsImage = false;
    QByteArray blendMode;
};

QList<QList<Stamp>> stampsByPage(const QString& file)
{
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(file).constData());
    QList<QList<Stamp>> pages;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        QList<Stamp> stamps;
        QPDFObjectHandle annots = page.getObjectHandle().getKey("/Annots");
        for (QPDFObjectHandle& annot :
             annots.isArray() ? annots.getArrayAsVector() : std::vector<QPDFObjectHandle>{}) {
            if (annot.getKey("/Subtype").isNameAndEquals("/Stamp")) {
                const QPDFObjectHandle::Rectangle r = annot.getKey("/Rect").getArrayAsRectangle();
                QPDFObjectHandle resources =
                    annot.getKey("/AP").getKey("/N").getDict().getKey("/Resources");
                QPDFObjectHandle blend =
                    resources.getKey("/ExtGState").getKey("/GS0").getKey("/BM");
                stamps << Stamp{QRectF(r.llx, r.lly, r.urx - r.llx, r.ury - r.lly),
                                resources.getKey("/XObject").getKey("/Im0").isStream(),
                                blend.isName() ? QByteArray::fromStdString(blend.getName())
                                               : QByteArray()};
            }
        }
        pages << stamps;
    }
    return pages;
}

QList<int> stampCounts(const QList<QList<Stamp>>& pages)
{
    QList<int> counts;
    for (const QList<Stamp>& stamps : pages) {
        counts << int(stamps.size());
    }
    return counts;
}

// A normalised rectangle on an upright page of `page` points, in PDF user space.
QRectF onPage(const QRectF& r, QSizeF page)
{
    return QRectF(r.x() * page.width(), (1 - r.bottom()) * page.height(), r.width() * page.width(),
                  r.height() * page.height());
}

bool near(const QRectF& a, const QRectF& b, double tolerance)
{
    return std::abs(a.left() - b.left()) < tolerance && std::abs(a.top() - b.top()) < tolerance &&
           std::abs(a.right() - b.right()) < tolerance &&
           std::abs(a.bottom() - b.bottom()) < tolerance;
}

QByteArray pngOf(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(width / 4, height / 3, width / 2, height / 3, Qt::black);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool near(const QRectF& a, const QRectF& b)
{
    const double tolerance = 1e-9;
    return std::abs(a.x() - b.x()) < tolerance && std::abs(a.y() - b.y()) < tolerance &&
           std::abs(a.width() - b.width()) < tolerance &&
           std::abs(a.height() - b.height()) < tolerance;
}

QString describe(const QRectF& r)
{
    return QStringLiteral("(%1, %2, %3, %4)")
        .arg(r.x(), 0, 'g', 12)
        .arg(r.y(), 0, 'g', 12)
        .arg(r.width(), 0, 'g', 12)
        .arg(r.height(), 0, 'g', 12);
}

#define COMPARE_RECT(actual, expected)                                                             \
    QVERIFY2(near(actual, expected),                                                               \
             qPrintable(describe(actual) + QStringLiteral(" != ") + describe(expected)))

SavedSignature signatureOf(double aspect)
{
    SavedSignature signature;
    signature.id = QUuid::createUuid();
    signature.name = QStringLiteral("İmza");
    signature.strokes = QList<Stroke>{{QPointF(0.1, 0.5), QPointF(0.9, 0.5)}};
    signature.aspect = aspect;
    return signature;
}

const double notANumber = std::numeric_limits<double>::quiet_NaN();

Fixtures::Page pageOf(double width, double height, int rotate = 0,
                      std::optional<QRectF> cropBox = std::nullopt)
{
    Fixtures::Page page;
    page.tag = QStringLiteral("p");
    page.width = width;
    page.height = height;
    page.rotate = rotate;
    page.cropBox = cropBox;
    return page;
}

} // namespace

// The sign tool: where signatures land on a page and how drags move and resize
// them, then which placements the run stamps and its save panel; the road every
// run shares (busy mark, failures, reveal) is RunsTest's.
class SignRunTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void placedRect_data();
    void placedRect();
    void movedRect_data();
    void movedRect();
    void resizedRect_data();
    void resizedRect();

    void placeWithoutDocumentDoesNothing();
    void placeUsesTheDisplayedPageAndSelects_data();
    void placeUsesTheDisplayedPageAndSelects();
    void cascadeCountsOnlyTheShownPage();
    void moveAndResizeChangeOnlyTheirPlacement();
    void dragOfRemovedPlacementDoesNothing();
    void removeClearsTheSelection();

    void signsPageTwoEndToEnd();
    void imageSignatureIsStampedWithMultiply();
    void missingSignaturesAreLeftOut();
    void nothingLeftToStampDoesNotStart();
    void cancelledSavePanelEndsSilently();
    void protectedInputGivesAnOpenCopy();

private:
    // Admits a document of the given pages for signing.
    void admit(const QList<Fixtures::Page>& pages);
    SavedSignature addDrawn(const QString& name)
    {
        store().addDrawnSignature(name, {{QPointF(10, 40), QPointF(60, 10), QPointF(120, 45)}}, 2.6,
                                  InkColor::black);
        return store().data().signatures.last();
    }
};

void SignRunTest::signsPageTwoEndToEnd()
{
    const QString input = m_fixture->pdf("Sözleşme.pdf", 3);
    store().addFiles({input}, AppSection::sign);
    QVERIFY(store().signFile());
    const SavedSignature signature = addDrawn("Paraf");
    store().setSignPage(1);
    store().place(signature);
    const QList<Placement> placements = store().placements();

    const QString output = m_fixture->path("Sözleşme imzalı.pdf");
    m_fixture->panels.saveAnswers = {output};
    store().run(AppSection::sign);
    QCOMPARE(store().busy(), std::optional(AppSection::sign));
    QVERIFY(m_fixture->waitIdle());

    QCOMPARE(m_fixture->panels.calls, QStringList{"save(Sözleşme imzalı)"});
    const qint64 size = QFileInfo(output).size();
    QVERIFY(size > 0);
    QVERIFY(store().banner(AppSection::sign)->text.startsWith("Hazır: Sözleşme imzalı.pdf · "));
    QCOMPARE(store().banner(AppSection::sign)->outputs, QStringList{output});

    const std::optional<AppData> saved = DataFile().load();
    QVERIFY(saved);
    QCOMPARE(saved->history.size(), 1);
    const HistoryItem& item = saved->history.first();
    QCOMPARE(item.tool, QStringLiteral("sign"));
    QCOMPARE(item.inputs, QStringList{"Sözleşme.pdf"});
    QCOMPARE(item.outputs, QStringList{output});
    QCOMPARE(item.bytesBefore, QFileInfo(input).size());
    QCOMPARE(item.bytesAfter, size);
    QCOMPARE(saved->signatures, QList<SavedSignature>{signature});

    // The copy keeps every page and carries the stamp on page 2 only, where it was placed.
    const QStringList tags = Fixtures::readTags(input);
    QCOMPARE(tags.size(), 3);
    QCOMPARE(Fixtures::readTags(output), tags);
    const auto stamps = stampsByPage(output);
    QCOMPARE(stampCounts(stamps), (QList<int>{0, 1, 0}));
    QVERIFY(near(stamps[1][0].rect, onPage(placements[0].rect, QSizeF(612, 792)), 0.5));
    QVERIFY(!stamps[1][0].drawsImage);

    QCOMPARE(store().placements(), placements); // they stay after the run
    QVERIFY(m_fixture->reveal.revealed.isEmpty());
}

void SignRunTest::imageSignatureIsStampedWithMultiply()
{
    store().addFiles({m_fixture->pdf("Belge.pdf", 1)}, AppSection::sign);
    QVERIFY(store().addImageSignature(m_fixture->file("imza.png", pngOf(300, 100)), ""));
    store().place(store().data().signatures.first());

    const QString output = m_fixture->path("Belge imzalı.pdf");
    m_fixture->panels.saveAnswers = {output};
    store().run(AppSection::sign);
    QVERIFY(m_fixture->waitIdle());

    QVERIFY(store().banner(AppSection::sign) && !store().banner(AppSection::sign)->isError);
    const auto stamps = stampsByPage(output);
    QCOMPARE(stampCounts(stamps), QList<int>{1});
    QVERIFY(stamps[0][0].drawsImage);
    QCOMPARE(stamps[0][0].blendMode, QByteArray("/Multiply"));
}

void SignRunTest::missingSignaturesAreLeftOut()
{
    store().addFiles({m_fixture->pdf("Sözleşme.pdf", 3)}, AppSection::sign);
    const SavedSignature kept = addDrawn("kalır");
    QVERIFY(store().addImageSignature(m_fixture->file("imza.png", pngOf(200, 100)), "resim"));
    const SavedSignature lostImage = store().data().signatures.last();
    SavedSignature neverSaved = kept;
    neverSaved.id = QUuid::createUuid();

    store().place(lostImage);
    store().place(neverSaved);
    store().setSignPage(2);
    store().place(kept); // on page 3 while page 1 is not shown
    store().setSignPage(0);
    QVERIFY(QFile::remove(m_environment->dataFolder() + "/signatures/" + *lostImage.imageFile));

    const QString output = m_fixture->path("out.pdf");
    m_fixture->panels.saveAnswers = {output};
    store().run(AppSection::sign);
    QVERIFY(m_fixture->waitIdle());

    QCOMPARE(stampCounts(stampsByPage(output)), (QList<int>{0, 0, 1}));
    QCOMPARE(store().placements().size(), 3);
}

void SignRunTest::nothingLeftToStampDoesNotStart()
{
    store().addFiles({m_fixture->pdf("Sözleşme.pdf", 1)}, AppSection::sign);
    QVERIFY(store().addImageSignature(m_fixture->file("imza.png", pngOf(200, 100)), "resim"));
    const SavedSignature image = store().data().signatures.first();
    store().place(image);
    SavedSignature stranger = image;
    stranger.id = QUuid::createUuid();
    store().place(stranger);
    QVERIFY(QFile::remove(m_environment->dataFolder() + "/signatures/" + *image.imageFile));
    m_fixture->panels.saveAnswers = {m_fixture->path("out.pdf")};

    store().run(AppSection::sign);
    QVERIFY(m_fixture->panels.calls.isEmpty());
    QVERIFY(!store().busy());
    QVERIFY(!store().banner(AppSection::sign));
    QVERIFY(store().data().history.isEmpty());

    // No placements at all is the same.
    store().clear(AppSection::sign);
    store().addFiles({m_fixture->pdf("Başka.pdf", 1)}, AppSection::sign);
    store().run(AppSection::sign);
    QVERIFY(m_fixture->panels.calls.isEmpty());
}

void SignRunTest::cancelledSavePanelEndsSilently()
{
    store().addFiles({m_fixture->pdf("Sözleşme.pdf", 1)}, AppSection::sign);
    store().place(addDrawn("x"));
    m_fixture->panels.saveAnswers = {std::nullopt};

    store().run(AppSection::sign);
    QCOMPARE(m_fixture->panels.calls, QStringList{"save(Sözleşme imzalı)"});
    QVERIFY(!store().busy());
    QVERIFY(!store().banner(AppSection::sign));
    QVERIFY(store().data().history.isEmpty());
}

void SignRunTest::protectedInputGivesAnOpenCopy()
{
    const QString input = m_fixture->pdf("Gizli.pdf", 2, "parola-5");
    m_fixture->panels.passwordAnswers = {QString("parola-5")};
    store().addFiles({input}, AppSection::sign);
    QVERIFY(store().signFile());
    store().setSignPage(1);
    store().place(addDrawn("x"));
    const QString output = m_fixture->path("Gizli imzalı.pdf");
    m_fixture->panels.saveAnswers = {output};

    store().run(AppSection::sign);
    QVERIFY(m_fixture->waitIdle());
    QVERIFY(store().banner(AppSection::sign) && !store().banner(AppSection::sign)->isError);
    QVERIFY(!Fixtures::isEncrypted(output));
    QCOMPARE(stampCounts(stampsByPage(output)), (QList<int>{0, 1}));
}

void SignRunTest::admit(const QList<Fixtures::Page>& pages)
{
    const QString path = m_fixture->path(QStringLiteral("Sözleşme.pdf"));
    Fixtures::writePdf(path, pages);
    store().addFiles({path}, AppSection::sign);
    QVERIFY(store().signFile());
}

void SignRunTest::placedRect_data()
{
    QTest::addColumn<QSizeF>("page");
    QTest::addColumn<double>("aspect");
    QTest::addColumn<int>("existing");
    QTest::addColumn<QRectF>("expected");

    const QSizeF a4(595, 842);
    const QSizeF landscape(842, 595);
    const double wideH = 0.32 * 595 / (842 * 4);
    QTest::newRow("aspect 4 upright") << a4 << 4.0 << 0 << QRectF(0.34, 0.62, 0.32, wideH);
    const double cappedW = 0.3 * 595 / 842;
    QTest::newRow("aspect 1 landscape capped")
        << landscape << 1.0 << 0 << QRectF(0.5 - cappedW / 2, 0.62, cappedW, 0.3);
    QTest::newRow("fourth on a page shifted by 0.09")
        << a4 << 4.0 << 3 << QRectF(0.34 + 0.09, 0.62 + 0.09, 0.32, wideH);
    QTest::newRow("shift stops at both edges")
        << a4 << 4.0 << 20 << QRectF(1 - 0.32, 1 - wideH, 0.32, wideH);
    QTest::newRow("tall signature stops at the bottom first")
        << landscape << 1.0 << 3 << QRectF(0.5 - cappedW / 2 + 0.09, 0.7, cappedW, 0.3);
    const double squareH = 0.32 * 595 / 842;
    QTest::newRow("zero aspect counts as square")
        << a4 << 0.0 << 0 << QRectF(0.34, 0.62, 0.32, squareH);
    QTest::newRow("negative aspect counts as square")
        << a4 << -2.0 << 0 << QRectF(0.34, 0.62, 0.32, squareH);
    QTest::newRow("NaN aspect counts as square")
        << a4 << notANumber << 0 << QRectF(0.34, 0.62, 0.32, squareH);
    QTest::newRow("empty page counts as A4")
        << QSizeF(0, 0) << 4.0 << 0 << QRectF(0.34, 0.62, 0.32, wideH);
}

void SignRunTest::placedRect()
{
    QFETCH(QSizeF, page);
    QFETCH(double, aspect);
    QFETCH(int, existing);
    QFETCH(QRectF, expected);
    COMPARE_RECT(PlacementMath::placed(page, aspect, existing), expected);
}

void SignRunTest::movedRect_data()
{
    QTest::addColumn<QRectF>("start");
    QTest::addColumn<QPointF>("translation");
    QTest::addColumn<QRectF>("expected");

    const QRectF start(0.3, 0.4, 0.2, 0.1);
    QTest::newRow("inside the page") << start << QPointF(0.1, 0.05) << QRectF(0.4, 0.45, 0.2, 0.1);
    QTest::newRow("far left stops at 0") << start << QPointF(-2, 0) << QRectF(0, 0.4, 0.2, 0.1);
    QTest::newRow("past the bottom stops at 1 - height")
        << start << QPointF(0, 5) << QRectF(0.3, 0.9, 0.2, 0.1);
    QTest::newRow("far right stops at 1 - width")
        << start << QPointF(3, 0) << QRectF(0.8, 0.4, 0.2, 0.1);
    QTest::newRow("above the top stops at 0")
        << start << QPointF(0, -0.5) << QRectF(0.3, 0, 0.2, 0.1);
    QTest::newRow("into a corner") << start << QPointF(-1, -1) << QRectF(0, 0, 0.2, 0.1);
}

void SignRunTest::movedRect()
{
    QFETCH(QRectF, start);
    QFETCH(QPointF, translation);
    QFETCH(QRectF, expected);
    COMPARE_RECT(PlacementMath::moved(start, translation), expected);
}

void SignRunTest::resizedRect_data()
{
    QTest::addColumn<QRectF>("start");
    QTest::addColumn<double>("widthTranslation");
    QTest::addColumn<QRectF>("expected");

    const QRectF start(0.3, 0.4, 0.2, 0.1);
    QTest::newRow("grows in proportion") << start << 0.1 << QRectF(0.3, 0.4, 0.3, 0.15);
    QTest::newRow("shrinks in proportion") << start << -0.1 << QRectF(0.3, 0.4, 0.1, 0.05);
    QTest::newRow("very small stops at width 0.05")
        << start << -1.0 << QRectF(0.3, 0.4, 0.05, 0.025);
    QTest::newRow("near the right edge stops at x + w = 1")
        << QRectF(0.7, 0.2, 0.2, 0.1) << 0.5 << QRectF(0.7, 0.2, 0.3, 0.15);
    QTest::newRow("near the bottom stops there, width in proportion")
        << QRectF(0.1, 0.85, 0.2, 0.1) << 0.2 << QRectF(0.1, 0.85, 0.3, 0.15);
    QTest::newRow("empty start is left alone")
        << QRectF(0.1, 0.1, 0, 0) << 0.2 << QRectF(0.1, 0.1, 0, 0);
}

void SignRunTest::resizedRect()
{
    QFETCH(QRectF, start);
    QFETCH(double, widthTranslation);
    QFETCH(QRectF, expected);
    const QRectF result = PlacementMath::resized(start, widthTranslation);
    COMPARE_RECT(result, expected);
    QVERIFY(result.right() <= 1 + 1e-12 && result.bottom() <= 1 + 1e-12);
}

void SignRunTest::placeWithoutDocumentDoesNothing()
{
    QSignalSpy changed(&store(), &Store::changed);
    store().place(signatureOf(2));
    QVERIFY(store().placements().isEmpty());
    QVERIFY(!store().selectedPlacement());
    QCOMPARE(changed.count(), 0);
}

void SignRunTest::placeUsesTheDisplayedPageAndSelects_data()
{
    QTest::addColumn<Fixtures::Page>("page");
    QTest::addColumn<double>("aspect");
    QTest::addColumn<QRectF>("expected");

    QTest::newRow("upright A4, aspect 4")
        << pageOf(595, 842) << 4.0 << QRectF(0.34, 0.62, 0.32, 0.32 * 595 / (842 * 4));
    const double turnedW = 0.3 * 612 / 792;
    QTest::newRow("letter turned a quarter is 792 x 612")
        << pageOf(612, 792, 90) << 1.0 << QRectF(0.5 - turnedW / 2, 0.62, turnedW, 0.3);
    const double cropW = 0.3 * 595 / 842;
    QTest::newRow("crop box decides, not the media box")
        << pageOf(1000, 1000, 0, QRectF(0, 0, 842, 595)) << 1.0
        << QRectF(0.5 - cropW / 2, 0.62, cropW, 0.3);
}

void SignRunTest::placeUsesTheDisplayedPageAndSelects()
{
    QFETCH(Fixtures::Page, page);
    QFETCH(double, aspect);
    QFETCH(QRectF, expected);

    admit({page});
    const SavedSignature signature = signatureOf(aspect);
    store().place(signature);

    QCOMPARE(store().placements().size(), 1);
    const Placement& placed = store().placements().first();
    QCOMPARE(placed.signatureID, signature.id);
    QCOMPARE(placed.page, 0);
    QVERIFY(!placed.id.isNull());
    COMPARE_RECT(placed.rect, expected);
    QCOMPARE(store().selectedPlacement(), std::optional(placed.id));
}

void SignRunTest::cascadeCountsOnlyTheShownPage()
{
    admit(Fixtures::tagged(QStringLiteral("s"), 3));
    const SavedSignature signature = signatureOf(4);
    store().place(signature);
    store().place(signature);
    store().setSignPage(2);
    store().place(signature);
    store().place(signature);
    store().setSignPage(0);
    store().place(signature);

    const QList<Placement>& placements = store().placements();
    QCOMPARE(placements.size(), 5);
    const QList<int> pages{placements[0].page, placements[1].page, placements[2].page,
                           placements[3].page, placements[4].page};
    QCOMPARE(pages, (QList<int>{0, 0, 2, 2, 0}));
    const double h = 0.32 * 612 / (792 * 4);
    COMPARE_RECT(placements[0].rect, QRectF(0.34, 0.62, 0.32, h));
    COMPARE_RECT(placements[1].rect, QRectF(0.37, 0.65, 0.32, h));
    COMPARE_RECT(placements[2].rect, QRectF(0.34, 0.62, 0.32, h));
    COMPARE_RECT(placements[3].rect, QRectF(0.37, 0.65, 0.32, h));
    COMPARE_RECT(placements[4].rect, QRectF(0.40, 0.68, 0.32, h));
    QCOMPARE(store().selectedPlacement(), std::optional(placements[4].id));
}

void SignRunTest::moveAndResizeChangeOnlyTheirPlacement()
{
    admit(Fixtures::tagged(QStringLiteral("s"), 1));
    store().place(signatureOf(2));
    store().place(signatureOf(2));
    const Placement first = store().placements()[0];
    const Placement second = store().placements()[1];

    // A drag reports its translation so far each time, always from the same start.
    store().movePlacement(first.id, first.rect, QPointF(0.01, 0.01));
    store().movePlacement(first.id, first.rect, QPointF(-5, 0.1));
    COMPARE_RECT(store().placements()[0].rect,
                 QRectF(0, first.rect.y() + 0.1, first.rect.width(), first.rect.height()));
    QCOMPARE(store().placements()[1], second);

    const QRectF start = store().placements()[0].rect;
    store().resizePlacement(first.id, start, QPointF(-1, 0.4)); // vertical part is not used
    COMPARE_RECT(store().placements()[0].rect,
                 QRectF(start.x(), start.y(), 0.05, start.height() * 0.05 / start.width()));
    QCOMPARE(store().placements()[1], second);
    QCOMPARE(store().placements().size(), 2);
}

void SignRunTest::dragOfRemovedPlacementDoesNothing()
{
    admit(Fixtures::tagged(QStringLiteral("s"), 1));
    store().place(signatureOf(2));
    store().place(signatureOf(3));
    const Placement gone = store().placements()[0];
    store().removePlacement(gone.id);
    const QList<Placement> left = store().placements();

    QSignalSpy changed(&store(), &Store::placementsChanged);
    store().movePlacement(gone.id, gone.rect, QPointF(0.1, 0.1));
    store().resizePlacement(gone.id, gone.rect, QPointF(0.1, 0));
    QCOMPARE(store().placements(), left);
    QCOMPARE(changed.count(), 0);
}

void SignRunTest::removeClearsTheSelection()
{
    admit(Fixtures::tagged(QStringLiteral("s"), 2));
    const SavedSignature signature = signatureOf(2);
    store().place(signature);
    store().place(signature);
    const Placement first = store().placements()[0];
    const Placement second = store().placements()[1];
    store().setSelectedPlacement(first.id);

    store().removePlacement(second.id);
    QCOMPARE(store().placements(), QList<Placement>{first});
    QVERIFY(!store().selectedPlacement());
}

QTEST_MAIN(SignRunTest)
#include "SignRunTest.moc"
