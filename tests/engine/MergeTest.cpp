#include "EngineChecks.h"
#include "Fixtures.h"
#include "Operations.h"

#include <QTemporaryDir>
#include <QTest>

using EngineChecks::failureOf;

Q_DECLARE_METATYPE(std::optional<QString>)
using Fixtures::Cipher;

// Merging: page order by tags, repeated inputs, unlocked inputs, replacing and failing.
class MergeTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void joinsPagesInListOrder_data();
    void joinsPagesInListOrder();
    void unlockedInputGivesAnOpenOutput();
    void replacesAnExistingDestination();
    void keepsRotationsAndCropBoxes();
    void keepsInheritedRotationAndCropBox();
    void unreadableInputWritesNothing_data();
    void unreadableInputWritesNothing();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    void checkClean(const QString& output) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_a;
    QString m_b;
};

void MergeTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_a = path(QStringLiteral("A.pdf"));
    m_b = path(QStringLiteral("B.pdf"));
    Fixtures::writePdf(m_a, Fixtures::tagged(QStringLiteral("A"), 2));
    Fixtures::writePdf(m_b, Fixtures::tagged(QStringLiteral("B"), 3));
}

void MergeTest::checkClean(const QString& output) const
{
    QVERIFY(Fixtures::qpdfCheckIsClean(output));
    QVERIFY(!Fixtures::isEncrypted(output));
}

void MergeTest::joinsPagesInListOrder_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("tags");

    QTest::newRow("A then B") << QStringList{"A.pdf", "B.pdf"}
                              << QStringList{"A1", "A2", "B1", "B2", "B3"};
    QTest::newRow("B then A") << QStringList{"B.pdf", "A.pdf"}
                              << QStringList{"B1", "B2", "B3", "A1", "A2"};
    QTest::newRow("same file twice") << QStringList{"A.pdf", "A.pdf"}
                                     << QStringList{"A1", "A2", "A1", "A2"};
    QTest::newRow("A, B, A") << QStringList{"A.pdf", "B.pdf", "A.pdf"}
                             << QStringList{"A1", "A2", "B1", "B2", "B3", "A1", "A2"};
    QTest::newRow("one input") << QStringList{"B.pdf"} << QStringList{"B1", "B2", "B3"};
}

void MergeTest::joinsPagesInListOrder()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, tags);
    const QByteArray a = Fixtures::readBytes(m_a);
    const QByteArray b = Fixtures::readBytes(m_b);
    QList<PDFSource> sources;
    for (const QString& name : inputs) {
        sources.append(PDFSource{path(name), std::nullopt});
    }
    const QString output = path(QStringLiteral("Birleşik.pdf"));

    PDFEngine::merge(sources, output);

    QCOMPARE(Fixtures::readTags(output), tags);
    checkClean(output);
    QCOMPARE(Fixtures::readBytes(m_a), a);
    QCOMPARE(Fixtures::readBytes(m_b), b);
    QCOMPARE(EngineChecks::entries(m_dir->path()),
             (QStringList{"A.pdf", "B.pdf", "Birleşik.pdf"}));
}

void MergeTest::unlockedInputGivesAnOpenOutput()
{
    const QString locked = path(QStringLiteral("Kilitli.pdf"));
    Fixtures::writePdf(locked, Fixtures::tagged(QStringLiteral("K"), 2),
                       {Cipher::aes256, QStringLiteral("şifre"), QStringLiteral("sahip")});
    const QByteArray before = Fixtures::readBytes(locked);
    const QString output = path(QStringLiteral("Çıktı.pdf"));

    PDFEngine::merge({PDFSource{m_a, std::nullopt}, PDFSource{locked, QStringLiteral("şifre")}},
                     output);

    QCOMPARE(Fixtures::readTags(output), (QStringList{"A1", "A2", "K1", "K2"}));
    checkClean(output);
    QCOMPARE(Fixtures::readBytes(locked), before);
}

void MergeTest::replacesAnExistingDestination()
{
    const QString output = path(QStringLiteral("Var.pdf"));
    Fixtures::writePdf(output, Fixtures::tagged(QStringLiteral("Eski"), 9));

    PDFEngine::merge({PDFSource{m_b, std::nullopt}, PDFSource{m_a, std::nullopt}}, output);

    QCOMPARE(Fixtures::readTags(output), (QStringList{"B1", "B2", "B3", "A1", "A2"}));
    checkClean(output);
}

void MergeTest::keepsRotationsAndCropBoxes()
{
    QList<Fixtures::Page> pages = Fixtures::tagged(QStringLiteral("R"), 3);
    pages[0].rotate = 90;
    pages[1].cropBox = QRectF(50, 60, 300, 400);
    pages[2].rotate = 270;
    pages[2].cropBox = QRectF(10, 20, 500, 700);
    const QString rotated = path(QStringLiteral("R.pdf"));
    Fixtures::writePdf(rotated, pages);
    const QString output = path(QStringLiteral("M.pdf"));

    PDFEngine::merge({PDFSource{m_a, std::nullopt}, PDFSource{rotated, std::nullopt}}, output);

    QCOMPARE(Fixtures::readTags(output), (QStringList{"A1", "A2", "R1", "R2", "R3"}));
    QCOMPARE(Fixtures::readRotations(output), (QList<int>{0, 0, 90, 0, 270}));
    const QList<QRectF> boxes = Fixtures::readCropBoxes(output);
    QCOMPARE(boxes.mid(2), (QList<QRectF>{QRectF(0, 0, 612, 792), QRectF(50, 60, 300, 400),
                                          QRectF(10, 20, 500, 700)}));
    checkClean(output);
}

void MergeTest::keepsInheritedRotationAndCropBox()
{
    const QString inheriting = path(QStringLiteral("I.pdf"));
    Fixtures::writeInheritingPdf(inheriting, QStringLiteral("I"), 2, 180, QRectF(30, 40, 200, 300));
    const QString output = path(QStringLiteral("M.pdf"));

    PDFEngine::merge({PDFSource{inheriting, std::nullopt}, PDFSource{m_a, std::nullopt}}, output);

    QCOMPARE(Fixtures::readTags(output), (QStringList{"I1", "I2", "A1", "A2"}));
    QCOMPARE(Fixtures::readRotations(output), (QList<int>{180, 180, 0, 0}));
    QCOMPARE(Fixtures::readCropBoxes(output).first(), QRectF(30, 40, 200, 300));
    checkClean(output);
}

void MergeTest::unreadableInputWritesNothing_data()
{
    QTest::addColumn<QString>("second");
    QTest::addColumn<std::optional<QString>>("password");
    QTest::addColumn<QString>("message");

    QTest::newRow("not a PDF") << "notlar.pdf" << std::optional<QString>()
                               << EngineChecks::openFailed(QStringLiteral("notlar.pdf"));
    QTest::newRow("missing") << "yok.pdf" << std::optional<QString>()
                             << EngineChecks::openFailed(QStringLiteral("yok.pdf"));
    QTest::newRow("locked, no password")
        << "Kilitli.pdf" << std::optional<QString>()
        << EngineChecks::passwordNeeded(QStringLiteral("Kilitli.pdf"));
    QTest::newRow("locked, wrong password")
        << "Kilitli.pdf" << std::optional<QString>(QStringLiteral("yanlış"))
        << EngineChecks::passwordNeeded(QStringLiteral("Kilitli.pdf"));
}

void MergeTest::unreadableInputWritesNothing()
{
    QFETCH(QString, second);
    QFETCH(std::optional<QString>, password);
    QFETCH(QString, message);
    Fixtures::writeBytes(path(QStringLiteral("notlar.pdf")), "düz metin");
    Fixtures::writePdf(path(QStringLiteral("Kilitli.pdf")), Fixtures::tagged(QStringLiteral("K"), 1),
                       {Cipher::rc4_128, QStringLiteral("doğru"), QStringLiteral("sahip")});
    const QString existing = path(QStringLiteral("Var.pdf"));
    Fixtures::writePdf(existing, Fixtures::tagged(QStringLiteral("Eski"), 1));
    const QByteArray existingBytes = Fixtures::readBytes(existing);
    const QStringList before = EngineChecks::entries(m_dir->path());

    for (const QString& output : {path(QStringLiteral("Yeni.pdf")), existing}) {
        QCOMPARE(failureOf([&] {
                     PDFEngine::merge({PDFSource{m_a, std::nullopt}, PDFSource{path(second), password}},
                                      output);
                 }),
                 message);
    }
    QCOMPARE(EngineChecks::entries(m_dir->path()), before);
    QCOMPARE(Fixtures::readBytes(existing), existingBytes);
}

QTEST_GUILESS_MAIN(MergeTest)
#include "MergeTest.moc"
