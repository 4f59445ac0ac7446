#include "CliRun.h"
#include "Fixtures.h"
#include "HelperFixtures.h"
#include "HostileFixtures.h"
#include "ImageFixtures.h"
#include "cli/CommandLine.h"
#include "core/AppLanguage.h"
#include "core/DataCoding.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <poppler-qt6.h>

// leaflow-cli as a user runs it: arguments, exit statuses, messages, passwords, printed paths;
// what the engine makes of the files is the engine suites' business.
class CliTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void refusesWithoutWriting_data();
    void refusesWithoutWriting();
    void writesAndPrintsSplitPaths_data();
    void writesAndPrintsSplitPaths();
    void compressPrintsSizesOrExits3();
    void signsWithRecordAndImage();
    void ctrlCStopsTheWorkerAndWritesNothing();
    void passwordFiles_data();
    void passwordFiles();
    void ctrlCAtThePromptRestoresEcho();
    void ocrLanguagesAndOptions();
    void ocrMakesAScanSearchable();

private:
    CliRun::Result run(const QStringList& arguments, const QByteArray& input = {}) const
    {
        return CliRun::run(arguments, m_dir->path(), m_config->path(), 60000, input);
    }
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QStringList entries() const { return Fixtures::entries(m_dir->path()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_config;
};

void CliTest::init()
{
    QVERIFY2(QFile::exists(CliRun::program()), "LEAFLOW_CLI must name the built leaflow-cli");
    m_dir = std::make_unique<QTemporaryDir>();
    m_config = std::make_unique<QTemporaryDir>();
    Fixtures::writePdf(path("A.pdf"), Fixtures::tagged("A", 2));
    Fixtures::writePdf(path("Rapor.pdf"), Fixtures::tagged("R", 5));
    Fixtures::writePdf(path("Kilitli.pdf"), Fixtures::tagged("K", 2),
                       {Fixtures::Cipher::aes256, QStringLiteral("şifre"),
                        QStringLiteral("sahip")});
    Fixtures::writePdf(path("Gizli.pdf"), Fixtures::tagged("G", 1),
                       {Fixtures::Cipher::rc4_128, QStringLiteral("başka"), QStringLiteral("o")});
    Fixtures::writePdf(path("İkinci.pdf"), Fixtures::tagged("I", 1),
                       {Fixtures::Cipher::aes128, QStringLiteral("şifre"), QStringLiteral("o")});
    // Debian 12's qpdf parser never finishes reading this one.
    QVERIFY(QFile::copy(Fixtures::corpusFile(QStringLiteral("damaged/qpdf__69977a.fuzz")),
                        path(QStringLiteral("Asılı.pdf"))));
}

void CliTest::refusesWithoutWriting_data()
{
    QTest::addColumn<QStringList>("arguments");
    // The usage text or "leaflow-cli: " and its error: exit 2, else exit 1 and this one line.
    QTest::addColumn<QString>("message");

    const QString usage = QStringLiteral("usage: leaflow-cli merge -o OUT");
    const QStringList sign{"sign", "-o", "o.pdf", "A.pdf", "--signature=s.png", "--page=1"};
    QTest::newRow("nothing") << QStringList{} << usage;
    QTest::newRow("unknown command") << QStringList{"join", "A.pdf"} << usage;
    QTest::newRow("merge without -o") << QStringList{"merge", "A.pdf", "Rapor.pdf"} << usage;
    QTest::newRow("unknown option")
        << QStringList{"merge", "--fast", "-o", "o.pdf", "A.pdf"} << usage;
    QTest::newRow("split without mode") << QStringList{"split", "-d", ".", "Rapor.pdf"} << usage;
    QTest::newRow("split every zero")
        << QStringList{"split", "--every=0", "-d", ".", "Rapor.pdf"} << usage;
    QTest::newRow("delete without pages")
        << QStringList{"delete", "-o", "o.pdf", "Rapor.pdf"} << usage;
    QTest::newRow("compress, unknown level")
        << QStringList{"compress", "--level=tiny", "-o", "o.pdf", "A.pdf"} << usage;
    QTest::newRow("sign, missing rect") << sign << usage;
    QTest::newRow("sign, past the right edge")
        << sign + QStringList{"--rect=0.6,0,0.5,0.5"} << usage;
    QTest::newRow("sign, extra page") << sign + QStringList{"--rect=0,0,1,1", "--page=1"} << usage;
    const QStringList organize{"organize", "-o", "o.pdf", "Rapor.pdf"};
    QTest::newRow("organize, angle not a multiple of 90")
        << organize + QStringList{"--rotate=1-3:45"} << "leaflow-cli: --rotate needs RANGES:ANGLE";
    QTest::newRow("organize, rotation without angle")
        << organize + QStringList{"--rotate=1-3"} << "leaflow-cli: --rotate needs RANGES:ANGLE";
    QTest::newRow("extract without pages") << QStringList{"extract", "-o", "o.pdf", "A.pdf"}
                                           << "leaflow-cli: extract needs --pages=ORDER";
    QTest::newRow("merge, pages after the last input")
        << QStringList{"merge", "-o", "o.pdf", "A.pdf", "--pages=1"}
        << "leaflow-cli: --pages must come before the input it applies to";
    QTest::newRow("extract: a piece that does not read")
        << QStringList{"extract", "--pages=2, x", "-o", "o.pdf", "Rapor.pdf"}
        << "“x” anlaşılmadı. Örnek: 1-3, 5, 8-12";
    QTest::newRow("organize: downward past the end")
        << organize + QStringList{"--pages=9-2"} << "Bu PDF 5 sayfa. “9-2” bunun dışında kalıyor.";
    QTest::newRow("organize: rotation past the end")
        << organize + QStringList{"--rotate=6:90"} << "Bu PDF 5 sayfa. “6” bunun dışında kalıyor.";
    QTest::newRow("merge: a range past the end of its input")
        << QStringList{"merge", "-o", "o.pdf", "A.pdf", "--pages=2, 6", "Rapor.pdf"}
        << "Rapor.pdf: Bu PDF 5 sayfa. “6” bunun dışında kalıyor.";
    QTest::newRow("organize: locked, no terminal to ask on")
        << QStringList{"organize", "-o", "o.pdf", "Kilitli.pdf"}
        << "Kilitli.pdf parola korumalı. Dosyayı yeniden ekleyip parolasını gir.";
    QTest::newRow("merge: a password goes only to the next input")
        << QStringList{"merge", "-o", "o.pdf", "--password=şifre", "Kilitli.pdf", "İkinci.pdf"}
        << "İkinci.pdf parola korumalı. Dosyayı yeniden ekleyip parolasını gir.";
    QTest::newRow("delete: open end covers all")
        << QStringList{"delete", "--pages=1-", "-o", "o.pdf", "A.pdf"}
        << "En az bir sayfa kalmalı.";
    QTest::newRow("compress: missing input") << QStringList{"compress", "-o", "o.pdf", "yok.pdf"}
                                             << "yok.pdf açılamadı. Dosya bozuk ya da PDF değil.";
    QTest::newRow("ocr, unknown language, named")
        << QStringList{"ocr", "--lang=tur+fra", "-o", "o.pdf", "A.pdf"}
        << "leaflow-cli: unknown language \"fra\"";
    QTest::newRow("timeout of zero")
        << QStringList{"merge", "-o", "o.pdf", "A.pdf", "--timeout=0"} << usage;
    QTest::newRow("merge: an input that hangs the parser, past --timeout")
        << QStringList{"merge", "--timeout=2", "-o", "o.pdf", "A.pdf", "Asılı.pdf"}
        << "Asılı.pdf işlenemedi: süre doldu.";
    // A worker that is not installed is what the line names, not the input.
    QTest::newRow("worker not installed") << QStringList{"merge", "-o", "o.pdf", "A.pdf"}
                                          << "Leaflow eksik kurulmuş: leaflow-worker bulunamadı.";
    // Images are read by a module loaded for them; without it the line names the module.
    QTest::newRow("image module not installed")
        << QStringList{"sign",          "-o", "o.pdf", "A.pdf", "--signature=junk.png", "--page=1",
                       "--rect=0,0,1,1"}
        << "Leaflow eksik kurulmuş: leaflow-art.so bulunamadı.";
    // Signatures without art: not an image, an empty record, a missing file.
    for (const QString art : {"junk.png", "empty.json", "none.png"}) {
        const QStringList arguments{"sign", "-o", "o.pdf", "A.pdf", "--signature=" + art};
        QTest::addRow("sign: no art in %s", qPrintable(art))
            << arguments + QStringList{"--page=1", "--rect=0,0,1,1"} << "İmza okunamadı: " + art;
    }
}

void CliTest::refusesWithoutWriting()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    Fixtures::writeBytes(path("junk.png"), "neither an image nor a record");
    Fixtures::writeBytes(path("empty.json"), DataCoding::encodeSignature(SavedSignature{}));
    const QStringList before = entries();
    std::optional<HelperFixtures::Override> missing;
    if (message.contains(u"leaflow-worker")) {
        missing.emplace("LEAFLOW_WORKER", path("yok/leaflow-worker"));
    } else if (message.contains(u"leaflow-art.so")) {
        missing.emplace("LEAFLOW_ART_MODULE", path("yok/leaflow-art.so"));
    }

    const CliRun::Result result = run(arguments);

    QVERIFY(!result.crashed);
    if (message.startsWith(QStringLiteral("usage:")) || message.startsWith(u"leaflow-cli: ")) {
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.contains(message.toUtf8()), result.err.constData());
    } else {
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(QString::fromUtf8(result.err), message + u'\n');
    }
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(entries(), before);
}

void CliTest::writesAndPrintsSplitPaths_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<QList<QStringList>>("tags");

    QTest::newRow("merge, passwords per input")
        << QStringList{"merge",       "-o",    "Birleşik.pdf",     "--password=şifre",
                       "Kilitli.pdf", "A.pdf", "--password=başka", "Gizli.pdf"}
        << QStringList{"Birleşik.pdf"} << QList<QStringList>{{"K1", "K2", "A1", "A2", "G1"}};
    QTest::newRow("split every 2") << QStringList{"split", "--every=2", "-d", ".", "Rapor.pdf"}
                                   << QStringList{"Rapor 1-2.pdf", "Rapor 3-4.pdf", "Rapor 5.pdf"}
                                   << QList<QStringList>{{"R1", "R2"}, {"R3", "R4"}, {"R5"}};
    QTest::newRow("split each") << QStringList{"split", "--each", "-d", ".", "A.pdf"}
                                << QStringList{"A 1.pdf", "A 2.pdf"}
                                << QList<QStringList>{{"A1"}, {"A2"}};
    QTest::newRow("split ranges in typed order")
        << QStringList{"split", "--ranges=4-, 1; 2–3", "-d", ".", "Rapor.pdf"}
        << QStringList{"Rapor 4-5.pdf", "Rapor 1.pdf", "Rapor 2-3.pdf"}
        << QList<QStringList>{{"R4", "R5"}, {"R1"}, {"R2", "R3"}};
    QTest::newRow("delete one-based pages")
        << QStringList{"delete", "--pages=1, 3-4, 4", "-o", "Kalan.pdf", "Rapor.pdf"}
        << QStringList{"Kalan.pdf"} << QList<QStringList>{{"R2", "R5"}};
    // Tags carry their page's /Rotate when it has one.
    const QStringList out{"-o", "o.pdf"};
    QTest::newRow("organize, turns adding up")
        << QStringList{"organize", "--pages=3,1,2,5-", "--rotate=1-2:90", "--rotate=2,5,5:180",
                       "Rapor.pdf"} +
               out
        << QStringList{"o.pdf"} << QList<QStringList>{{"R3", "R1 90", "R2 270", "R5 180"}};
    QTest::newRow("organize, downward, all turned back")
        << QStringList{"organize", "--pages=5-3; 1", "--rotate=all:-90", "Rapor.pdf"} + out
        << QStringList{"o.pdf"} << QList<QStringList>{{"R5 270", "R4 270", "R3 270", "R1 270"}};
    QTest::newRow("organize, every page by default")
        << QStringList{"organize", "--rotate=2:270", "--password=şifre", "Kilitli.pdf"} + out
        << QStringList{"o.pdf"} << QList<QStringList>{{"K1", "K2 270"}};
    QTest::newRow("extract, repeats in order")
        << QStringList{"extract", "--pages=4, 2, 2", "Rapor.pdf"} + out << QStringList{"o.pdf"}
        << QList<QStringList>{{"R4", "R2", "R2"}};
    QTest::newRow("merge, pages per input")
        << QStringList{"merge",     "--pages=4-, 1", "Rapor.pdf", "A.pdf", "--password=şifre",
                       "--pages=2", "Kilitli.pdf"} +
               out
        << QStringList{"o.pdf"} << QList<QStringList>{{"R4", "R5", "R1", "A1", "A2", "K2"}};
}

// Each page's tag, and its /Rotate after a space when it has one.
static QStringList turnedTags(const QString& file)
{
    QStringList tags = Fixtures::readTags(file);
    const QList<std::pair<int, QRectF>> layouts = Fixtures::readLayouts(file);
    for (qsizetype i = 0; i < tags.size() && i < layouts.size(); ++i) {
        tags[i] += layouts[i].first != 0 ? u' ' + QString::number(layouts[i].first) : QString();
    }
    return tags;
}

// Split prints each written path on a line of its own, in group order; the others print nothing.
void CliTest::writesAndPrintsSplitPaths()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, outputs);
    QFETCH(QList<QStringList>, tags);

    const CliRun::Result result = run(arguments);

    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QString printed;
    for (const QString& output : outputs) {
        printed += arguments.first() == QStringLiteral("split") ? path(output) + u'\n' : "";
    }
    QCOMPARE(QString::fromUtf8(result.out), printed);
    for (qsizetype i = 0; i < outputs.size(); ++i) {
        QVERIFY2(QFile::exists(path(outputs[i])), qPrintable(outputs[i]));
        QCOMPARE(turnedTags(path(outputs[i])), tags[i]);
    }
}

void CliTest::compressPrintsSizesOrExits3()
{
    ImageFixtures::Builder photo;
    photo.addPage(photo.image(ImageFixtures::Kind::rgb, 1800, 1000), QStringLiteral("photo"));
    photo.write(path("photo.pdf"));
    const qint64 before = QFileInfo(path("photo.pdf")).size();

    const CliRun::Result smaller =
        run({"compress", "--level=strong", "-o", "small.pdf", "photo.pdf"});

    QCOMPARE(smaller.exitCode, 0);
    const qint64 after = QFileInfo(path("small.pdf")).size();
    QVERIFY(after > 0 && after < before);
    const QString printed = QString::fromUtf8(smaller.out);
    QVERIFY2(printed.contains(QString::number(before)) && printed.contains(QString::number(after)),
             qPrintable(printed));

    // What was just compressed has nothing more to gain: nothing written.
    const CliRun::Result same = run({"compress", "-o", "text-out.pdf", "small.pdf"});
    QCOMPARE(same.exitCode, 3);
    QCOMPARE(
        QString::fromUtf8(same.err),
        QStringLiteral(
            "Daha fazla küçülmedi. Dosya zaten sıkıştırılmış görünüyor, yeni dosya yazılmadı.\n"));
    QVERIFY(!QFileInfo::exists(path("text-out.pdf")));
}

void CliTest::signsWithRecordAndImage()
{
    SavedSignature drawn;
    drawn.strokes = QList<Stroke>{{{0.1, 0.5}, {0.9, 0.5}}};
    Fixtures::writeBytes(path("drawn.json"), DataCoding::encodeSignature(drawn));
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QVERIFY(picture.save(path("scan.png")));

    const CliRun::Result result =
        run({"sign", "-o", "out.pdf", "A.pdf", "--signature=drawn.json", "--page=2",
             "--rect=0,0,0.5,0.5", "--signature=scan.png", "--page=1", "--rect=0.5,0.5,0.5,0.5"});

    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    // One-based pages: the record top left on page 2, the image bottom right on page 1.
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path("out.pdf")).constData());
    QList<QRectF> rects;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        for (QPDFObjectHandle& annot :
             page.getObjectHandle().getKey("/Annots").getArrayAsVector()) {
            const auto r = annot.getKey("/Rect").getArrayAsRectangle();
            rects.append(QRectF(r.llx, r.lly, r.urx - r.llx, r.ury - r.lly));
        }
    }
    QCOMPARE(rects, (QList<QRectF>{QRectF(306, 0, 306, 396), QRectF(0, 396, 306, 396)}));
}

// Ctrl+C during a run ends the worker at once and the program with status 130.
void CliTest::ctrlCStopsTheWorkerAndWritesNothing()
{
    const QStringList before = entries();
    QProcess cli;
    cli.setWorkingDirectory(m_dir->path());
    cli.start(CliRun::program(), {"merge", "-o", "o.pdf", "A.pdf", "Asılı.pdf"});
    QList<qint64> workers;
    QVERIFY(QTest::qWaitFor(
        [&] {
            return !(workers = Fixtures::childProcesses("leaflow-worker", cli.processId()))
                        .isEmpty();
        },
        20000));
    ::kill(pid_t(cli.processId()), SIGINT);
    QVERIFY(cli.waitForFinished(20000));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 130);
    QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/%1").arg(workers.first())));
    QCOMPARE(entries(), before);
}

void CliTest::passwordFiles_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("file"); // pw.txt's bytes; null: no such file
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // the first line on standard error, after "leaflow-cli: "
    QTest::addColumn<QStringList>("tags");

    const QStringList fromFile{"merge", "-o", "o.pdf", "--password-file=pw.txt", "Kilitli.pdf"};
    const QStringList fromInput{"merge", "-o", "o.pdf", "--password-file=-", "Kilitli.pdf"};
    const QStringList locked{"K1", "K2"};

    QTest::newRow("file, one line")
        << fromFile << QByteArray("şifre\n") << QByteArray() << 0 << QString() << locked;
    QTest::newRow("file, CRLF and a second line")
        << fromFile << QByteArray("şifre\r\nsahip\n") << QByteArray() << 0 << QString() << locked;
    QTest::newRow("standard input without a line ending")
        << fromInput << QByteArray() << QByteArray("şifre") << 0 << QString() << locked;
    QTest::newRow("a file and standard input, one per input")
        << fromFile + QStringList{"A.pdf", "--password-file=-", "Gizli.pdf"}
        << QByteArray("şifre\n") << QByteArray("başka\n") << 0 << QString()
        << QStringList{"K1", "K2", "A1", "A2", "G1"};
    QTest::newRow("wrong password in the file")
        << fromFile << QByteArray("sifre\n") << QByteArray() << 1
        << "Kilitli.pdf parola korumalı. Dosyayı yeniden ekleyip parolasını gir." << QStringList();
    QTest::newRow("missing file") << fromFile << QByteArray() << QByteArray() << 2
                                  << "--password-file=pw.txt: " << QStringList();
    QTest::newRow("empty first line")
        << fromFile << QByteArray("\nşifre\n") << QByteArray() << 2
        << "--password-file=pw.txt: the first line is empty" << QStringList();
    QTest::newRow("empty standard input")
        << fromInput << QByteArray() << QByteArray() << 2
        << "--password-file=-: the first line is empty" << QStringList();
    QTest::newRow("a first line past 4096 bytes")
        << fromFile << QByteArray(5000, 'x') << QByteArray() << 2
        << "--password-file=pw.txt: the first line is longer than 4096 bytes" << QStringList();
    QTest::newRow("standard input twice")
        << fromInput + QStringList{"--password-file=-", "Gizli.pdf"} << QByteArray()
        << QByteArray("şifre\n") << 2 << "--password-file=- may be given only once"
        << QStringList();
    QTest::newRow("after the last input")
        << QStringList{"merge", "-o", "o.pdf", "A.pdf", "--password-file=pw.txt"}
        << QByteArray("x\n") << QByteArray() << 2
        << "a password must come before the input it unlocks" << QStringList();
}

// The first line of a file or of standard input unlocks the next input, as --password does,
// without putting the password on the command line; a file that gives none is a usage error.
void CliTest::passwordFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QStringList, tags);
    if (!file.isNull()) {
        Fixtures::writeBytes(path("pw.txt"), file);
    }
    const QStringList before = entries();

    const CliRun::Result result = run(arguments, input);

    QCOMPARE(result.exitCode, exitCode);
    if (exitCode == 0) {
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(Fixtures::readTags(path("o.pdf")), tags);
        return;
    }
    // The whole first line, but for a missing file, whose cause is in the system's words.
    const QByteArray line = (exitCode == 2 ? "leaflow-cli: " : "") + message.toUtf8();
    const QByteArray first = result.err.left(result.err.indexOf('\n'));
    QVERIFY2(message.endsWith(u' ') ? first.startsWith(line) : first == line,
             result.err.constData());
    QCOMPARE(entries(), before);
}

// Ctrl+C at the password prompt ends the program with 130 and leaves the terminal echoing.
void CliTest::ctrlCAtThePromptRestoresEcho()
{
    CliRun::OnTerminal cli({"merge", "-o", "o.pdf", "Kilitli.pdf"}, m_dir->path(),
                           m_config->path());
    QVERIFY(cli.started());
    QVERIFY(cli.echoes());
    QVERIFY2(cli.waitForOutput("Kilitli.pdf için parola: ", 30000), cli.output().constData());
    QVERIFY(cli.waitForEcho(false, 10000));

    cli.type("\x03");

    QCOMPARE(cli.waitForExit(20000), std::optional(130));
    QVERIFY(cli.echoes());
    QVERIFY(!QFileInfo::exists(path("o.pdf")));
}

// The interface's language and English unless named (Turkish: below); the last puts it back.
void CliTest::ocrLanguagesAndOptions()
{
    const QList<std::tuple<AppLanguage, QString, QString>> cases{
        {AppLanguage::es, "", "eng+spa"},
        {AppLanguage::en, "", "eng"},
        {AppLanguage::en, "--lang=tur+SPA+tur", "spa+tur"},
        {AppLanguage::tr, "--rotate-pages --lang=spa --redo --lang=eng", "eng redo rotate"}};
    for (const auto& [interface, options, expected] : cases) {
        AppLanguages::installTranslator(*QCoreApplication::instance(), interface);
        const auto parsed = CommandLine::parse(QStringList{"ocr", "-o", "o.pdf", "A.pdf"} +
                                               options.split(u' ', Qt::SkipEmptyParts));
        const auto& ocr =
            std::get<CommandLine::Ocr>(std::get<CommandLine::Invocation>(parsed).command);
        QCOMPARE(ocr.languages.join(u'+') + (ocr.redo ? " redo" : "") +
                     (ocr.rotatePages ? " rotate" : ""),
                 expected);
    }
}

// A scan of Turkish words comes back as text; run again, nothing is left to do.
void CliTest::ocrMakesAScanSearchable()
{
    const QString words = QStringLiteral("Sözleşme şubesi öğretmen ışık çağrı");
    QImage scan(2000, 300, QImage::Format_Grayscale8);
    scan.fill(Qt::white);
    QPainter painter(&scan);
    painter.setFont(QFont(QStringLiteral("DejaVu Serif"), 42));
    painter.drawText(50, 180, words);
    painter.end();
    QPdfWriter writer(path("scan.pdf"));
    writer.setResolution(300);
    QPainter(&writer).drawImage(0, 0, scan);
    QCOMPARE(run({"ocr", "-o", "o.pdf", "scan.pdf"}).out, QByteArray("1 sayfa tanındı\n"));
    QCOMPARE(Poppler::Document::load(path("o.pdf"))->page(0)->text(QRectF()).simplified(), words);
    QCOMPARE(run({"ocr", "-o", "again.pdf", "o.pdf"}).exitCode, 3);
}

QTEST_MAIN(CliTest)
#include "CliTest.moc"
