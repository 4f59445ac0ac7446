#include "CliRun.h"
#include "Fixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// leaflow-cli as a user runs it: exit statuses, messages on standard error,
// passwords per input, the range grammar for deletion and split's printed paths.
class CliTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void usageErrors_data();
    void usageErrors();
    void helpPrintsUsage();
    void engineFailures_data();
    void engineFailures();
    void mergesWithPasswordsPerInput();
    void passwordAppliesOnlyToTheNextInput();
    void splitPrintsPathsInGroupOrder_data();
    void splitPrintsPathsInGroupOrder();
    void deletesOneBasedPages_data();
    void deletesOneBasedPages();
    void relativePathsFollowTheWorkingFolder();

private:
    CliRun::Result run(const QStringList& arguments) const
    {
        return CliRun::run(arguments, m_dir->path(), m_config->path());
    }
    QString path(const QString& name) const { return m_dir->filePath(name); }

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
    Fixtures::writePdf(path(QStringLiteral("Kilitli.pdf")), Fixtures::tagged(QStringLiteral("K"), 2),
                       {Fixtures::Cipher::aes256, QStringLiteral("şifre"), QStringLiteral("sahip")});
    Fixtures::writePdf(path(QStringLiteral("Gizli.pdf")), Fixtures::tagged(QStringLiteral("G"), 1),
                       {Fixtures::Cipher::rc4_128, QStringLiteral("başka"), QStringLiteral("o")});
    Fixtures::writeBytes(path(QStringLiteral("notlar.pdf")), "alışveriş listesi\n");
}

void CliTest::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"join", "A.pdf"};
    QTest::newRow("merge without -o") << QStringList{"merge", "A.pdf", "Rapor.pdf"};
    QTest::newRow("merge without inputs") << QStringList{"merge", "-o", "out.pdf"};
    QTest::newRow("-o without a path") << QStringList{"merge", "A.pdf", "-o"};
    QTest::newRow("password after the last input")
        << QStringList{"merge", "-o", "out.pdf", "A.pdf", "--password=x"};
    QTest::newRow("unknown option") << QStringList{"merge", "--fast", "-o", "out.pdf", "A.pdf"};
    QTest::newRow("split without mode") << QStringList{"split", "-d", ".", "Rapor.pdf"};
    QTest::newRow("split with two modes")
        << QStringList{"split", "--each", "--every=2", "-d", ".", "Rapor.pdf"};
    QTest::newRow("split without folder") << QStringList{"split", "--each", "Rapor.pdf"};
    QTest::newRow("split with two inputs")
        << QStringList{"split", "--each", "-d", ".", "Rapor.pdf", "A.pdf"};
    QTest::newRow("split every zero") << QStringList{"split", "--every=0", "-d", ".", "Rapor.pdf"};
    QTest::newRow("split every text") << QStringList{"split", "--every=iki", "-d", ".", "Rapor.pdf"};
    QTest::newRow("delete without pages") << QStringList{"delete", "-o", "out.pdf", "Rapor.pdf"};
    QTest::newRow("delete without output") << QStringList{"delete", "--pages=1", "Rapor.pdf"};
}

void CliTest::usageErrors()
{
    QFETCH(QStringList, arguments);
    const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);

    const CliRun::Result result = run(arguments);

    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.contains("usage: leaflow-cli merge -o OUT"), result.err.constData());
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void CliTest::helpPrintsUsage()
{
    const CliRun::Result result = run({QStringLiteral("--help")});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.startsWith("usage: leaflow-cli merge -o OUT [--password=PW] IN"));
    QVERIFY(result.out.contains("leaflow-cli split (--each | --every=N | --ranges=TEXT) -d FOLDER"));
    QVERIFY(result.out.contains("leaflow-cli delete --pages=TEXT -o OUT [--password=PW] IN"));
}

void CliTest::engineFailures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("merge: not a PDF")
        << QStringList{"merge", "-o", "out.pdf", "A.pdf", "notlar.pdf"}
        << "notlar.pdf açılamadı. Dosya bozuk ya da PDF değil.";
    QTest::newRow("merge: missing input") << QStringList{"merge", "-o", "out.pdf", "yok.pdf"}
                                          << "yok.pdf açılamadı. Dosya bozuk ya da PDF değil.";
    QTest::newRow("merge: locked, no password")
        << QStringList{"merge", "-o", "out.pdf", "A.pdf", "Kilitli.pdf"}
        << "Kilitli.pdf parola korumalı. Dosyayı yeniden ekleyip parolasını gir.";
    QTest::newRow("merge: wrong password")
        << QStringList{"merge", "-o", "out.pdf", "--password=sifre", "Kilitli.pdf"}
        << "Kilitli.pdf parola korumalı. Dosyayı yeniden ekleyip parolasını gir.";
    QTest::newRow("merge: folder missing")
        << QStringList{"merge", "-o", "yok/Birleşik.pdf", "A.pdf"}
        << "Birleşik.pdf yazılamadı. Klasöre yazma iznin olduğundan emin ol.";
    QTest::newRow("merge: parent is a file")
        << QStringList{"merge", "-o", "A.pdf/Birleşik.pdf", "A.pdf"}
        << "Birleşik.pdf yazılamadı. Klasöre yazma iznin olduğundan emin ol.";
    QTest::newRow("split: bad range") << QStringList{"split", "--ranges=1-2, x", "-d", ".", "Rapor.pdf"}
                                      << "“x” anlaşılmadı. Örnek: 1-3, 5, 8-12";
    QTest::newRow("split: range outside")
        << QStringList{"split", "--ranges=4-9", "-d", ".", "Rapor.pdf"}
        << "Bu PDF 5 sayfa. “4-9” bunun dışında kalıyor.";
    QTest::newRow("split: empty ranges") << QStringList{"split", "--ranges= , ", "-d", ".", "Rapor.pdf"}
                                         << "Aralık yaz. Örnek: 1-3, 5, 8-12";
    QTest::newRow("split: locked") << QStringList{"split", "--each", "-d", ".", "Kilitli.pdf"}
                                   << "Kilitli.pdf parola korumalı. Dosyayı yeniden ekleyip parolasını gir.";
    QTest::newRow("split: folder is a file")
        << QStringList{"split", "--each", "-d", "notlar.pdf", "A.pdf"}
        << "A 1.pdf yazılamadı. Klasöre yazma iznin olduğundan emin ol.";
    QTest::newRow("delete: every page") << QStringList{"delete", "--pages=1-5", "-o", "out.pdf", "Rapor.pdf"}
                                        << "En az bir sayfa kalmalı.";
    QTest::newRow("delete: open end covers all")
        << QStringList{"delete", "--pages=1-", "-o", "out.pdf", "A.pdf"} << "En az bir sayfa kalmalı.";
    QTest::newRow("delete: page zero") << QStringList{"delete", "--pages=0", "-o", "out.pdf", "A.pdf"}
                                       << "“0” anlaşılmadı. Örnek: 1-3, 5, 8-12";
    QTest::newRow("delete: beyond the end")
        << QStringList{"delete", "--pages=3", "-o", "out.pdf", "A.pdf"}
        << "Bu PDF 2 sayfa. “3” bunun dışında kalıyor.";
    QTest::newRow("delete: not a PDF") << QStringList{"delete", "--pages=1", "-o", "out.pdf", "notlar.pdf"}
                                       << "notlar.pdf açılamadı. Dosya bozuk ya da PDF değil.";
}

void CliTest::engineFailures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);

    const CliRun::Result result = run(arguments);

    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(QString::fromUtf8(result.err), message + u'\n');
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void CliTest::mergesWithPasswordsPerInput()
{
    const QByteArray locked = Fixtures::readBytes(path(QStringLiteral("Kilitli.pdf")));
    const CliRun::Result result =
        run({"merge", "-o", "Birleşik.pdf", "--password=şifre", "Kilitli.pdf", "A.pdf",
             "--password=başka", "Gizli.pdf"});

    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray());
    const QString output = path(QStringLiteral("Birleşik.pdf"));
    QCOMPARE(Fixtures::readTags(output), (QStringList{"K1", "K2", "A1", "A2", "G1"}));
    QVERIFY(!Fixtures::isEncrypted(output));
    QVERIFY(Fixtures::qpdfCheckIsClean(output));
    QCOMPARE(Fixtures::readBytes(path(QStringLiteral("Kilitli.pdf"))), locked);
}

void CliTest::passwordAppliesOnlyToTheNextInput()
{
    Fixtures::writePdf(path(QStringLiteral("İkinci.pdf")), Fixtures::tagged(QStringLiteral("I"), 1),
                       {Fixtures::Cipher::aes128, QStringLiteral("şifre"), QStringLiteral("o")});

    const CliRun::Result result =
        run({"merge", "-o", "out.pdf", "--password=şifre", "Kilitli.pdf", "İkinci.pdf"});

    QCOMPARE(result.exitCode, 1);
    QCOMPARE(QString::fromUtf8(result.err),
             QStringLiteral("İkinci.pdf parola korumalı. Dosyayı yeniden ekleyip parolasını gir.\n"));
    QVERIFY(!QFile::exists(path(QStringLiteral("out.pdf"))));
}

void CliTest::splitPrintsPathsInGroupOrder_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<QStringList>>("tags");

    QTest::newRow("each") << "--each"
                          << QStringList{"Rapor 1.pdf", "Rapor 2.pdf", "Rapor 3.pdf", "Rapor 4.pdf",
                                         "Rapor 5.pdf"}
                          << QList<QStringList>{{"R1"}, {"R2"}, {"R3"}, {"R4"}, {"R5"}};
    QTest::newRow("every 2") << "--every=2"
                             << QStringList{"Rapor 1-2.pdf", "Rapor 3-4.pdf", "Rapor 5.pdf"}
                             << QList<QStringList>{{"R1", "R2"}, {"R3", "R4"}, {"R5"}};
    QTest::newRow("every 9") << "--every=9" << QStringList{"Rapor 1-5.pdf"}
                             << QList<QStringList>{{"R1", "R2", "R3", "R4", "R5"}};
    QTest::newRow("ranges in typed order") << "--ranges=4-, 1; 2–3"
                                           << QStringList{"Rapor 4-5.pdf", "Rapor 1.pdf",
                                                          "Rapor 2-3.pdf"}
                                           << QList<QStringList>{{"R4", "R5"}, {"R1"}, {"R2", "R3"}};
    QTest::newRow("overlapping ranges") << "--ranges=1-3, 2-4"
                                        << QStringList{"Rapor 1-3.pdf", "Rapor 2-4.pdf"}
                                        << QList<QStringList>{{"R1", "R2", "R3"}, {"R2", "R3", "R4"}};
}

void CliTest::splitPrintsPathsInGroupOrder()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, names);
    QFETCH(QList<QStringList>, tags);
    const QString folder = path(QStringLiteral("parçalar"));
    QVERIFY(QDir().mkpath(folder));

    const CliRun::Result result = run({"split", mode, "-d", folder, "Rapor.pdf"});

    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QStringList expected;
    for (const QString& name : names) {
        expected.append(QDir(folder).filePath(name));
    }
    QCOMPARE(QString::fromUtf8(result.out), expected.join(u'\n') + u'\n');
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(Fixtures::readTags(expected[i]), tags[i]);
    }
}

void CliTest::deletesOneBasedPages_data()
{
    QTest::addColumn<QString>("pages");
    QTest::addColumn<QStringList>("remaining");

    QTest::newRow("single page") << "1" << QStringList{"R2", "R3", "R4", "R5"};
    QTest::newRow("list and range") << "1, 3-4" << QStringList{"R2", "R5"};
    QTest::newRow("open end") << "2-" << QStringList{"R1"};
    QTest::newRow("repeated pages count once") << "2, 2, 1-2" << QStringList{"R3", "R4", "R5"};
    QTest::newRow("lines and semicolons") << "5\n1;3" << QStringList{"R2", "R4"};
}

void CliTest::deletesOneBasedPages()
{
    QFETCH(QString, pages);
    QFETCH(QStringList, remaining);
    const QByteArray input = Fixtures::readBytes(path(QStringLiteral("Rapor.pdf")));

    const CliRun::Result result =
        run({"delete", "--pages=" + pages, "-o", "Kalan.pdf", "Rapor.pdf"});

    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(Fixtures::readTags(path(QStringLiteral("Kalan.pdf"))), remaining);
    QVERIFY(Fixtures::qpdfCheckIsClean(path(QStringLiteral("Kalan.pdf"))));
    QCOMPARE(Fixtures::readBytes(path(QStringLiteral("Rapor.pdf"))), input);
}

void CliTest::relativePathsFollowTheWorkingFolder()
{
    QDir(m_dir->path()).mkpath(QStringLiteral("iç/çıktı"));
    QFile::copy(path(QStringLiteral("A.pdf")), path(QStringLiteral("iç/A.pdf")));

    const CliRun::Result merged =
        CliRun::run({"merge", "-o", "çıktı/M.pdf", "A.pdf", "../Rapor.pdf"}, path(QStringLiteral("iç")),
                    m_config->path());
    const CliRun::Result split =
        CliRun::run({"split", "--every=4", "-d", "çıktı", "../Rapor.pdf"}, path(QStringLiteral("iç")),
                    m_config->path());

    QCOMPARE(merged.exitCode, 0);
    QCOMPARE(Fixtures::readTags(path(QStringLiteral("iç/çıktı/M.pdf"))),
             (QStringList{"A1", "A2", "R1", "R2", "R3", "R4", "R5"}));
    QCOMPARE(split.exitCode, 0);
    const QString folder = QDir(path(QStringLiteral("iç/çıktı"))).absolutePath();
    QCOMPARE(QString::fromUtf8(split.out),
             folder + QStringLiteral("/Rapor 1-4.pdf\n") + folder + QStringLiteral("/Rapor 5.pdf\n"));
}

QTEST_GUILESS_MAIN(CliTest)
#include "CliTest.moc"
