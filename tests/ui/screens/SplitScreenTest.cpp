#include "BannerView.h"
#include "Button.h"
#include "DropZone.h"
#include "Fixtures.h"
#include "PDFEngine.h"
#include "Labels.h"
#include "RunButton.h"
#include "ScreenEvents.h"
#include "SegmentedControl.h"
#include "SingleFileCard.h"
#include "SplitOptions.h"
#include "SplitScreen.h"
#include "StepperControl.h"
#include "StoreFixture.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

Q_DECLARE_METATYPE(SplitMode)

namespace {

QStringList numbered(const QString& stem, int first, int last)
{
    QStringList names;
    for (int page = first; page <= last; ++page) {
        names << QStringLiteral("%1 %2.pdf").arg(stem).arg(page);
    }
    return names;
}

} // namespace

class SplitScreenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreEnvironment> m_environment;
    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<SplitScreen> m_screen;

    Store& store() { return *m_fixture->store; }
    SplitOptions* options() { return m_screen->options(); }

    void admit(const QString& name, int pages)
    {
        store().addFiles({m_fixture->pdf(name, pages)}, AppSection::split);
        QVERIFY(store().splitFile());
    }

private slots:
    void initTestCase() { m_environment = std::make_unique<StoreEnvironment>(); }

    void init()
    {
        m_environment->reset();
        m_fixture = std::make_unique<StoreFixture>(*m_environment);
        m_screen = std::make_unique<SplitScreen>(store(), 24);
        m_screen->resize(760, 700);
        m_screen->show();
    }

    void cleanup()
    {
        m_screen.reset();
        m_fixture.reset();
    }

    void dropAnywhereAdmitsTheFirstFile_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("drop zone") << QStringLiteral("drop zone");
        QTest::newRow("footer bar") << QStringLiteral("footer bar");
        QTest::newRow("range field") << QStringLiteral("field");
        QTest::newRow("preview card") << QStringLiteral("preview");
    }

    void dropAnywhereAdmitsTheFirstFile()
    {
        QFETCH(QString, where);
        if (where != QLatin1String("drop zone")) {
            admit(QStringLiteral("Eski.pdf"), 2);
        }
        QWidget* target = where == QLatin1String("drop zone")    ? m_screen->dropZone()
                          : where == QLatin1String("footer bar") ? m_screen->footerBar()
                          : where == QLatin1String("field")
                              ? static_cast<QWidget*>(options()->rangesField())
                              : m_screen->preview();
        QVERIFY(ScreenEvents::dropFiles(
            target, {m_fixture->pdf("Sozlesme.pdf", 3), m_fixture->pdf("Diger.pdf", 1)}));
        QCOMPARE(QFileInfo(store().splitFile()->source.url).fileName(), QStringLiteral("Sozlesme.pdf"));
        QVERIFY(options()->rangesField()->text().isEmpty());
        QTRY_VERIFY(m_screen->fileCard());
        QCOMPARE(m_screen->fileCard()->findChild<ElidedLabel*>(QStringLiteral("name"))->fullText(),
                 QStringLiteral("Sozlesme.pdf"));
        QCOMPARE(m_screen->preview()->lines(), numbered(QStringLiteral("Sozlesme"), 1, 3));
        QCOMPARE(m_screen->count()->text(), QStringLiteral("Oluşacak dosya: 3"));
    }

    void previewListsTwentyFourThenTheRest()
    {
        admit(QStringLiteral("Kitap.pdf"), 30);
        QStringList expected = numbered(QStringLiteral("Kitap"), 1, 24);
        expected << QStringLiteral("ve 6 dosya daha");
        QCOMPARE(m_screen->preview()->lines(), expected);
        QCOMPARE(m_screen->count()->text(), QStringLiteral("Oluşacak dosya: 30"));
        QVERIFY(m_screen->runButton()->isEnabled());
    }

    void previewFollowsEveryChange_data()
    {
        QTest::addColumn<SplitMode>("mode");
        QTest::addColumn<int>("every");
        QTest::addColumn<QString>("ranges");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("count");
        QTest::newRow("every 3 of 7")
            << SplitMode::every << 3 << QString()
            << QStringList{"Rapor 1-3.pdf", "Rapor 4-6.pdf", "Rapor 7.pdf"}
            << QStringLiteral("Oluşacak dosya: 3");
        QTest::newRow("ranges with an open end")
            << SplitMode::ranges << 2 << QStringLiteral("1-2, 5, 6-")
            << QStringList{"Rapor 1-2.pdf", "Rapor 5.pdf", "Rapor 6-7.pdf"}
            << QStringLiteral("Oluşacak dosya: 3");
        QTest::newRow("every page")
            << SplitMode::each << 2 << QStringLiteral("1-2") << numbered(QStringLiteral("Rapor"), 1, 7)
            << QStringLiteral("Oluşacak dosya: 7");
    }

    void previewFollowsEveryChange()
    {
        QFETCH(SplitMode, mode);
        QFETCH(int, every);
        QFETCH(QString, ranges);
        QFETCH(QStringList, lines);
        QFETCH(QString, count);
        admit(QStringLiteral("Rapor.pdf"), 7);
        store().setSplitMode(mode);
        store().setSplitEvery(every);
        store().setSplitRanges(ranges);
        QCOMPARE(m_screen->preview()->lines(), lines);
        QVERIFY(!m_screen->preview()->showsFailure());
        QCOMPARE(m_screen->count()->text(), count);
        QVERIFY(m_screen->runButton()->isEnabled());
    }

    void rejectedRangesShowTheMessage()
    {
        admit(QStringLiteral("Rapor.pdf"), 7);
        store().setSplitMode(SplitMode::ranges);
        QLineEdit* field = options()->rangesField();
        QVERIFY(field->isVisible());
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("2-9"));
        QCOMPARE(store().splitRanges(), QStringLiteral("2-9"));

        const QString message =
            PDFEngine::splitPlan({SplitMode::ranges, 2, QStringLiteral("2-9")}, 7).error;
        QVERIFY(!message.isEmpty());
        QVERIFY(m_screen->preview()->showsFailure());
        QCOMPARE(m_screen->preview()->lines(), QStringList{message});
        QVERIFY(m_screen->count()->text().isEmpty());
        QVERIFY(!m_screen->runButton()->isEnabled());

        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QStringLiteral("7"));
        QCOMPARE(m_screen->preview()->lines(), QStringList{"Rapor 2-7.pdf"});
        QCOMPARE(m_screen->count()->text(), QStringLiteral("Oluşacak dosya: 1"));
        QVERIFY(m_screen->runButton()->isEnabled());
    }

    void modePickerIsBoundToTheStore()
    {
        admit(QStringLiteral("Rapor.pdf"), 5);
        SegmentedControl* modes = options()->modes();
        QCOMPARE(modes->count(), 3);
        QCOMPARE(modes->title(0), QStringLiteral("Her sayfa ayrı"));
        QCOMPARE(modes->title(1), QStringLiteral("Sabit aralık"));
        QCOMPARE(modes->title(2), QStringLiteral("Aralıklar"));
        QVERIFY(options()->eachLine()->isVisible());
        QCOMPARE(options()->eachLine()->text(), QStringLiteral("Her sayfa ayrı bir PDF olur."));

        QTest::mouseClick(modes, Qt::LeftButton, {}, modes->segmentRect(1).center());
        QCOMPARE(store().splitMode(), SplitMode::every);
        QVERIFY(options()->everyRow()->isVisible());
        QVERIFY(!options()->eachLine()->isVisible());
        QCOMPARE(options()->everyLabel()->text(), QStringLiteral("Her 2 sayfada bir böl"));

        store().setSplitMode(SplitMode::ranges);
        QCOMPARE(modes->currentIndex(), 2);
        QVERIFY(options()->rangesBlock()->isVisible());
        QVERIFY(!options()->everyRow()->isVisible());
    }

    void stepperStepsWithinThePages()
    {
        admit(QStringLiteral("Rapor.pdf"), 3);
        store().setSplitMode(SplitMode::every);
        StepperControl* stepper = options()->stepper();
        QCOMPARE(stepper->minimum(), 1);
        QCOMPARE(stepper->maximum(), 3);
        QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->upRect().center());
        QCOMPARE(store().splitEvery(), 3);
        QCOMPARE(options()->everyLabel()->text(), QStringLiteral("Her 3 sayfada bir böl"));
        QVERIFY(!stepper->canStepUp());
        QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->upRect().center());
        QCOMPARE(store().splitEvery(), 3);
        QCOMPARE(m_screen->preview()->lines(), QStringList{"Rapor 1-3.pdf"});
        QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->downRect().center());
        QTest::mouseClick(stepper, Qt::LeftButton, {}, stepper->downRect().center());
        QCOMPARE(store().splitEvery(), 1);
        QVERIFY(!stepper->canStepDown());
    }

    void stepperOnOnePageOffersOnlyOne()
    {
        admit(QStringLiteral("Tek.pdf"), 1);
        store().setSplitMode(SplitMode::every);
        StepperControl* stepper = options()->stepper();
        QCOMPARE(stepper->maximum(), 1);
        QCOMPARE(stepper->value(), 1);
        QVERIFY(!stepper->canStepUp());
        QVERIFY(!stepper->canStepDown());
        QCOMPARE(options()->everyLabel()->text(), QStringLiteral("Her 1 sayfada bir böl"));
        QCOMPARE(m_screen->preview()->lines(), QStringList{"Tek 1.pdf"});
    }

    void cardButtonsReplaceAndClear()
    {
        admit(QStringLiteral("Rapor.pdf"), 2);
        store().setSplitMode(SplitMode::ranges);
        store().setSplitRanges(QStringLiteral("2"));
        QTRY_VERIFY(m_screen->fileCard());
        m_fixture->panels.openAnswers << QStringList{m_fixture->pdf("Yeni.pdf", 4)};
        QTest::mouseClick(m_screen->fileCard()->otherButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->panels.calls, QStringList{"openPDFs(single)"});
        QCOMPARE(m_screen->preview()->lines(), QStringList{"Yeni 2.pdf"});

        QTest::mouseClick(m_screen->fileCard()->removeButton(), Qt::LeftButton);
        QVERIFY(!store().splitFile());
        QVERIFY(m_screen->dropZone()->isVisible());
        QVERIFY(!m_screen->runButton()->isEnabled());
        QVERIFY(m_screen->count()->text().isEmpty());
        // The settings wait for the next file.
        QCOMPARE(options()->rangesField()->text(), QStringLiteral("2"));
    }

    void runWritesTheListedFiles()
    {
        admit(QStringLiteral("Rapor.pdf"), 4);
        store().setSplitMode(SplitMode::every);
        store().setSplitEvery(2);
        const QString folder = m_fixture->folder("parcalar");
        m_fixture->panels.folderAnswers << folder;
        QTest::mouseClick(m_screen->runButton(), Qt::LeftButton);
        QVERIFY(m_screen->runButton()->showsProgress());
        QVERIFY(m_fixture->waitIdle());
        QVERIFY(!m_screen->runButton()->showsProgress());
        QStringList written;
        for (const QString& line : m_screen->preview()->lines()) {
            QVERIFY(QFileInfo::exists(folder + u'/' + line));
            written << folder + u'/' + line;
        }
        QCOMPARE(Fixtures::readTags(written.at(1)), (QStringList{"Rapor-3", "Rapor-4"}));
        BannerView* banner = m_screen->bannerView();
        QVERIFY(banner);
        QCOMPARE(banner->textLabel()->text(), QStringLiteral("Hazır: 2 dosya · parcalar klasöründe"));
        QTest::mouseClick(banner->revealButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->reveal.revealed, QList<QStringList>{written});
    }
};

QTEST_MAIN(SplitScreenTest)
#include "SplitScreenTest.moc"
