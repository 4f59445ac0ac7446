#include "EngineChecks.h"
#include "Fixtures.h"
#include "Output.h"
#include "Operations.h"

#include <qpdf/QPDF.hh>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using EngineChecks::failureOf;

// Safe writing (replace or keep, never a partial file or a stray temporary
// folder), output naming and file sizes.
class OutputTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void writesAndReplacesCompletely_data();
    void writesAndReplacesCompletely();
    void failedWriteLeavesNothing_data();
    void failedWriteLeavesNothing();
    void uniqueNames_data();
    void uniqueNames();
    void fileSizes();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_source;
};

void OutputTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_source = m_dir->filePath(QStringLiteral("Kaynak.pdf"));
    Fixtures::writePdf(m_source, Fixtures::tagged(QStringLiteral("S"), 3));
}

void OutputTest::writesAndReplacesCompletely_data()
{
    QTest::addColumn<QByteArray>("existing"); // empty: no file at the destination

    QTest::newRow("new file") << QByteArray();
    QTest::newRow("over a longer file") << QByteArray(2'000'000, 'x');
    QTest::newRow("over a shorter file") << QByteArray("%PDF-1.4\n");
}

void OutputTest::writesAndReplacesCompletely()
{
    QFETCH(QByteArray, existing);
    const QString destination = m_dir->filePath(QStringLiteral("Çıktı.pdf"));
    if (!existing.isEmpty()) {
        Fixtures::writeBytes(destination, existing);
    }
    const auto pdf = PDFEngine::open(PDFSource{m_source, std::nullopt});

    PDFEngine::write(*pdf, destination, 3);

    QCOMPARE(Fixtures::readTags(destination), (QStringList{"S1", "S2", "S3"}));
    QVERIFY(Fixtures::qpdfCheckIsClean(destination));
    QVERIFY(!Fixtures::readBytes(destination).contains("xxxxxxxx"));
    QCOMPARE(EngineChecks::entries(m_dir->path()), (QStringList{"Kaynak.pdf", "Çıktı.pdf"}));
}

void OutputTest::failedWriteLeavesNothing_data()
{
    QTest::addColumn<QString>("destination"); // relative to the temporary folder
    QTest::addColumn<qint64>("expectedPages");
    QTest::addColumn<QString>("name");

    QTest::newRow("parent is a regular file") << "Kaynak.pdf/Çıktı.pdf" << qint64(3) << "Çıktı.pdf";
    QTest::newRow("parent folder missing") << "yok/Çıktı.pdf" << qint64(3) << "Çıktı.pdf";
    QTest::newRow("destination is a folder") << "Klasör.pdf" << qint64(3) << "Klasör.pdf";
    // The reopened result must have the pages the operation meant to write.
    QTest::newRow("result fails verification") << "Var.pdf" << qint64(4) << "Var.pdf";
    QTest::newRow("result fails verification, new file") << "Yeni.pdf" << qint64(2) << "Yeni.pdf";
}

void OutputTest::failedWriteLeavesNothing()
{
    QFETCH(QString, destination);
    QFETCH(qint64, expectedPages);
    QFETCH(QString, name);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Klasör.pdf")));
    Fixtures::writeBytes(m_dir->filePath(QStringLiteral("Klasör.pdf/içinde.txt")), "kalır");
    Fixtures::writeBytes(m_dir->filePath(QStringLiteral("Var.pdf")), "eski içerik");
    const QByteArray source = Fixtures::readBytes(m_source);
    const QStringList before = EngineChecks::entries(m_dir->path());
    const auto pdf = PDFEngine::open(PDFSource{m_source, std::nullopt});

    QCOMPARE(failureOf([&] { PDFEngine::write(*pdf, m_dir->filePath(destination), expectedPages); }),
             EngineChecks::writeFailed(name));

    QCOMPARE(EngineChecks::entries(m_dir->path()), before);
    QCOMPARE(EngineChecks::entries(m_dir->filePath(QStringLiteral("Klasör.pdf"))),
             QStringList{"içinde.txt"});
    QCOMPARE(Fixtures::readBytes(m_dir->filePath(QStringLiteral("Var.pdf"))),
             QByteArray("eski içerik"));
    QCOMPARE(Fixtures::readBytes(m_source), source);
}

void OutputTest::uniqueNames_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty folder") << QStringList{} << "Belge" << "Belge.pdf";
    QTest::newRow("name taken") << QStringList{"Belge.pdf"} << "Belge" << "Belge 2.pdf";
    QTest::newRow("gap is filled") << QStringList{"Belge.pdf", "Belge 3.pdf"} << "Belge"
                                   << "Belge 2.pdf";
    QTest::newRow("two taken") << QStringList{"Rapor.pdf", "Rapor 2.pdf"} << "Rapor"
                               << "Rapor 3.pdf";
    QTest::newRow("a folder counts as taken") << QStringList{"Belge.pdf/"} << "Belge"
                                              << "Belge 2.pdf";
    QTest::newRow("other extensions do not count") << QStringList{"Belge.txt", "Belge"} << "Belge"
                                                   << "Belge.pdf";
    QTest::newRow("name used unchanged") << QStringList{"Rapor 1-3.pdf"} << "Rapor 1-3"
                                         << "Rapor 1-3 2.pdf";
    QTest::newRow("dots and spaces kept") << QStringList{} << " v1.2 taslak " << " v1.2 taslak .pdf";
}

void OutputTest::uniqueNames()
{
    QFETCH(QStringList, present);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QDir folder(m_dir->filePath(QStringLiteral("hedef")));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    for (const QString& entry : present) {
        if (entry.endsWith(u'/')) {
            QVERIFY(folder.mkdir(entry.chopped(1)));
        } else {
            Fixtures::writeBytes(folder.filePath(entry), "x");
        }
    }

    const QString first = PDFEngine::uniqueURL(folder.path(), name);
    QCOMPARE(first, folder.filePath(expected));
    // Only existence counts: asking again without writing gives the same place.
    QCOMPARE(PDFEngine::uniqueURL(folder.path(), name), first);
}

void OutputTest::fileSizes()
{
    const QString file = m_dir->filePath(QStringLiteral("boyut.bin"));
    Fixtures::writeBytes(file, QByteArray(12345, 'a'));
    QCOMPARE(PDFEngine::fileSize(file), 12345);
    QCOMPARE(PDFEngine::fileSize(m_dir->filePath(QStringLiteral("yok.pdf"))), 0);
    QCOMPARE(PDFEngine::fileSize(m_dir->path()), 0);
    QCOMPARE(PDFEngine::fileSize(QString()), 0);
}

QTEST_GUILESS_MAIN(OutputTest)
#include "OutputTest.moc"
