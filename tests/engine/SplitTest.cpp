#include "EngineChecks.h"
#include "Fixtures.h"
#include "Operations.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using EngineChecks::failureOf;
using PDFEngine::Grouping;

// Splitting: output names and their order, page content by tags, repeated runs,
// overlapping groups, boxes and rotation, and parts that carry only their own resources.
class SplitTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void writesOneFilePerGroup_data();
    void writesOneFilePerGroup();
    void secondRunGetsNewNames();
    void lockedInputGivesOpenParts();
    void keepsRotationsAndCropBoxes();
    void partCarriesOnlyItsOwnResources();
    void failuresStopTheRun();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_source;
    QString m_out;
};

void SplitTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_source = m_dir->filePath(QStringLiteral("Rapor.pdf"));
    Fixtures::writePdf(m_source, Fixtures::tagged(QStringLiteral("P"), 4));
    m_out = m_dir->filePath(QStringLiteral("parçalar"));
    QVERIFY(QDir().mkpath(m_out));
}

void SplitTest::writesOneFilePerGroup_data()
{
    QTest::addColumn<Grouping>("groups");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<QStringList>>("tags");

    QTest::newRow("each page") << Grouping{{0}, {1}, {2}, {3}}
                               << QStringList{"Rapor 1.pdf", "Rapor 2.pdf", "Rapor 3.pdf",
                                              "Rapor 4.pdf"}
                               << QList<QStringList>{{"P1"}, {"P2"}, {"P3"}, {"P4"}};
    QTest::newRow("ranges 1-2, 3") << Grouping{{0, 1}, {2}}
                                   << QStringList{"Rapor 1-2.pdf", "Rapor 3.pdf"}
                                   << QList<QStringList>{{"P1", "P2"}, {"P3"}};
    QTest::newRow("overlapping 1-3, 2-4")
        << Grouping{{0, 1, 2}, {1, 2, 3}} << QStringList{"Rapor 1-3.pdf", "Rapor 2-4.pdf"}
        << QList<QStringList>{{"P1", "P2", "P3"}, {"P2", "P3", "P4"}};
    QTest::newRow("same group twice") << Grouping{{3}, {3}}
                                      << QStringList{"Rapor 4.pdf", "Rapor 4 2.pdf"}
                                      << QList<QStringList>{{"P4"}, {"P4"}};
    QTest::newRow("later pages first") << Grouping{{2, 3}, {0}}
                                       << QStringList{"Rapor 3-4.pdf", "Rapor 1.pdf"}
                                       << QList<QStringList>{{"P3", "P4"}, {"P1"}};
    QTest::newRow("empty groups skipped") << Grouping{{}, {1}, {}}
                                          << QStringList{"Rapor 2.pdf"}
                                          << QList<QStringList>{{"P2"}};
    QTest::newRow("no groups") << Grouping{} << QStringList{} << QList<QStringList>{};
}

void SplitTest::writesOneFilePerGroup()
{
    QFETCH(Grouping, groups);
    QFETCH(QStringList, names);
    QFETCH(QList<QStringList>, tags);
    const QByteArray before = Fixtures::readBytes(m_source);

    const QStringList written = PDFEngine::split(PDFSource{m_source, std::nullopt}, groups, m_out);

    QStringList expected;
    for (const QString& name : names) {
        expected.append(QDir(m_out).filePath(name));
    }
    QCOMPARE(written, expected);
    for (qsizetype i = 0; i < written.size(); ++i) {
        QCOMPARE(Fixtures::readTags(written[i]), tags[i]);
        QVERIFY(Fixtures::qpdfCheckIsClean(written[i]));
        QVERIFY(!Fixtures::isEncrypted(written[i]));
    }
    QStringList sortedNames = names;
    sortedNames.sort();
    QCOMPARE(EngineChecks::entries(m_out), sortedNames);
    QCOMPARE(Fixtures::readBytes(m_source), before);
}

void SplitTest::secondRunGetsNewNames()
{
    const QString rapor = m_dir->filePath(QStringLiteral("Rapor.pdf"));
    Fixtures::writePdf(rapor, Fixtures::tagged(QStringLiteral("R"), 3));
    const PDFSource source{rapor, std::nullopt};
    const Grouping each = PDFEngine::chunks(3, 1);

    const QStringList first = PDFEngine::split(source, each, m_out);
    const QStringList second = PDFEngine::split(source, each, m_out);

    const QDir out(m_out);
    QCOMPARE(first, (QStringList{out.filePath("Rapor 1.pdf"), out.filePath("Rapor 2.pdf"),
                                 out.filePath("Rapor 3.pdf")}));
    QCOMPARE(second, (QStringList{out.filePath("Rapor 1 2.pdf"), out.filePath("Rapor 2 2.pdf"),
                                  out.filePath("Rapor 3 2.pdf")}));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(Fixtures::readTags(second[i]), QStringList{QStringLiteral("R%1").arg(i + 1)});
    }
}

void SplitTest::lockedInputGivesOpenParts()
{
    const QString locked = m_dir->filePath(QStringLiteral("Gizli.rapor.pdf"));
    Fixtures::writePdf(locked, Fixtures::tagged(QStringLiteral("G"), 3),
                       {Fixtures::Cipher::aes128, QStringLiteral("açık"), QStringLiteral("sahip")});

    const QStringList written = PDFEngine::split(PDFSource{locked, QStringLiteral("açık")},
                                                 PDFEngine::chunks(3, 2), m_out);

    QCOMPARE(written, (QStringList{QDir(m_out).filePath("Gizli.rapor 1-2.pdf"),
                                   QDir(m_out).filePath("Gizli.rapor 3.pdf")}));
    QCOMPARE(Fixtures::readTags(written[0]), (QStringList{"G1", "G2"}));
    QCOMPARE(Fixtures::readTags(written[1]), QStringList{"G3"});
    for (const QString& part : written) {
        QVERIFY(!Fixtures::isEncrypted(part));
        QVERIFY(Fixtures::qpdfCheckIsClean(part));
    }
}

void SplitTest::keepsRotationsAndCropBoxes()
{
    QList<Fixtures::Page> pages = Fixtures::tagged(QStringLiteral("D"), 3);
    pages[0].rotate = 90;
    pages[0].cropBox = QRectF(10, 10, 400, 500);
    pages[2].rotate = 180;
    const QString rotated = m_dir->filePath(QStringLiteral("Döner.pdf"));
    Fixtures::writePdf(rotated, pages);
    const QString inheriting = m_dir->filePath(QStringLiteral("Miras.pdf"));
    Fixtures::writeInheritingPdf(inheriting, QStringLiteral("M"), 2, 270, QRectF(5, 6, 300, 200));

    const QStringList parts =
        PDFEngine::split(PDFSource{rotated, std::nullopt}, {{0}, {1, 2}}, m_out);
    const QStringList inherited =
        PDFEngine::split(PDFSource{inheriting, std::nullopt}, {{1}}, m_out);

    QCOMPARE(Fixtures::readRotations(parts[0]), QList<int>{90});
    QCOMPARE(Fixtures::readCropBoxes(parts[0]), QList<QRectF>{QRectF(10, 10, 400, 500)});
    QCOMPARE(Fixtures::readRotations(parts[1]), (QList<int>{0, 180}));
    QCOMPARE(Fixtures::readTags(inherited[0]), QStringList{"M2"});
    QCOMPARE(Fixtures::readRotations(inherited[0]), QList<int>{270});
    QCOMPARE(Fixtures::readCropBoxes(inherited[0]), QList<QRectF>{QRectF(5, 6, 300, 200)});
}

void SplitTest::partCarriesOnlyItsOwnResources()
{
    // 40 fonts and 6 images of 300 x 300 grey pixels in one dictionary shared by every page.
    const QString shared = m_dir->filePath(QStringLiteral("Ortak.pdf"));
    Fixtures::writeSharedResourcesPdf(shared, 12, 40, 6, 300);
    const QByteArray before = Fixtures::readBytes(shared);
    QCOMPARE(Fixtures::countObjectsOfType(shared, "/Type1"), 40);
    QCOMPARE(Fixtures::countObjectsOfType(shared, "/Image"), 6);

    const QStringList parts =
        PDFEngine::split(PDFSource{shared, std::nullopt}, {{4}, {0, 1}}, m_out);

    QCOMPARE(Fixtures::readTags(parts[0]), QStringList{"P5"});
    QCOMPARE(Fixtures::countObjectsOfType(parts[0], "/Type1"), 1);
    QCOMPARE(Fixtures::countObjectsOfType(parts[0], "/Image"), 1);
    // One 90,000-byte image and a little structure, not the six images of the input.
    QVERIFY2(PDFEngine::fileSize(parts[0]) < 100'000,
             qPrintable(QString::number(PDFEngine::fileSize(parts[0]))));
    QCOMPARE(Fixtures::readTags(parts[1]), (QStringList{"P1", "P2"}));
    QCOMPARE(Fixtures::countObjectsOfType(parts[1], "/Type1"), 2);
    QCOMPARE(Fixtures::countObjectsOfType(parts[1], "/Image"), 2);
    for (const QString& part : parts) {
        QVERIFY(Fixtures::qpdfCheckIsClean(part));
    }
    QCOMPARE(Fixtures::readBytes(shared), before);
}

void SplitTest::failuresStopTheRun()
{
    Fixtures::writeBytes(m_dir->filePath(QStringLiteral("notlar.pdf")), "metin");
    QCOMPARE(failureOf([&] {
                 PDFEngine::split(PDFSource{m_dir->filePath(QStringLiteral("notlar.pdf")),
                                            std::nullopt},
                                  {{0}}, m_out);
             }),
             EngineChecks::openFailed(QStringLiteral("notlar.pdf")));
    QCOMPARE(EngineChecks::entries(m_out), QStringList());

    // A folder that is a file: the first part cannot be written.
    const QString notAFolder = m_dir->filePath(QStringLiteral("dosya"));
    Fixtures::writeBytes(notAFolder, "x");
    QCOMPARE(failureOf([&] {
                 PDFEngine::split(PDFSource{m_source, std::nullopt}, {{0}, {1}}, notAFolder);
             }),
             EngineChecks::writeFailed(QStringLiteral("Rapor 1.pdf")));
    QCOMPARE(Fixtures::readBytes(notAFolder), QByteArray("x"));
}

QTEST_GUILESS_MAIN(SplitTest)
#include "SplitTest.moc"
