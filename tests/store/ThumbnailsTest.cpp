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
    // Of a protected input, rendered with the password it was admitted with; a page it
    // does not have (past the last, far past the end, negative) gives none and costs nothing.
    void rendersOncePerPageAndSizeAndServesFromTheCache()
    {
        m_fixture->panels.passwordAnswers = {QString("gizli")};
        store().addFiles({blockPdf("kilitli.pdf", 2, "gizli")}, AppSection::pages);
        const PDFFile file = *store().pagesFile();
        const QString id = file.id.toString(QUuid::WithoutBraces).toUpper();
        QCOMPARE(Store::thumbnailKey(file, 1, 90.5), id + "-1-90");
        QCOMPARE(Store::thumbnailKey(file, 0, 900), id + "-0-900");
        QSignalSpy ready(&store(), &Store::thumbnailReady);
        for (const qint64 missing : {qint64(2), qint64(1000), qint64(-1)}) {
            QVERIFY(!store().requestThumbnail(file, missing, 60));
            QVERIFY(!store().thumbnail(file, missing, 60));
        }

        QVERIFY(!store().thumbnail(file, 0, 60));
        QVERIFY(!store().requestThumbnail(file, 0, 60)); // rendering elsewhere
        QVERIFY(!store().requestThumbnail(file, 0, 60)); // already on its way
        const QImage large = rendered(file, 1, 90.5);    // queued behind it
        const QImage small = rendered(file, 1, 45);
        QCOMPARE(ready.count(), 3);
        QCOMPARE(ready[0].first().toString(), Store::thumbnailKey(file, 0, 60));
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

private:
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
    QString blockPdf(const QString& name, int pages, const QString& password)
    {
        QList<Fixtures::Page> tagged = Fixtures::tagged(name, pages);
        for (Fixtures::Page& page : tagged) {
            page.block = true;
        }
        Fixtures::writePdf(m_fixture->path(name), tagged,
                           {Fixtures::Cipher::aes256, password, password + "-owner"});
        return m_fixture->path(name);
    }
};

QTEST_GUILESS_MAIN(ThumbnailsTest)
#include "ThumbnailsTest.moc"
