#include "Fixtures.h"
#include "StoreTestCase.h"

#include <QSignalSpy>
#include <QTest>

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

// Page thumbnails: the cache key, rendering off the main thread, once per
// input, page and slot size, and missing pages.
class ThumbnailsTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void keyTruncatesTheSideAndEachSizeIsCached()
    {
        store().addFiles({m_fixture->pdf("a.pdf", 3)}, AppSection::merge);
        const PDFFile file = store().mergeFiles().first();
        const QString id = file.id.toString(QUuid::WithoutBraces).toUpper();
        QCOMPARE(Store::thumbnailKey(file, 2, 90.5), id + "-2-90");
        QCOMPARE(Store::thumbnailKey(file, 0, 900), id + "-0-900");

        QSignalSpy ready(&store(), &Store::thumbnailReady);
        const QImage large = rendered(file, 2, 90.5);
        const QImage small = rendered(file, 2, 45);
        QCOMPARE(ready.count(), 2);
        QCOMPARE(small.height(), 90);
        QCOMPARE(large.height(), 181); // twice the side asked for
        // 90.9 falls on the same key and is served from the cache.
        QCOMPARE(store().requestThumbnail(file, 2, 90.9), std::optional<QImage>(large));
        QCOMPARE(store().thumbnail(file, 2, 45), std::optional<QImage>(small));
    }

    // Past the last page, far past the end or negative.
    void missingPagesGiveNoneAndCacheNothing()
    {
        store().addFiles({m_fixture->pdf("a.pdf", 3)}, AppSection::merge);
        const PDFFile file = store().mergeFiles().first();
        QSignalSpy ready(&store(), &Store::thumbnailReady);
        for (const qint64 index : {qint64(3), qint64(1000), qint64(-1)}) {
            QVERIFY(!store().requestThumbnail(file, index, 90));
            QVERIFY(!store().thumbnail(file, index, 90));
        }
        // A real page asked afterwards arrives alone: nothing was rendered for the missing ones.
        QVERIFY(!rendered(file, 0, 40).isNull());
        QCOMPARE(ready.count(), 1);
        QCOMPARE(ready.first().first().toString(), Store::thumbnailKey(file, 0, 40));
    }

    // The input is protected: pages are rendered with the password it was admitted with.
    void rendersOnceAndServesFromTheCache()
    {
        m_fixture->panels.passwordAnswers = {QString("gizli")};
        store().addFiles({blockPdf("kilitli.pdf", 2, "gizli")}, AppSection::pages);
        const PDFFile file = *store().pagesFile();
        const QString key = Store::thumbnailKey(file, 0, 60);
        QSignalSpy ready(&store(), &Store::thumbnailReady);

        QVERIFY(!store().thumbnail(file, 0, 60));
        QVERIFY(!store().requestThumbnail(file, 0, 60)); // rendering elsewhere
        QVERIFY(!store().requestThumbnail(file, 0, 60)); // already on its way
        QVERIFY(!rendered(file, 1, 60).isNull());        // queued behind it
        QCOMPARE(ready.count(), 2);
        QCOMPARE(ready[0].first().toString(), key);

        const std::optional<QImage> cached = store().thumbnail(file, 0, 60);
        QVERIFY(cached);
        QVERIFY(hasInk(*cached));
        QCOMPARE(store().requestThumbnail(file, 0, 60), cached);
        QCOMPARE(ready.count(), 2);
    }

private:
    // Asks for a thumbnail and waits until it has been delivered.
    QImage rendered(const PDFFile& file, qint64 index, double side)
    {
        const QString key = Store::thumbnailKey(file, index, side);
        QSignalSpy ready(&store(), &Store::thumbnailReady);
        if (std::optional<QImage> image = store().requestThumbnail(file, index, side)) {
            return *image;
        }
        if (!QTest::qWaitFor([&] { return ready.contains({key}); }, 30000)) {
            return {};
        }
        return store().thumbnail(file, index, side).value_or(QImage());
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
