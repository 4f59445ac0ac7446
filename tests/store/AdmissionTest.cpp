#include "Fixtures.h"
#include "PDFEngine.h"
#include "StoreTestCase.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <poppler-qt6.h>

// How files become tool inputs: the extension filter, the per-tool rules, the
// failure messages, the password prompt and files handed over from outside.
class AdmissionTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void keepsPDFsWhateverTheCaseAndDropsOthersSilently();
    void onlyOtherFilesShowTheMessage();
    void cancelledOpenPanelShowsNothing();
    void openPanelAllowsSeveralOnlyForMergeAndCompress_data();
    void openPanelAllowsSeveralOnlyForMergeAndCompress();
    void sameFileTwiceOnMergeGivesTwoEntries();
    void sameFileTwiceOnCompressAddsNothingButClearsResults();
    void splitAdmitsOnlyTheFirst();
    void singleInputToolsReset_data();
    void singleInputToolsReset();
    void everyRejectedFileIsNamed_data();
    void everyRejectedFileIsNamed();
    void loopingPageTreeIsRefusedWhenAdded();
    void documentWithoutPagesIsRefused();
    void cancelledPasswordKeepsThePreviousInput();
    void wrongThenRightPasswordAdmitsWithThePassword();
    void passwordsAreTriedInEveryEncodingProducersUse();
    void listedProtectedFileIsNotAskedAgain_data();
    void listedProtectedFileIsNotAskedAgain();
    void filesArrivingWhileBusyAreDropped();
    void receiveFromHistoryGoesToMerge();
    void receiveUsesTheSelectedTool();
    void filesHandedOverBeforeTheStoreExistAreAdmittedAfterwards();

private:
    // A file of the kind its name begins with: "iyi" a good PDF, "boş" empty,
    // "metin" text, "resim" a PNG, "hasar" a damaged PDF, "döngü" a looping page
    // tree; "kayıp" is not written at all.
    QString fileOfKind(const QString& name);
};

static QStringList names(const QList<PDFFile>& files)
{
    QStringList list;
    for (const PDFFile& file : files) {
        list.append(QFileInfo(file.source.url).fileName());
    }
    return list;
}

void AdmissionTest::keepsPDFsWhateverTheCaseAndDropsOthersSilently()
{
    const QString text = m_fixture->file("notlar.txt", "merhaba");
    const QString pdf = m_fixture->pdf("Rapor.PDF", 3);
    const QString lookalike = m_fixture->pdf("Ek.pdfx"); // a real PDF, but not by its name
    store().addFiles({text, lookalike, pdf}, AppSection::merge);

    QCOMPARE(names(store().mergeFiles()), QStringList{"Rapor.PDF"});
    const PDFFile& file = store().mergeFiles().first();
    QCOMPARE(file.pageCount, 3);
    QCOMPARE(file.bytes, QFileInfo(pdf).size());
    QVERIFY(!file.source.password);
    QVERIFY(file.doc);
    QVERIFY(!store().banner(AppSection::merge));
}

void AdmissionTest::onlyOtherFilesShowTheMessage()
{
    const QString text = m_fixture->file("notlar.txt", "merhaba");
    const QString hidden = m_fixture->file(".pdf", "%PDF-1.4");
    store().addFiles({text, hidden}, AppSection::split);

    QCOMPARE(store().banner(AppSection::split),
             (Banner{"Yalnız PDF dosyaları eklenebilir.", {}, true}));
    QVERIFY(!store().splitFile());
}

void AdmissionTest::cancelledOpenPanelShowsNothing()
{
    store().addFiles({m_fixture->file("x.txt", "x")}, AppSection::merge);
    QVERIFY(store().banner(AppSection::merge));
    store().open(AppSection::merge); // no scripted answer: cancelled

    QCOMPARE(m_fixture->panels.calls, QStringList{"openPDFs(multiple)"});
    QVERIFY(store().mergeFiles().isEmpty());
    // The earlier message stays: a cancelled panel changes nothing.
    QCOMPARE(store().banner(AppSection::merge)->text, "Yalnız PDF dosyaları eklenebilir.");
}

void AdmissionTest::openPanelAllowsSeveralOnlyForMergeAndCompress_data()
{
    QTest::addColumn<AppSection>("section");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("merge") << AppSection::merge << QStringList{"openPDFs(multiple)"};
    QTest::newRow("split") << AppSection::split << QStringList{"openPDFs(single)"};
    QTest::newRow("compress") << AppSection::compress << QStringList{"openPDFs(multiple)"};
    QTest::newRow("sign") << AppSection::sign << QStringList{"openPDFs(single)"};
    QTest::newRow("pages") << AppSection::pages << QStringList{"openPDFs(single)"};
    QTest::newRow("history") << AppSection::history << QStringList{};
}

void AdmissionTest::openPanelAllowsSeveralOnlyForMergeAndCompress()
{
    QFETCH(AppSection, section);
    QFETCH(QStringList, calls);
    const QString pdf = m_fixture->pdf("a.pdf", 2);
    m_fixture->panels.openAnswers.append({pdf});
    store().open(section);
    QCOMPARE(m_fixture->panels.calls, calls);
    const bool admitted = store().mergeFiles().size() + store().compressFiles().size() +
                              int(store().splitFile().has_value()) +
                              int(store().signFile().has_value()) +
                              int(store().pagesFile().has_value()) ==
                          1;
    QCOMPARE(admitted, section != AppSection::history);
}

void AdmissionTest::sameFileTwiceOnMergeGivesTwoEntries()
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
}

void AdmissionTest::sameFileTwiceOnCompressAddsNothingButClearsResults()
{
    const QString a = m_fixture->pdf("a.pdf");
    const QString b = m_fixture->pdf("b.pdf");
    store().addFiles({a, b, a}, AppSection::compress);
    QCOMPARE(names(store().compressFiles()), (QStringList{"a.pdf", "b.pdf"}));

    store().setCompressResults({{store().compressFiles().first().id, 123}});
    const QUuid firstId = store().compressFiles().first().id;
    store().addFiles({a}, AppSection::compress);

    QCOMPARE(names(store().compressFiles()), (QStringList{"a.pdf", "b.pdf"}));
    QCOMPARE(store().compressFiles().first().id, firstId);
    QVERIFY(store().compressResults().isEmpty());
    QVERIFY(!store().banner(AppSection::compress));
}

void AdmissionTest::splitAdmitsOnlyTheFirst()
{
    store().setSplitMode(SplitMode::ranges);
    store().setSplitRanges("1-2");
    store().setSplitEvery(5);
    store().addFiles({m_fixture->pdf("bir.pdf", 4), m_fixture->pdf("iki.pdf"),
                      m_fixture->pdf("uc.pdf")},
                     AppSection::split);

    QCOMPARE(QFileInfo(store().splitFile()->source.url).fileName(), "bir.pdf");
    QCOMPARE(store().splitFile()->pageCount, 4);
    QCOMPARE(store().splitMode(), SplitMode::ranges);
    QCOMPARE(store().splitRanges(), "1-2");
    QCOMPARE(store().splitEvery(), 5);
}

void AdmissionTest::singleInputToolsReset_data()
{
    QTest::addColumn<AppSection>("section");
    QTest::newRow("sign") << AppSection::sign;
    QTest::newRow("pages") << AppSection::pages;
}

void AdmissionTest::singleInputToolsReset()
{
    QFETCH(AppSection, section);
    store().addFiles({m_fixture->pdf("ilk.pdf", 3)}, section);
    store().setSignPage(2);
    store().setPlacements(
        {Placement{QUuid::createUuid(), QUuid::createUuid(), 2, {0, 0, 0.2, 0.1}}});
    store().setSelectedPlacement(store().placements().first().id);
    store().setPagesSelected({0, 1});

    store().addFiles({m_fixture->pdf("ikinci.pdf", 2)}, section);
    if (section == AppSection::sign) {
        QCOMPARE(QFileInfo(store().signFile()->source.url).fileName(), "ikinci.pdf");
        QCOMPARE(store().signPage(), 0);
        QVERIFY(store().placements().isEmpty());
        QVERIFY(!store().selectedPlacement());
        QCOMPARE(store().pagesSelected(), (QSet<int>{0, 1}));
    } else {
        QCOMPARE(QFileInfo(store().pagesFile()->source.url).fileName(), "ikinci.pdf");
        QVERIFY(store().pagesSelected().isEmpty());
        QCOMPARE(store().signPage(), 2);
    }
}

// A one-page document whose page tree also lists itself among its kids: the
// viewer skips the loop and shows the page, the engine refuses the file.
static void writeLoopingPageTree(const QString& path)
{
    const QString plain = path + ".plain";
    Fixtures::writePdf(plain, Fixtures::tagged("L", 1));
    QPDF pdf;
    pdf.processFile(QFile::encodeName(plain).constData());
    QPDFObjectHandle pages = pdf.getRoot().getKey("/Pages");
    pages.getKey("/Kids").appendItem(pages);
    QPDFWriter writer(pdf, QFile::encodeName(path).constData());
    writer.write();
    QFile::remove(plain);
}

QString AdmissionTest::fileOfKind(const QString& name)
{
    if (name.startsWith("iyi")) {
        return m_fixture->pdf(name);
    }
    if (name.startsWith("boş")) {
        return m_fixture->file(name, {});
    }
    if (name.startsWith("metin")) {
        return m_fixture->file(name, "Toplantı notları\n");
    }
    if (name.startsWith("resim")) { // the start of a PNG file, renamed
        return m_fixture->file(name, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    }
    if (name.startsWith("hasar")) {
        return m_fixture->file(name, "%PDF-1.7\n1 0 obj\n<< /Type /Cat");
    }
    if (name.startsWith("döngü")) {
        writeLoopingPageTree(m_fixture->path(name));
    }
    return m_fixture->path(name);
}

void AdmissionTest::everyRejectedFileIsNamed_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("banner");

    const QString cannotOpen = " açılamadı. Dosya bozuk ya da PDF değil.";
    QTest::newRow("one of three keeps its own message")
        << QStringList{"iyi1.pdf", "kayıp.pdf", "iyi2.pdf"} << "kayıp.pdf" + cannotOpen;
    QTest::newRow("three, one line each")
        << QStringList{"metin.pdf", "iyi1.pdf", "boş.pdf", "döngü.pdf"}
        << "metin.pdf" + cannotOpen + "\nboş.pdf" + cannotOpen + "\ndöngü.pdf" + cannotOpen;
    QTest::newRow("six of ten, the rest named with their count")
        << QStringList{"iyi1.pdf", "boş.pdf",    "iyi2.pdf",   "metin.pdf", "resim.pdf",
                       "iyi3.pdf", "hasar1.pdf", "hasar2.pdf", "iyi4.pdf",  "hasar3.pdf"}
        << "boş.pdf" + cannotOpen + "\nmetin.pdf" + cannotOpen + "\nresim.pdf" + cannotOpen +
               "\nEklenemeyen 3 dosya daha: hasar1.pdf, hasar2.pdf, hasar3.pdf";
    QTest::newRow("ten, past five more by count only")
        << QStringList{"hasar1.pdf", "hasar2.pdf", "hasar3.pdf", "hasar4.pdf", "hasar5.pdf",
                       "hasar6.pdf", "hasar7.pdf", "hasar8.pdf", "hasar9.pdf", "hasar10.pdf"}
        << "hasar1.pdf" + cannotOpen + "\nhasar2.pdf" + cannotOpen + "\nhasar3.pdf" + cannotOpen +
               "\nEklenemeyen 7 dosya daha: hasar4.pdf, hasar5.pdf, hasar6.pdf, hasar7.pdf, "
               "hasar8.pdf, …";
}

void AdmissionTest::everyRejectedFileIsNamed()
{
    QFETCH(QStringList, files);
    QFETCH(QString, banner);
    QStringList paths;
    QStringList good;
    for (const QString& name : files) {
        paths.append(fileOfKind(name));
        if (name.startsWith("iyi")) {
            good.append(name);
        }
    }
    store().addFiles(paths, AppSection::merge);

    QCOMPARE(names(store().mergeFiles()), good);
    QCOMPARE(store().banner(AppSection::merge), (Banner{banner, {}, true}));
}

void AdmissionTest::loopingPageTreeIsRefusedWhenAdded()
{
    const QString looping = fileOfKind("döngü.pdf");
    const std::unique_ptr<Poppler::Document> viewer = Poppler::Document::load(looping);
    QVERIFY(viewer && viewer->numPages() == 1); // what the window would have listed

    store().addFiles({looping}, AppSection::pages);
    QVERIFY(!store().pagesFile());
    QCOMPARE(store().banner(AppSection::pages),
             (Banner{"döngü.pdf açılamadı. Dosya bozuk ya da PDF değil.", {}, true}));
}

void AdmissionTest::documentWithoutPagesIsRefused()
{
    const QString empty = m_fixture->path("boş.pdf");
    Fixtures::writePdf(empty, {});
    store().addFiles({empty}, AppSection::pages);

    QVERIFY(!store().pagesFile());
    const std::optional<Banner> banner = store().banner(AppSection::pages);
    QVERIFY(banner);
    QVERIFY(banner->isError);
    // Poppler may already refuse to open a document without pages; either message names the file.
    QVERIFY2(banner->text == "boş.pdf içinde sayfa yok." ||
                 banner->text == "boş.pdf açılamadı. Dosya bozuk ya da PDF değil.",
             qPrintable(banner->text));
}

void AdmissionTest::cancelledPasswordKeepsThePreviousInput()
{
    store().addFiles({m_fixture->pdf("açık.pdf", 2)}, AppSection::split);
    const QUuid previous = store().splitFile()->id;
    m_fixture->panels.passwordAnswers = {QString("yanlış"), std::nullopt};
    store().addFiles({m_fixture->pdf("kilitli.pdf", 2, "doğru")}, AppSection::split);

    QCOMPARE(store().splitFile()->id, previous);
    QVERIFY(!store().banner(AppSection::split));
    QCOMPARE(m_fixture->panels.calls, QStringList{"password(kilitli.pdf)"});
    QCOMPARE(m_fixture->panels.passwordAttempts,
             (QList<std::pair<QString, bool>>{{"yanlış", false}}));
}

void AdmissionTest::wrongThenRightPasswordAdmitsWithThePassword()
{
    m_fixture->panels.passwordAnswers = {QString("yanlış"), QString("gizli")};
    const QString locked = m_fixture->pdf("kilitli.pdf", 3, "gizli");
    store().addFiles({locked}, AppSection::compress);

    QCOMPARE(store().compressFiles().size(), 1);
    const PDFFile& file = store().compressFiles().first();
    QCOMPARE(file.source.password, std::optional<QString>("gizli"));
    QCOMPARE(file.pageCount, 3);
    QCOMPARE(m_fixture->panels.passwordAttempts,
             (QList<std::pair<QString, bool>>{{"yanlış", false}, {"gizli", true}}));
    // The engine reopens the input from disk with the remembered password.
    const QString output = m_fixture->path("parça.pdf");
    QVERIFY(!PDFEngine::run(PDFEngine::MergeJob{{file.source}, output}).failure);
    QCOMPARE(Fixtures::pageCount(output), 3);
}

// Each cipher with the bytes its producers really store: RC4 in PDFDocEncoding
// ("€" is 0xA0 there), AES-128 from a Turkish Windows tool in Windows-1254
// ("ğ" is 0xF0), AES-256 in UTF-8. The window must accept what the engine opens.
void AdmissionTest::passwordsAreTriedInEveryEncodingProducersUse()
{
    struct Locked {
        QString name;
        Fixtures::Cipher cipher;
        QString typed;
        QByteArray stored;
    };
    const QList<Locked> files{
        {"euro.pdf", Fixtures::Cipher::rc4_128, QStringLiteral("€uro"), QByteArray("\xA0uro")},
        {"dogru.pdf", Fixtures::Cipher::aes128, QStringLiteral("doğru"), QByteArray("do\xF0ru")},
        {"sifre.pdf", Fixtures::Cipher::aes256, QStringLiteral("şifre-ğüç-日本"),
         QStringLiteral("şifre-ğüç-日本").toUtf8()},
    };
    QStringList paths;
    for (const Locked& locked : files) {
        const QString path = m_fixture->path(locked.name);
        Fixtures::Encryption encryption{locked.cipher, locked.typed, "sahip", false, locked.stored};
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
    QCOMPARE(store().banner(AppSection::merge)->isError, false);
    QCOMPARE(Fixtures::readTags(output), (QStringList{"euro-1", "dogru-1", "sifre-1"}));
}

void AdmissionTest::listedProtectedFileIsNotAskedAgain_data()
{
    QTest::addColumn<AppSection>("section");
    QTest::addColumn<QList<int>>("drops"); // copies of the file in each drop
    QTest::addColumn<int>("rows");

    QTest::newRow("merge, added again") << AppSection::merge << QList<int>{1, 1} << 2;
    QTest::newRow("merge, twice in one drop") << AppSection::merge << QList<int>{2} << 2;
    QTest::newRow("compress, added again") << AppSection::compress << QList<int>{1, 1} << 1;
    QTest::newRow("pages, added again") << AppSection::pages << QList<int>{1, 1} << 1;
}

void AdmissionTest::listedProtectedFileIsNotAskedAgain()
{
    QFETCH(AppSection, section);
    QFETCH(QList<int>, drops);
    QFETCH(int, rows);
    const QString locked = m_fixture->pdf("kilitli.pdf", 2, "gizli");
    m_fixture->panels.passwordAnswers = {QString("gizli")}; // a second prompt would cancel
    for (int copies : drops) {
        store().addFiles(QStringList(copies, locked), section);
    }

    QCOMPARE(m_fixture->panels.calls, QStringList{"password(kilitli.pdf)"});
    QList<PDFFile> listed = store().mergeFiles() + store().compressFiles();
    if (store().pagesFile()) {
        listed.append(*store().pagesFile());
    }
    QCOMPARE(listed.size(), rows);
    for (const PDFFile& file : listed) {
        QCOMPARE(file.source.password, std::optional<QString>("gizli"));
    }
}

void AdmissionTest::filesArrivingWhileBusyAreDropped()
{
    store().addFiles({m_fixture->pdf("a.pdf", 2), m_fixture->pdf("b.pdf", 2)}, AppSection::merge);
    m_fixture->panels.saveAnswers = {m_fixture->path("sonuç.pdf")};
    store().run(AppSection::merge);
    QCOMPARE(store().busy(), std::optional<AppSection>(AppSection::merge));

    store().addFiles({m_fixture->file("x.txt", "x")}, AppSection::split);
    store().addFiles({m_fixture->pdf("c.pdf")}, AppSection::compress);
    QVERIFY(!store().banner(AppSection::split));
    QVERIFY(store().compressFiles().isEmpty());
    QVERIFY(m_fixture->waitIdle());
}

void AdmissionTest::receiveFromHistoryGoesToMerge()
{
    AppSections::setCurrent(AppSection::history);
    store().receive({m_fixture->pdf("dış.pdf")});

    QCOMPARE(QSettings().value("section").toString(), "merge");
    QCOMPARE(names(store().mergeFiles()), QStringList{"dış.pdf"});
    QCOMPARE(m_fixture->broughtForward, 1);
}

void AdmissionTest::receiveUsesTheSelectedTool()
{
    AppSections::setCurrent(AppSection::pages);
    store().receive({m_fixture->pdf("dış.pdf", 2)});
    QCOMPARE(QSettings().value("section").toString(), "pages");
    QVERIFY(store().pagesFile());
    QVERIFY(store().mergeFiles().isEmpty());
    QCOMPARE(m_fixture->broughtForward, 1);
}

void AdmissionTest::filesHandedOverBeforeTheStoreExistAreAdmittedAfterwards()
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

QTEST_GUILESS_MAIN(AdmissionTest)
#include "AdmissionTest.moc"
