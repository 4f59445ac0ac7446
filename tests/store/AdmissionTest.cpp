#include "Fixtures.h"
#include "HelperFixtures.h"
#include "StoreTestCase.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

static QStringList names(const QList<PDFFile>& files)
{
    QStringList list;
    for (const PDFFile& file : files) {
        list.append(QFileInfo(file.source.url).fileName());
    }
    return list;
}

// A file of the kind its name begins with: "iyi" a good PDF, "boş" empty, "metin" text,
// "resim" a renamed PNG, "hasar" a cut-off PDF, "sayfasız" a PDF without pages, "döngü" a
// looping page tree; else none.
static QString fileOfKind(StoreFixture& fixture, const QString& name)
{
    QString path = fixture.path(name);
    if (name.startsWith("iyi")) {
        return fixture.pdf(name);
    }
    const QList<std::pair<QString, QByteArray>> kinds{
        {"boş", {}},
        {"metin", "Toplantı notları\n"},
        {"resim", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {"hasar", "%PDF-1.7\n1 0 obj\n<< /Type /Cat"}};
    for (const auto& [kind, bytes] : kinds) {
        if (name.startsWith(kind)) {
            return fixture.file(name, bytes);
        }
    }
    if (name.startsWith("sayfasız")) {
        Fixtures::writePdf(path, {});
    }
    if (name.startsWith("döngü")) {
        Fixtures::writePdf(path + ".plain", Fixtures::tagged("L", 1));
        QPDF pdf;
        pdf.processFile(QFile::encodeName(path + ".plain").constData());
        QPDFObjectHandle pages = pdf.getRoot().getKey("/Pages");
        pages.getKey("/Kids").appendItem(pages);
        QPDFWriter(pdf, QFile::encodeName(path).constData()).write();
    }
    return path;
}

// How files become tool inputs: the extension filter, the per-tool rules, the
// failure messages, the password prompt and files handed over from outside.
class AdmissionTest : public StoreTestCase {
    Q_OBJECT

private slots:
    // All but the .txt file are real PDFs: only the name decides.
    void keepsOnlyPDFsByTheirExtension()
    {
        const QString text = m_fixture->file("notlar.txt", "merhaba");
        const QString pdf = m_fixture->pdf("Rapor.PDF", 3);
        store().addFiles({text, m_fixture->pdf("Ek.pdfx"), pdf}, AppSection::merge);
        QCOMPARE(names(store().mergeFiles()), QStringList{"Rapor.PDF"});
        QVERIFY(!store().banner(AppSection::merge)); // the others dropped silently
        const PDFFile& file = store().mergeFiles().first();
        QCOMPARE(file.pageCount, 3);
        QCOMPARE(file.bytes, QFileInfo(pdf).size());
        QVERIFY(!file.source.password);
        QCOMPARE(file.pageSizes, QList<QSizeF>(3, QSizeF(612, 792)));

        store().addFiles({text, m_fixture->pdf(".pdf"), m_fixture->pdf("Ek.pdfx")},
                         AppSection::split);
        QCOMPARE(store().banner(AppSection::split),
                 (Banner{"Yalnız PDF dosyaları eklenebilir.", {}, Banner::Kind::error}));
        QVERIFY(!store().splitFile());
        store().open(AppSection::split); // no scripted answer: cancelled, changes nothing
        QCOMPARE(m_fixture->panels.calls, QStringList{"openPDFs(single)"});
        QVERIFY(store().banner(AppSection::split));
    }

    // Merge takes a file as often as it comes, each an entry of its own; compress takes
    // it once, but a second try still clears the results.
    void sameFileTwiceOnMergeAndCompress()
    {
        const QString a = m_fixture->pdf("a.pdf");
        const QString b = m_fixture->pdf("b.pdf");
        QSignalSpy spy(&store(), &Store::mergeFilesChanged);
        store().addFiles({a, b, a}, AppSection::merge);
        QCOMPARE(spy.count(), 1); // appended in one step
        store().addFiles({a}, AppSection::merge);
        QCOMPARE(names(store().mergeFiles()), (QStringList{"a.pdf", "b.pdf", "a.pdf", "a.pdf"}));
        QSet<QUuid> ids;
        for (const PDFFile& file : store().mergeFiles()) {
            ids.insert(file.id);
        }
        QCOMPARE(ids.size(), 4);

        store().addFiles({a, b, a}, AppSection::compress);
        const QUuid firstId = store().compressFiles().first().id;
        store().setCompressResults({{firstId, 123}});
        store().addFiles({a}, AppSection::compress);
        QCOMPARE(names(store().compressFiles()), (QStringList{"a.pdf", "b.pdf"}));
        QCOMPARE(store().compressFiles().first().id, firstId);
        QVERIFY(store().compressResults().isEmpty());
        QVERIFY(!store().banner(AppSection::compress));
    }

    // Of several files only the first is taken, and it replaces the one before.
    void singleInputToolsReset_data()
    {
        QTest::addColumn<AppSection>("section");
        QTest::newRow("sign") << AppSection::sign;
        QTest::newRow("pages") << AppSection::pages;
        QTest::newRow("split") << AppSection::split;
    }
    void singleInputToolsReset()
    {
        QFETCH(AppSection, section);
        store().addFiles({m_fixture->pdf("ilk.pdf", 3)}, section);
        store().setSignPage(2);
        store().setPlacements(
            {Placement{QUuid::createUuid(), QUuid::createUuid(), 2, {0, 0, 0.2, 0.1}}});
        store().setSelectedPlacement(store().placements().first().id);
        store().setPagesSelected({0, 1});

        store().addFiles({m_fixture->pdf("ikinci.pdf", 2), m_fixture->pdf("uc.pdf")}, section);
        const std::optional<PDFFile> file = section == AppSection::sign    ? store().signFile()
                                            : section == AppSection::pages ? store().pagesFile()
                                                                           : store().splitFile();
        QCOMPARE(QFileInfo(file->source.url).fileName(), "ikinci.pdf");
        QCOMPARE(file->pageCount, 2);
        if (section == AppSection::sign) {
            QCOMPARE(store().signPage(), 0);
            QVERIFY(store().placements().isEmpty());
            QVERIFY(!store().selectedPlacement());
            QCOMPARE(store().pagesSelected(), (QSet<int>{0, 1}));
        } else if (section == AppSection::pages) {
            QVERIFY(store().pagesSelected().isEmpty());
            QCOMPARE(store().signPage(), 2);
        }
    }

    // Every refused file is named, in the order given: three with their own message,
    // the rest by name with their count; an empty file is called empty, not damaged. "döngü" lists
    // its own page tree among its kids, which a viewer skips; the engine cannot count its pages, so
    // it is refused here.
    void everyRejectedFileIsNamed_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("banner");
        const QString no = " açılamadı. Dosya bozuk ya da PDF değil.";
        QTest::newRow("two of four")
            << QStringList{"iyi1.pdf", "kayıp.pdf", "sayfasız.pdf", "iyi2.pdf"}
            << "kayıp.pdf" + no + "\nsayfasız.pdf içinde sayfa yok.";
        QTest::newRow("six of ten")
            << QStringList{"iyi1.pdf", "boş.pdf",   "iyi2.pdf",   "metin.pdf", "resim.pdf",
                           "iyi3.pdf", "döngü.pdf", "hasar1.pdf", "iyi4.pdf",  "hasar2.pdf"}
            << "boş.pdf boş bir dosya.\nmetin.pdf" + no + "\nresim.pdf" + no +
                   "\nEklenemeyen 3 dosya daha: döngü.pdf, hasar1.pdf, hasar2.pdf";
    }
    void everyRejectedFileIsNamed()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, banner);
        QStringList paths;
        for (const QString& name : files) {
            paths.append(fileOfKind(*m_fixture, name));
        }
        store().addFiles(paths, AppSection::merge);
        QCOMPARE(names(store().mergeFiles()), files.filter(QRegularExpression("^iyi")));
        QCOMPARE(store().banner(AppSection::merge), (Banner{banner, {}, Banner::Kind::error}));
    }

    // A helper program that is missing is the installation's fault: said once for the whole
    // batch, never blamed on the files.
    void missingHelperIsNamedOnce_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("banner");
        QTest::newRow("renderer") << "LEAFLOW_RENDERER"
                                  << "Leaflow eksik kurulmuş: leaflow-renderer bulunamadı.";
        QTest::newRow("worker") << "LEAFLOW_WORKER"
                                << "Leaflow eksik kurulmuş: leaflow-worker bulunamadı.";
    }
    void missingHelperIsNamedOnce()
    {
        QFETCH(QString, variable);
        QFETCH(QString, banner);
        const QStringList paths{m_fixture->pdf("iyi1.pdf"), m_fixture->pdf("iyi2.pdf")};
        const QByteArray name = variable.toLatin1();
        const HelperFixtures::Override missing(name.constData(), m_fixture->path("yok/helper"));
        store().addFiles(paths, AppSection::merge);
        QCOMPARE(names(store().mergeFiles()), QStringList{});
        QCOMPARE(store().banner(AppSection::merge), (Banner{banner, {}, Banner::Kind::error}));
    }

    // A cancelled prompt keeps the previous input; a wrong password asks again,
    // and the right one stays with the file so that the engine can reopen it (the
    // encodings test below runs such files).
    void passwordPromptAsksUntilRightOrCancelled()
    {
        store().addFiles({m_fixture->pdf("açık.pdf", 2)}, AppSection::split);
        const QUuid previous = store().splitFile()->id;
        const QString locked = m_fixture->pdf("kilitli.pdf", 3, "gizli");
        m_fixture->panels.passwordAnswers = {QString("yanlış"), std::nullopt, QString("yanlış"),
                                             QString("gizli")};
        store().addFiles({locked}, AppSection::split);
        QCOMPARE(store().splitFile()->id, previous);
        QVERIFY(!store().banner(AppSection::split));

        store().addFiles({locked}, AppSection::compress);
        QCOMPARE(store().compressFiles().size(), 1);
        const PDFFile& file = store().compressFiles().first();
        QCOMPARE(file.source.password, std::optional<QString>("gizli"));
        QCOMPARE(file.pageCount, 3);
        QCOMPARE(m_fixture->panels.calls,
                 (QStringList{"password(kilitli.pdf)", "password(kilitli.pdf)"}));
        QCOMPARE(m_fixture->panels.passwordAttempts,
                 (QList<std::pair<QString, bool>>{{"yanlış", false},
                                                  {"yanlış", false},
                                                  {"gizli", true}}));

        // Once a tool lists it, the file is not asked for again, in any tool.
        store().addFiles({locked, locked}, AppSection::merge);
        store().addFiles({locked}, AppSection::pages);
        QCOMPARE(m_fixture->panels.calls.size(), 2);
        QCOMPARE(store().mergeFiles().size(), 2);
        QCOMPARE(store().mergeFiles().last().source.password, std::optional<QString>("gizli"));
        QCOMPARE(store().pagesFile()->source.password, std::optional<QString>("gizli"));
    }

    // Each cipher with the bytes its producers really store: RC4 in PDFDocEncoding
    // ("€" is 0xA0 there), AES-128 from a Turkish Windows tool in Windows-1254
    // ("ğ" is 0xF0), AES-256 in UTF-8. The window must accept what the engine opens.
    void passwordsAreTriedInEveryEncodingProducersUse()
    {
        struct Locked {
            QString name;
            Fixtures::Cipher cipher;
            QString typed;
            QByteArray stored;
        };
        const QList<Locked> files{
            {"euro.pdf", Fixtures::Cipher::rc4_128, QStringLiteral("€uro"), QByteArray("\xA0uro")},
            {"dogru.pdf", Fixtures::Cipher::aes128, QStringLiteral("doğru"),
             QByteArray("do\xF0ru")},
            {"sifre.pdf", Fixtures::Cipher::aes256, QStringLiteral("şifre-ğüç-日本"),
             QStringLiteral("şifre-ğüç-日本").toUtf8()},
        };
        QStringList paths;
        for (const Locked& locked : files) {
            const QString path = m_fixture->path(locked.name);
            const Fixtures::Encryption encryption{locked.cipher, locked.typed, "sahip",
                                                  locked.stored};
            Fixtures::writePdf(path, Fixtures::tagged(locked.name.section('.', 0, 0) + "-", 1),
                               encryption);
            paths.append(path);
            m_fixture->panels.passwordAnswers.append(locked.typed);
        }
        store().addFiles(paths, AppSection::merge);

        QCOMPARE(store().mergeFiles().size(), 3);
        for (const auto& [typed, accepted] : m_fixture->panels.passwordAttempts) {
            QVERIFY2(accepted, qPrintable(typed));
        }
        const QString output = m_fixture->path("hepsi.pdf");
        m_fixture->panels.saveAnswers = {output};
        store().run(AppSection::merge);
        QVERIFY(m_fixture->waitIdle());
        QCOMPARE(store().banner(AppSection::merge)->isError(), false);
        QCOMPARE(Fixtures::readTags(output), (QStringList{"euro-1", "dogru-1", "sifre-1"}));
    }

    // Files handed over from outside go to the selected tool (from the history to merge,
    // which the shell's tests show) and bring the window forward.
    void receiveUsesTheSelectedTool()
    {
        AppSections::setCurrent(AppSection::pages);
        store().receive({m_fixture->pdf("dış.pdf", 2)});
        QCOMPARE(AppSections::current(), AppSection::pages);
        QVERIFY(store().pagesFile() && store().mergeFiles().isEmpty());
        QCOMPARE(m_fixture->broughtForward, 1);
    }

    void filesHandedOverBeforeTheStoreExistAreAdmittedAfterwards()
    {
        m_fixture.reset();
        StoreFixture fixture(*m_environment);
        const QString early = fixture.pdf("erken.pdf", 2);
        fixture.store.reset();
        Store::pending().append(early);

        fixture.store = std::make_unique<Store>(fixture.panels, fixture.reveal, DataFile());
        QVERIFY(Store::pending().isEmpty());
        QVERIFY(fixture.store->mergeFiles().isEmpty()); // handed over asynchronously
        QTRY_COMPARE(names(fixture.store->mergeFiles()), QStringList{"erken.pdf"});
    }

    // A file that hangs poppler is refused at the renderer's time limit, the rest of its batch
    // is admitted, and the window's timers keep running all along.
    void hangingFileIsRefusedWhileTheWindowKeepsRunning()
    {
        const QString hang = Fixtures::corpusFile("damaged/qpdf__69977a.fuzz");
        QVERIFY(QFile::exists(hang));
        QVERIFY(QFile::link(hang, m_fixture->path("donuyor.pdf")));
        const QString good = m_fixture->pdf("iyi.pdf");
        QElapsedTimer clock;
        qint64 longestGap = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout,
                [&] { longestGap = std::max(longestGap, clock.restart()); });
        clock.start();
        tick.start(10);
        store().addFiles({m_fixture->path("donuyor.pdf"), good}, AppSection::merge);
        QCOMPARE(names(store().mergeFiles()), QStringList{"iyi.pdf"});
        QCOMPARE(store().banner(AppSection::merge)->text,
                 "donuyor.pdf açılamadı. Dosya bozuk ya da PDF değil.");
        // A frozen loop would stall for the renderer's whole time limit (seconds); sanitized code
        // runs several times slower, so its bound is wider.
#ifdef __SANITIZE_ADDRESS__
        constexpr qint64 boundMs = 400;
#else
        constexpr qint64 boundMs = 100;
#endif
        QVERIFY2(longestGap < boundMs, qPrintable(QString::number(longestGap)));
    }
};

QTEST_GUILESS_MAIN(AdmissionTest)
#include "AdmissionTest.moc"
