#include "DataFile.h"
#include "Fixtures.h"
#include "Formatting.h"
#include "StoreTestCase.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTest>
#include <cmath>

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

} // namespace

// The signing run: which placements are stamped, the save panel, and the common run road.
class SignRunTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void signsPageTwoEndToEnd();
    void imageSignatureIsStampedWithMultiply();
    void missingSignaturesAreLeftOut();
    void nothingLeftToStampDoesNotStart();
    void withoutDocumentNothingHappens();
    void cancelledSavePanelEndsSilently();
    void engineFailureShowsAnErrorBanner();
    void revealsWhenAskedTo();
    void protectedInputGivesAnOpenCopy();

private:
    SavedSignature addDrawn(const QString& name)
    {
        store().addDrawnSignature(name, {{QPointF(10, 40), QPointF(60, 10), QPointF(120, 45)}},
                                  2.6, InkColor::black);
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
    QCOMPARE(store().banner(AppSection::sign),
             (Banner{"Hazır: Sözleşme imzalı.pdf · " + Formatting::fileSize(size, QLocale()),
                     {output},
                     false}));

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

void SignRunTest::withoutDocumentNothingHappens()
{
    addDrawn("x");
    m_fixture->panels.saveAnswers = {m_fixture->path("out.pdf")};
    store().run(AppSection::sign);
    QVERIFY(m_fixture->panels.calls.isEmpty());
    QVERIFY(!store().busy());
    QVERIFY(store().banners().isEmpty());
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

void SignRunTest::engineFailureShowsAnErrorBanner()
{
    store().addFiles({m_fixture->pdf("Sözleşme.pdf", 1)}, AppSection::sign);
    store().place(addDrawn("x"));
    const QList<Placement> placements = store().placements();
    const QString blocker = m_fixture->file("dosya", "not a folder");
    m_fixture->panels.saveAnswers = {blocker + "/Sözleşme imzalı.pdf"};

    store().run(AppSection::sign);
    QVERIFY(m_fixture->waitIdle());

    const std::optional<Banner> banner = store().banner(AppSection::sign);
    QVERIFY(banner);
    QVERIFY(banner->isError);
    QVERIFY(!banner->text.isEmpty());
    QVERIFY(banner->outputs.isEmpty());
    QVERIFY(store().data().history.isEmpty());
    QCOMPARE(store().placements(), placements);
}

void SignRunTest::revealsWhenAskedTo()
{
    QSettings().setValue("revealAfter", true);
    store().addFiles({m_fixture->pdf("Sözleşme.pdf", 1)}, AppSection::sign);
    store().place(addDrawn("x"));
    const QString output = m_fixture->path("imzalı.pdf");
    m_fixture->panels.saveAnswers = {output};

    store().run(AppSection::sign);
    QVERIFY(m_fixture->waitIdle());
    QCOMPARE(m_fixture->reveal.revealed, QList<QStringList>{{output}});
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

QTEST_MAIN(SignRunTest)
#include "SignRunTest.moc"
