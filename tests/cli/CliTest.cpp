#include "CliRun.h"
#include "DataCoding.h"
#include "Fixtures.h"
#include "ImageFixtures.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// leaflow-cli as a user runs it: argument parsing, exit statuses 0/1/2/3, one
// message on standard error, passwords per input, printed paths and sizes.
// What the engine makes of the files is the engine suites' business; here
// each command is run once to prove its arguments reach the engine.
class CliTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void usageErrors_data();
    void usageErrors();
    void helpPrintsUsage();
    void failuresPrintOneLine_data();
    void failuresPrintOneLine();
    void mergesWithPasswordsPerInput();
    void passwordAppliesOnlyToTheNextInput();
    void splitPrintsPathsInGroupOrder_data();
    void splitPrintsPathsInGroupOrder();
    void deletesOneBasedPages();
    void relativePathsFollowTheWorkingFolder();
    void compressPrintsSizesOrExits3();
    void signsWithRecordAndImage();

private:
    CliRun::Result run(const QStringList& arguments) const
    {
        return CliRun::run(arguments, m_dir->path(), m_config->path());
    }
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QStringList entries() const
    {
        return QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_config;
};

void CliTest::init()
{
    QVERIFY2(QFile::exists(CliRun::program()), "LEAFLOW_CLI must name the built leaflow-cli");
    m_dir = std::make_unique<QTemporaryDir>();
    m_config = std::make_unique<QTemporaryDir>();
    Fixtures::writePdf(path(QStringLiteral("A.pdf")), Fixtures::tagged(QStringLiteral("A"), 2));
    Fixtures::writePdf(path(QStringLiteral("Rapor.pdf")), Fixtures::tagged(QStringLiteral("R"), 5));
    Fixtures::writePdf(path(QStringLiteral("Kilitli.pdf")),
                       Fixtures::tagged(QStringLiteral("K"), 2),
                       {Fixtures::Cipher::aes256, QStringLiteral("şifre"),
                        QStringLiteral("sahip")});
    Fixtures::writePdf(path(QStringLiteral("Gizli.pdf")), Fixtures::tagged(QStringLiteral("G"), 1),
                       {Fixtures::Cipher::rc4_128, QStringLiteral("başka"), QStringLiteral("o")});
    Fixtures::writeBytes(path(QStringLiteral("notlar.pdf")), "alışveriş listesi\n");
}

void CliTest::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");

    const QStringList sign{"sign", "-o", "o.pdf", "A.pdf", "--signature=s.png", "--page=1"};
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"join", "A.pdf"};
    QTest::newRow("merge without -o") << QStringList{"merge", "A.pdf", "Rapor.pdf"};
    QTest::newRow("-o without a path") << QStringList{"merge", "A.pdf", "-o"};
    QTest::newRow("password after the last input")
        << QStringList{"merge", "-o", "o.pdf", "A.pdf", "--password=x"};
    QTest::newRow("unknown option") << QStringList{"merge", "--fast", "-o", "o.pdf", "A.pdf"};
    QTest::newRow("split without mode") << QStringList{"split", "-d", ".", "Rapor.pdf"};
    QTest::newRow("split with two modes")
        << QStringList{"split", "--each", "--every=2", "-d", ".", "Rapor.pdf"};
    QTest::newRow("split with two inputs")
        << QStringList{"split", "--each", "-d", ".", "Rapor.pdf", "A.pdf"};
    QTest::newRow("split every zero") << QStringList{"split", "--every=0", "-d", ".", "Rapor.pdf"};
    QTest::newRow("delete without pages") << QStringList{"delete", "-o", "o.pdf", "Rapor.pdf"};
    QTest::newRow("compress, unknown level")
        << QStringList{"compress", "--level=tiny", "-o", "o.pdf", "A.pdf"};
    QTest::newRow("compress, two inputs")
        << QStringList{"compress", "-o", "o.pdf", "A.pdf", "Rapor.pdf"};
    QTest::newRow("sign without placement") << QStringList{"sign", "-o", "o.pdf", "A.pdf"};
    QTest::newRow("sign, missing rect") << sign;
    QTest::newRow("sign, page zero")
        << QStringList{"sign",          "-o", "o.pdf", "A.pdf", "--signature=s.png", "--page=0",
                       "--rect=0,0,1,1"};
    QTest::newRow("sign, three numbers") << sign + QStringList{"--rect=0,0,1"};
    QTest::newRow("sign, zero width") << sign + QStringList{"--rect=0,0,0,1"};
    QTest::newRow("sign, past the right edge") << sign + QStringList{"--rect=0.6,0,0.5,0.5"};
    QTest::newRow("sign, negative origin") << sign + QStringList{"--rect=-0.1,0,0.5,0.5"};
    QTest::newRow("sign, extra page") << sign + QStringList{"--rect=0,0,1,1", "--page=1"};
}

void CliTest::usageErrors()
{
    QFETCH(QStringList, arguments);
    const QStringList before = entries();

    const CliRun::Result result = run(arguments);

    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.contains("usage: leaflow-cli merge -o OUT"), result.err.constData());
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(entries(), before);
}

void CliTest::helpPrintsUsage()
{
    const CliRun::Result result = run({QStringLiteral("--help")});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.startsWith("usage: leaflow-cli merge -o OUT [--password=PW] IN"));
    QVERIFY(result.out.contains("leaflow-cli sign -o OUT [--password=PW] IN --signature=FILE"));
}

void CliTest::failuresPrintOneLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("merge: not a PDF") << QStringList{"merge", "-o", "o.pdf", "A.pdf", "notlar.pdf"}
                                      << "notlar.pdf açılamadı. Dosya bozuk ya da PDF değil.";
    QTest::newRow("merge: wrong password")
        << QStringList{"merge", "-o", "o.pdf", "--password=sifre", "Kilitli.pdf"}
        << "Kilitli.pdf parola korumalı. Dosyayı yeniden ekleyip parolasını gir.";
    QTest::newRow("merge: parent is a file")
        << QStringList{"merge", "-o", "A.pdf/Birleşik.pdf", "A.pdf"}
        << "Birleşik.pdf yazılamadı. Kaydedilecek klasör bulunamadı: %1"; // the work folder's A.pdf
    QTest::newRow("split: bad range named")
        << QStringList{"split", "--ranges=1-2, x", "-d", ".", "Rapor.pdf"}
        << "“x” anlaşılmadı. Örnek: 1-3, 5, 8-12";
    QTest::newRow("split: range outside")
        << QStringList{"split", "--ranges=4-9", "-d", ".", "Rapor.pdf"}
        << "Bu PDF 5 sayfa. “4-9” bunun dışında kalıyor.";
    QTest::newRow("delete: open end covers all")
        << QStringList{"delete", "--pages=1-", "-o", "o.pdf", "A.pdf"}
        << "En az bir sayfa kalmalı.";
    QTest::newRow("compress: missing input") << QStringList{"compress", "-o", "o.pdf", "yok.pdf"}
                                             << "yok.pdf açılamadı. Dosya bozuk ya da PDF değil.";
}

void CliTest::failuresPrintOneLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    if (message.contains(u"%1")) {
        message = message.arg(QFileInfo(path(QStringLiteral("A.pdf"))).canonicalFilePath());
    }
    const QStringList before = entries();

    const CliRun::Result result = run(arguments);

    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(QString::fromUtf8(result.err), message + u'\n');
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(entries(), before);
}

void CliTest::mergesWithPasswordsPerInput()
{
    const CliRun::Result result = run({"merge", "-o", "Birleşik.pdf", "--password=şifre",
                                       "Kilitli.pdf", "A.pdf", "--password=başka", "Gizli.pdf"});

    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(Fixtures::readTags(path(QStringLiteral("Birleşik.pdf"))),
             (QStringList{"K1", "K2", "A1", "A2", "G1"}));
}

void CliTest::passwordAppliesOnlyToTheNextInput()
{
    Fixtures::writePdf(path(QStringLiteral("İkinci.pdf")), Fixtures::tagged(QStringLiteral("I"), 1),
                       {Fixtures::Cipher::aes128, QStringLiteral("şifre"), QStringLiteral("o")});

    const CliRun::Result result =
        run({"merge", "-o", "o.pdf", "--password=şifre", "Kilitli.pdf", "İkinci.pdf"});

    QCOMPARE(result.exitCode, 1);
    QCOMPARE(QString::fromUtf8(result.err),
             QStringLiteral(
                 "İkinci.pdf parola korumalı. Dosyayı yeniden ekleyip parolasını gir.\n"));
    QVERIFY(!QFile::exists(path(QStringLiteral("o.pdf"))));
}

void CliTest::splitPrintsPathsInGroupOrder_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<QStringList>>("tags");

    QTest::newRow("every 2") << "--every=2"
                             << QStringList{"Rapor 1-2.pdf", "Rapor 3-4.pdf", "Rapor 5.pdf"}
                             << QList<QStringList>{{"R1", "R2"}, {"R3", "R4"}, {"R5"}};
    QTest::newRow("each") << "--each"
                          << QStringList{"Rapor 1.pdf", "Rapor 2.pdf", "Rapor 3.pdf", "Rapor 4.pdf",
                                         "Rapor 5.pdf"}
                          << QList<QStringList>{{"R1"}, {"R2"}, {"R3"}, {"R4"}, {"R5"}};
    QTest::newRow("ranges in typed order")
        << "--ranges=4-, 1; 2–3" << QStringList{"Rapor 4-5.pdf", "Rapor 1.pdf", "Rapor 2-3.pdf"}
        << QList<QStringList>{{"R4", "R5"}, {"R1"}, {"R2", "R3"}};
}

void CliTest::splitPrintsPathsInGroupOrder()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, names);
    QFETCH(QList<QStringList>, tags);
    const QDir folder(path(QStringLiteral("parçalar")));
    QVERIFY(folder.mkpath(QStringLiteral(".")));

    const CliRun::Result result = run({"split", mode, "-d", folder.path(), "Rapor.pdf"});

    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QStringList expected;
    for (qsizetype i = 0; i < names.size(); ++i) {
        expected.append(folder.filePath(names[i]));
        QCOMPARE(Fixtures::readTags(expected.last()), tags[i]);
    }
    QCOMPARE(QString::fromUtf8(result.out), expected.join(u'\n') + u'\n');
}

void CliTest::deletesOneBasedPages()
{
    const CliRun::Result result =
        run({"delete", "--pages=1, 3-4, 4", "-o", "Kalan.pdf", "Rapor.pdf"});

    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(Fixtures::readTags(path(QStringLiteral("Kalan.pdf"))), (QStringList{"R2", "R5"}));
}

void CliTest::relativePathsFollowTheWorkingFolder()
{
    QDir(m_dir->path()).mkpath(QStringLiteral("iç/çıktı"));
    QFile::copy(path(QStringLiteral("A.pdf")), path(QStringLiteral("iç/A.pdf")));
    const QString inner = path(QStringLiteral("iç"));

    const auto merged = CliRun::run({"merge", "-o", "çıktı/M.pdf", "A.pdf", "../Rapor.pdf"}, inner,
                                    m_config->path());
    const auto split =
        CliRun::run({"split", "--every=4", "-d", "çıktı", "../Rapor.pdf"}, inner, m_config->path());

    QCOMPARE(merged.exitCode, 0);
    QCOMPARE(Fixtures::readTags(path(QStringLiteral("iç/çıktı/M.pdf"))),
             (QStringList{"A1", "A2", "R1", "R2", "R3", "R4", "R5"}));
    QCOMPARE(split.exitCode, 0);
    const QString folder = QDir(path(QStringLiteral("iç/çıktı"))).absolutePath();
    QCOMPARE(QString::fromUtf8(split.out), folder + "/Rapor 1-4.pdf\n" + folder + "/Rapor 5.pdf\n");
}

void CliTest::compressPrintsSizesOrExits3()
{
    ImageFixtures::Builder photo;
    photo.addPage(photo.image(ImageFixtures::Kind::rgb, 1800, 1000), QStringLiteral("photo"));
    photo.write(path(QStringLiteral("photo.pdf")));
    const qint64 before = QFileInfo(path(QStringLiteral("photo.pdf"))).size();

    const CliRun::Result smaller =
        run({"compress", "--level=strong", "-o", "small.pdf", "photo.pdf"});

    QCOMPARE(smaller.exitCode, 0);
    const qint64 after = QFileInfo(path(QStringLiteral("small.pdf"))).size();
    QVERIFY(after > 0 && after < before);
    const QString printed = QString::fromUtf8(smaller.out);
    QVERIFY2(printed.contains(QString::number(before)) && printed.contains(QString::number(after)),
             qPrintable(printed));

    // Text only: nothing to gain, nothing written.
    const CliRun::Result same = run({"compress", "-o", "text-out.pdf", "A.pdf"});
    QCOMPARE(same.exitCode, 3);
    QCOMPARE(
        QString::fromUtf8(same.err),
        QStringLiteral(
            "Daha fazla küçülmedi. Dosya zaten sıkıştırılmış görünüyor, yeni dosya yazılmadı.\n"));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("text-out.pdf"))));
}

void CliTest::signsWithRecordAndImage()
{
    SavedSignature drawn;
    drawn.strokes = QList<Stroke>{{{0.1, 0.5}, {0.9, 0.5}}};
    Fixtures::writeBytes(path(QStringLiteral("drawn.json")), DataCoding::encodeSignature(drawn));
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QVERIFY(picture.save(path(QStringLiteral("scan.png"))));

    const CliRun::Result result =
        run({"sign", "-o", "out.pdf", "A.pdf", "--signature=drawn.json", "--page=2",
             "--rect=0,0,0.5,0.5", "--signature=scan.png", "--page=1", "--rect=0.5,0.5,0.5,0.5"});

    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    // One-based pages: the record on page 2 at the top left, the image on page 1 at the bottom
    // right.
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path(QStringLiteral("out.pdf"))).constData());
    QList<QRectF> rects;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        const auto r = page.getObjectHandle()
                           .getKey("/Annots")
                           .getArrayItem(0)
                           .getKey("/Rect")
                           .getArrayAsRectangle();
        rects.append(QRectF(r.llx, r.lly, r.urx - r.llx, r.ury - r.lly));
    }
    QCOMPARE(rects, (QList<QRectF>{QRectF(306, 0, 306, 396), QRectF(0, 396, 306, 396)}));

    // Signatures without art: not an image, an empty record, a missing file.
    Fixtures::writeBytes(path(QStringLiteral("junk.png")), "neither an image nor a record");
    Fixtures::writeBytes(path(QStringLiteral("empty.json")),
                         DataCoding::encodeSignature(SavedSignature{}));
    for (const char* signature : {"junk.png", "empty.json", "none.png"}) {
        const CliRun::Result failed =
            run({"sign", "-o", "never.pdf", "A.pdf",
                 QStringLiteral("--signature=") + QLatin1String(signature), "--page=1",
                 "--rect=0,0,1,1"});
        QCOMPARE(failed.exitCode, 1);
        QCOMPARE(failed.err.count('\n'), 1);
        QVERIFY(!QFile::exists(path(QStringLiteral("never.pdf"))));
    }
}

QTEST_GUILESS_MAIN(CliTest)
#include "CliTest.moc"
