#include "Fixtures.h"
#include "StoreTestCase.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

static bool hasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                return true;
            }
        }
    }
    return false;
}

// Page thumbnails: rendered once per input, page and size; missing, hanging and crashing pages.
class ThumbnailsTest : public StoreTestCase {
    Q_OBJECT

private slots:
    // Rendered with the admitted password; a page the input lacks gives none and costs nothing.
    void rendersOncePerPageAndSizeAndServesFromTheCache()
    {
        m_fixture->dialogs.passwordAnswers = {QString("gizli")};
        store().addFiles({blockPdf("kilitli.pdf", 2, "gizli")}, store().tool<PagesTool>());
        const PDFFile file = *store().tool<PagesTool>().pagesFile();
        QSignalSpy ready(&store(), &Store::thumbnailReady);
        for (const qint64 missing : {qint64(2), qint64(1000), qint64(-1)}) {
            QVERIFY(!store().requestThumbnail(file, missing, 60));
            QVERIFY(!store().thumbnail(file, missing, 60));
        }

        QVERIFY(!store().requestThumbnail(file, 0, 60)); // rendering elsewhere
        QVERIFY(!store().requestThumbnail(file, 0, 60)); // already on its way
        const QImage large = rendered(file, 1, 90.5);    // asked later, may come first
        const QImage small = rendered(file, 1, 45);
        QTRY_COMPARE(ready.count(), 3);
        QVERIFY(ready.contains({Store::thumbnailKey(file, 0, 60)}));
        QCOMPARE(small.height(), 90);
        QCOMPARE(large.height(), 181); // twice the side asked for

        const std::optional<QImage> cached = store().thumbnail(file, 0, 60);
        QVERIFY(cached && hasInk(*cached));
        QCOMPARE(store().requestThumbnail(file, 0, 60), cached);
        // 90.9 falls on the same key as 90.5.
        QCOMPARE(store().requestThumbnail(file, 1, 90.9), std::optional<QImage>(large));
        QCOMPARE(store().thumbnail(file, 1, 45), std::optional<QImage>(small));
        QCOMPARE(ready.count(), 3);
    }

    // Hanging (killed at the time limit) and cut-off files end as paper; good pages still arrive.
    void hangingAndDamagedPagesEndAsPaper()
    {
        const QString hang = Fixtures::corpusFile("damaged/qpdf__69977a.fuzz");
        QVERIFY(QFile::exists(hang));
        store().addFiles({blockPdf("iyi.pdf", 3)}, store().tool<MergeTool>());
        QCOMPARE(store().tool<MergeTool>().mergeFiles().size(), 1);
        const PDFFile good = store().tool<MergeTool>().mergeFiles().first();
        const PDFFile hanging = unadmitted(hang);
        const PDFFile damaged = unadmitted(m_fixture->file("hasar.pdf", "%PDF-1.7\n1 0 obj\n<<"));
        QSignalSpy ready(&store(), &Store::thumbnailReady);
        QVERIFY(!store().requestThumbnail(hanging, 0, 60));
        QVERIFY(!store().requestThumbnail(damaged, 0, 60));
        for (int page = 0; page < 3; ++page) {
            QVERIFY(!store().requestThumbnail(good, page, 60));
        }
        QTRY_COMPARE_WITH_TIMEOUT(ready.size(), 3, 20000);
        const QList<qint64> renderers = Fixtures::childProcesses("leaflow-renderer");
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QList<qint64> now = Fixtures::childProcesses("leaflow-renderer");
                return std::any_of(renderers.begin(), renderers.end(),
                                   [&now](qint64 pid) { return !now.contains(pid); });
            },
            20000));
        QTest::qWait(100);
        for (const PDFFile& file : {hanging, damaged}) {
            QVERIFY(!store().requestThumbnail(file, 0, 60)); // paper, never asked again
            QVERIFY(!store().thumbnail(file, 0, 60));
        }
        for (int page = 0; page < 3; ++page) {
            QVERIFY(store().thumbnail(good, page, 60));
        }
        QCOMPARE(ready.size(), 3);
    }

    // Renderers killed mid-document are replaced; all but the pages they drew still arrive.
    void killedRendererIsReplaced()
    {
        constexpr int pages = 24;
        store().addFiles({blockPdf("uzun.pdf", pages)}, store().tool<PagesTool>());
        QVERIFY(store().tool<PagesTool>().pagesFile());
        const PDFFile file = *store().tool<PagesTool>().pagesFile();
        QSignalSpy ready(&store(), &Store::thumbnailReady);
        for (int page = 0; page < pages; ++page) {
            store().requestThumbnail(file, page, 200);
        }
        QVERIFY(ready.wait(20000));
        const QList<qint64> killed = Fixtures::childProcesses("leaflow-renderer");
        QVERIFY(!killed.isEmpty());
        for (const qint64 pid : killed) {
            ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
        QTRY_VERIFY_WITH_TIMEOUT(ready.size() >= pages - killed.size(), 30000);
        const QList<qint64> now = Fixtures::childProcesses("leaflow-renderer");
        QVERIFY(!now.isEmpty());
        for (const qint64 pid : now) {
            QVERIFY(!killed.contains(pid));
        }
    }

private:
    // A file listed without admission, as a file that changed on disk since would be.
    static PDFFile unadmitted(const QString& path)
    {
        return PDFFile{QUuid::createUuid(), PDFSource{path, std::nullopt}, {}, 1};
    }

    // Asks for a thumbnail and waits until it has been delivered.
    QImage rendered(const PDFFile& file, qint64 index, double side)
    {
        const QString key = Store::thumbnailKey(file, index, side);
        QSignalSpy ready(&store(), &Store::thumbnailReady);
        if (std::optional<QImage> image = store().requestThumbnail(file, index, side)) {
            return *image;
        }
        const bool arrived = QTest::qWaitFor([&] { return ready.contains({key}); }, 30000);
        return arrived ? store().thumbnail(file, index, side).value_or(QImage()) : QImage();
    }

    // Pages carrying a solid black block, so that any thumbnail of them shows ink.
    QString blockPdf(const QString& name, int pages, const QString& password = {})
    {
        QList<Fixtures::Page> tagged = Fixtures::tagged(name, pages);
        for (Fixtures::Page& page : tagged) {
            page.block = true;
        }
        Fixtures::Encryption encryption;
        if (!password.isEmpty()) {
            encryption = {Fixtures::Cipher::aes256, password, password + "-owner"};
        }
        Fixtures::writePdf(m_fixture->path(name), tagged, encryption);
        return m_fixture->path(name);
    }
};

QTEST_GUILESS_MAIN(ThumbnailsTest)
#include "ThumbnailsTest.moc"
