#include "EngineChecks.h"
#include "Fixtures.h"
#include "Operations.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using EngineChecks::failureOf;

// Deleting pages: what remains and in which order, the at-least-one-page rule
// (by the size of the set), and what a refused or failed run leaves behind.
class DeletePagesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void removesMarkedPages_data();
    void removesMarkedPages();
    void keepsAtLeastOnePage_data();
    void keepsAtLeastOnePage();
    void lockedInputGivesAnOpenCopy();
    void keepsRotationsAndCropBoxes();
    void repairedInputGivesReadableCopy();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_source;
    QString m_output;
};

using IndexSet = QSet<int>;

void DeletePagesTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_source = m_dir->filePath(QStringLiteral("Dört.pdf"));
    m_output = m_dir->filePath(QStringLiteral("Kalan.pdf"));
    Fixtures::writePdf(m_source, Fixtures::tagged(QStringLiteral("S"), 4));
}

void DeletePagesTest::removesMarkedPages_data()
{
    QTest::addColumn<IndexSet>("removing");
    QTest::addColumn<QStringList>("remaining");

    QTest::newRow("first and third") << IndexSet{0, 2} << QStringList{"S2", "S4"};
    QTest::newRow("empty set: unchanged copy") << IndexSet{}
                                               << QStringList{"S1", "S2", "S3", "S4"};
    QTest::newRow("last page") << IndexSet{3} << QStringList{"S1", "S2", "S3"};
    QTest::newRow("all but one") << IndexSet{0, 1, 3} << QStringList{"S3"};
    QTest::newRow("beyond the last page ignored") << IndexSet{1, 9} << QStringList{"S1", "S3", "S4"};
    QTest::newRow("only beyond the last page") << IndexSet{4, 100}
                                               << QStringList{"S1", "S2", "S3", "S4"};
    QTest::newRow("negative ignored") << IndexSet{-1, 0} << QStringList{"S2", "S3", "S4"};
}

void DeletePagesTest::removesMarkedPages()
{
    QFETCH(IndexSet, removing);
    QFETCH(QStringList, remaining);
    const QByteArray before = Fixtures::readBytes(m_source);

    PDFEngine::deletePages(PDFSource{m_source, std::nullopt}, removing, m_output);

    QCOMPARE(Fixtures::readTags(m_output), remaining);
    QVERIFY(Fixtures::qpdfCheckIsClean(m_output));
    QVERIFY(!Fixtures::isEncrypted(m_output));
    QCOMPARE(Fixtures::readBytes(m_source), before);
}

void DeletePagesTest::keepsAtLeastOnePage_data()
{
    QTest::addColumn<IndexSet>("removing");

    QTest::newRow("every page") << IndexSet{0, 1, 2, 3};
    QTest::newRow("as many as pages, some beyond the end") << IndexSet{0, 1, 7, 8};
    QTest::newRow("more than pages") << IndexSet{0, 1, 2, 3, 4};
}

void DeletePagesTest::keepsAtLeastOnePage()
{
    QFETCH(IndexSet, removing);
    Fixtures::writeBytes(m_output, "önceki");
    const QStringList before = EngineChecks::entries(m_dir->path());

    QCOMPARE(failureOf([&] {
                 PDFEngine::deletePages(PDFSource{m_source, std::nullopt}, removing, m_output);
             }),
             QStringLiteral("En az bir sayfa kalmalı."));
    QCOMPARE(failureOf([&] {
                 PDFEngine::deletePages(PDFSource{m_source, std::nullopt}, removing,
                                        m_dir->filePath(QStringLiteral("Yeni.pdf")));
             }),
             QStringLiteral("En az bir sayfa kalmalı."));

    QCOMPARE(EngineChecks::entries(m_dir->path()), before);
    QCOMPARE(Fixtures::readBytes(m_output), QByteArray("önceki"));
}

void DeletePagesTest::lockedInputGivesAnOpenCopy()
{
    const QString locked = m_dir->filePath(QStringLiteral("Kilitli.pdf"));
    Fixtures::writePdf(locked, Fixtures::tagged(QStringLiteral("K"), 3),
                       {Fixtures::Cipher::rc4_128, QStringLiteral("u"), QStringLiteral("o")});

    QCOMPARE(failureOf([&] { PDFEngine::deletePages(PDFSource{locked, std::nullopt}, {1}, m_output); }),
             EngineChecks::passwordNeeded(QStringLiteral("Kilitli.pdf")));
    QVERIFY(!QFile::exists(m_output));

    PDFEngine::deletePages(PDFSource{locked, QStringLiteral("u")}, {1}, m_output);
    QCOMPARE(Fixtures::readTags(m_output), (QStringList{"K1", "K3"}));
    QVERIFY(!Fixtures::isEncrypted(m_output));
    QVERIFY(Fixtures::qpdfCheckIsClean(m_output));
}

void DeletePagesTest::keepsRotationsAndCropBoxes()
{
    QList<Fixtures::Page> pages = Fixtures::tagged(QStringLiteral("D"), 3);
    pages[2].rotate = 90;
    pages[2].cropBox = QRectF(20, 30, 100, 200);
    Fixtures::writePdf(m_source, pages);

    PDFEngine::deletePages(PDFSource{m_source, std::nullopt}, {0}, m_output);

    QCOMPARE(Fixtures::readTags(m_output), (QStringList{"D2", "D3"}));
    QCOMPARE(Fixtures::readRotations(m_output), (QList<int>{0, 90}));
    QCOMPARE(Fixtures::readCropBoxes(m_output).last(), QRectF(20, 30, 100, 200));
}

// A file whose cross-reference table must be rebuilt and whose trailer has no
// /Size: the copy must still be a file every reader opens.
void DeletePagesTest::repairedInputGivesReadableCopy()
{
    QByteArray bytes = Fixtures::readBytes(m_source);
    QString text = QString::fromLatin1(bytes);
    text.remove(QRegularExpression(QStringLiteral("/Size \\d+")));
    bytes = text.toLatin1();
    const qsizetype startxref = bytes.lastIndexOf("startxref");
    QVERIFY(startxref > 0);
    bytes = bytes.left(startxref) + "startxref\n999999\n%%EOF\n";
    Fixtures::writeBytes(m_source, bytes);

    PDFEngine::deletePages(PDFSource{m_source, std::nullopt}, {1}, m_output);

    QCOMPARE(Fixtures::readTags(m_output), (QStringList{"S1", "S3", "S4"}));
    QVERIFY(Fixtures::qpdfCheckIsClean(m_output));
}

QTEST_GUILESS_MAIN(DeletePagesTest)
#include "DeletePagesTest.moc"
