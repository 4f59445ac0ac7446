#include "Badge.h"
#include "BannerView.h"
#include "Button.h"
#include "CompressScreen.h"
#include "DropZone.h"
#include "FileList.h"
#include "FileRow.h"
#include "Fixtures.h"
#include "Formatting.h"
#include "Labels.h"
#include "RunButton.h"
#include "ScreenEvents.h"
#include "SegmentedControl.h"
#include "StoreFixture.h"

#include <QFileInfo>
#include <QSettings>
#include <QTest>

Q_DECLARE_METATYPE(std::optional<qint64>)
Q_DECLARE_METATYPE(std::optional<QString>)

class CompressScreenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<CompressScreen> m_screen;

    Store& store() { return *m_fixture->store; }

    std::optional<QString> status(int row) const
    {
        const Badge* badge = m_screen->row(row)->statusBadge();
        return badge ? std::optional<QString>(badge->text()) : std::nullopt;
    }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }

    void init()
    {
        m_environment->reset();
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
        m_screen = std::make_unique<CompressScreen>(store());
        m_screen->resize(760, 560);
        m_screen->show();
    }

    void cleanup()
    {
        m_screen.reset();
        m_fixture.reset();
    }

    void statusText_data()
    {
        QTest::addColumn<std::optional<qint64>>("result");
        QTest::addColumn<std::optional<QString>>("text");
        QTest::newRow("no result") << std::optional<qint64>() << std::optional<QString>();
        QTest::newRow("no smaller file") << std::optional<qint64>(0)
                                         << std::optional<QString>("Küçülmedi");
        QTest::newRow("new size") << std::optional<qint64>(48200)
                                  << std::optional<QString>("→ 48200 B");
        QTest::newRow("one byte") << std::optional<qint64>(1) << std::optional<QString>("→ 1 B");
    }

    void statusText()
    {
        QFETCH(std::optional<qint64>, result);
        QFETCH(std::optional<QString>, text);
        FileDisplay display;
        display.sizeText = [](qint64 bytes) { return QStringLiteral("%1 B").arg(bytes); };
        QCOMPARE(CompressScreen::statusText(result, display), text);
    }

    void dropAnywhereAdmitsFiles_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("drop zone") << QStringLiteral("drop zone");
        QTest::newRow("footer summary") << QStringLiteral("summary");
        QTest::newRow("level picker") << QStringLiteral("levels");
        QTest::newRow("clear button") << QStringLiteral("clear");
    }

    void dropAnywhereAdmitsFiles()
    {
        QFETCH(QString, where);
        if (where != QLatin1String("drop zone")) {
            store().addFiles({m_fixture->pdf("Var.pdf")}, AppSection::compress);
        }
        QWidget* target = where == QLatin1String("drop zone") ? m_screen->dropZone()
                          : where == QLatin1String("summary") ? m_screen->summary()
                          : where == QLatin1String("levels")
                              ? static_cast<QWidget*>(m_screen->levels())
                              : m_screen->clearButton();
        const int before = static_cast<int>(store().compressFiles().size());
        QVERIFY(ScreenEvents::dropFiles(target, {m_fixture->pdf("Yeni.pdf", 2)}));
        QCOMPARE(store().compressFiles().size(), before + 1);
        QCOMPARE(m_screen->list()->count(), before + 1);
        QCOMPARE(m_screen->row(before)->file().id, store().compressFiles().last().id);
        QVERIFY(m_screen->list()->isVisible());
        QVERIFY(m_screen->addButton()->isVisible());
    }

    void footerSumsTheInputs()
    {
        QVERIFY(m_screen->summary()->text().isEmpty());
        QVERIFY(!m_screen->runButton()->isEnabled());
        QVERIFY(!m_screen->clearButton()->isEnabled());
        store().addFiles({m_fixture->pdf("A.pdf", 2), m_fixture->pdf("B.pdf", 5)},
                         AppSection::compress);
        const qint64 bytes = store().compressFiles().at(0).bytes + store().compressFiles().at(1).bytes;
        QCOMPARE(m_screen->summary()->text(),
                 QStringLiteral("Dosya: 2 · %1").arg(Formatting::fileSize(bytes, QLocale())));
        QVERIFY(m_screen->runButton()->isEnabled());
        QVERIFY(m_screen->clearButton()->isEnabled());
        QVERIFY(!status(0) && !status(1));
    }

    void levelPickerIsBoundToTheStore()
    {
        store().addFiles({m_fixture->pdf("A.pdf")}, AppSection::compress);
        SegmentedControl* levels = m_screen->levels();
        QCOMPARE(levels->currentIndex(), 1);
        QCOMPARE(m_screen->levelText()->text(),
                 QStringLiteral("Ekranda okumak ve e-postayla göndermek için."));
        QTest::mouseClick(levels, Qt::LeftButton, {}, levels->segmentRect(2).center());
        QCOMPARE(store().compressionLevel(), CompressionLevel::strong);
        QCOMPARE(QSettings().value(QStringLiteral("compressionLevel")).toString(),
                 QStringLiteral("strong"));
        QCOMPARE(m_screen->levelText()->text(),
                 QStringLiteral("En küçük dosya. Görsellerde bozulma fark edilir."));

        store().setCompressionLevel(CompressionLevel::light);
        QCOMPARE(levels->currentIndex(), 0);
        QCOMPARE(levels->title(0), QStringLiteral("Hafif"));
        QCOMPARE(m_screen->levelText()->text(),
                 QStringLiteral("Baskı için uygun. Görseller neredeyse aynı kalır."));
    }

    void statusesAfterARun()
    {
        store().addFiles({m_fixture->imagePdf("Foto.pdf"), m_fixture->pdf("Metin.pdf", 2)},
                         AppSection::compress);
        const QString folder = m_fixture->folder("kucuk");
        m_fixture->panels.folderAnswers << folder;
        QTest::mouseClick(m_screen->runButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls, QStringList{"folder()"});
        QVERIFY(m_screen->runButton()->showsProgress());
        QVERIFY(m_fixture->waitIdle());
        QVERIFY(!m_screen->runButton()->showsProgress());

        const QString output = folder + QStringLiteral("/Foto sıkıştırılmış.pdf");
        const qint64 size = QFileInfo(output).size();
        QVERIFY(size > 0);
        QCOMPARE(status(0), std::optional<QString>(
                                QStringLiteral("→ %1").arg(Formatting::fileSize(size, QLocale()))));
        QCOMPARE(m_screen->row(0)->statusBadge()->tint(), DS::up(m_screen->palette()));
        QCOMPARE(status(1), std::optional<QString>(QStringLiteral("Küçülmedi")));
        QCOMPARE(m_screen->row(1)->statusBadge()->tint(), Theme::secondary(m_screen->palette()));

        BannerView* banner = m_screen->bannerView();
        QVERIFY(banner);
        QVERIFY(banner->textLabel()->text().endsWith(QStringLiteral(" Küçülmeyen dosya: 1 (yazılmadı).")));
        QTest::mouseClick(banner->revealButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->reveal.revealed, QList<QStringList>{QStringList{output}});

        // Removing a row keeps the other's result until the next run.
        QTest::mouseClick(m_screen->row(1)->removeButton(), Qt::LeftButton);
        QCOMPARE(store().compressFiles().size(), 1);
        QTRY_COMPARE(m_screen->list()->count(), 1);
        QVERIFY(status(0)->startsWith(QStringLiteral("→ ")));

        QTest::mouseClick(m_screen->clearButton(), Qt::LeftButton);
        QVERIFY(store().compressFiles().isEmpty());
        QVERIFY(store().compressResults().isEmpty());
        QVERIFY(!store().banner(AppSection::compress));
        QVERIFY(!m_screen->bannerView());
        QVERIFY(m_screen->dropZone()->isVisible());
    }

    void nothingSmallerShowsTheInformationBanner()
    {
        store().addFiles({m_fixture->pdf("Metin.pdf", 2)}, AppSection::compress);
        m_fixture->panels.saveAnswers << m_fixture->path("Metin kucuk.pdf");
        QTest::mouseClick(m_screen->runButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls, QStringList{"save(Metin sıkıştırılmış)"});
        QVERIFY(m_fixture->waitIdle());
        QCOMPARE(status(0), std::optional<QString>(QStringLiteral("Küçülmedi")));
        BannerView* banner = m_screen->bannerView();
        QVERIFY(banner);
        QVERIFY(!banner->banner().isError);
        QVERIFY(!banner->revealButton());
        QCOMPARE(banner->textLabel()->text(),
                 QStringLiteral("Daha fazla küçülmedi. Dosya zaten sıkıştırılmış görünüyor, yeni "
                                "dosya yazılmadı."));
    }

    void droppingAgainClearsTheStatuses()
    {
        store().addFiles({m_fixture->pdf("Metin.pdf", 1)}, AppSection::compress);
        store().setCompressResults({{store().compressFiles().first().id, 0}});
        QCOMPARE(status(0), std::optional<QString>(QStringLiteral("Küçülmedi")));
        QVERIFY(ScreenEvents::dropFiles(m_screen->footerBar(), {m_fixture->path("Metin.pdf")}));
        QCOMPARE(store().compressFiles().size(), 1);
        QVERIFY(!status(0));
    }
};

QTEST_MAIN(CompressScreenTest)
#include "CompressScreenTest.moc"
