#include "StoreTestCase.h"
#include "core/RecognitionLanguages.h"
#include "engine/include/PDFEngine.h"
#include "store/ToolRun.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSettings>
#include <QTest>

using PDFEngine::RecognitionTally;

// The text recognition tool's languages, the job it builds and what it makes of an outcome.
class OcrToolTest : public StoreTestCase {
    Q_OBJECT

    OcrTool& tool() { return store().tool<OcrTool>(); }

private slots:
    // The interface language and English at first; a stored choice wins, in the recogniser's order.
    void languagesAtFirst()
    {
        QCOMPARE(RecognitionLanguages::defaults(AppLanguage::tr), QStringList({"eng", "tur"}));
        QCOMPARE(RecognitionLanguages::defaults(AppLanguage::es), QStringList({"eng", "spa"}));
        QCOMPARE(RecognitionLanguages::defaults(AppLanguage::en), QStringList({"eng"}));
        QCOMPARE(tool().ocrLanguages(), RecognitionLanguages::defaults(AppLanguages::current()));
        for (const auto& [stored, read] :
             QList<std::pair<QString, QStringList>>{{"tur+spa+xyz", {"spa", "tur"}},
                                                    {"xyz", tool().ocrLanguages()}}) {
            QSettings().setValue("ocrLanguages", stored);
            m_fixture = std::make_unique<StoreFixture>(*m_environment);
            QCOMPARE(tool().ocrLanguages(), read);
        }
    }

    // Languages in the recogniser's order whatever the clicks' order, the options and the page
    // counts go into the job; one file is saved, several go into a folder.
    void buildsTheJob_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<QStringList>("clicks"); // "+tur" chooses, "-eng" drops
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<bool>("options"); // turn pages and redo
        QTest::newRow("one") << 1 << QStringList{"-eng", "+tur", "+spa"}
                             << QStringList{"spa", "tur"} << false;
        QTest::newRow("two") << 2 << QStringList{"+tur", "-spa", "+eng"}
                             << QStringList{"eng", "tur"} << true;
    }
    void buildsTheJob()
    {
        QFETCH(int, files);
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, languages);
        QFETCH(bool, options);
        store().addFiles(
            QStringList{m_fixture->pdf("Tarama.pdf", 3), m_fixture->pdf("Ek.pdf", 2)}.mid(0, files),
            tool());
        for (const QString& click : clicks) {
            tool().setLanguageChosen(click.mid(1), click.startsWith('+'));
        }
        tool().setTurnPages(options);
        tool().setRedo(options);
        const QString out = m_fixture->folder("çıktı") + (files == 1 ? "/x.pdf" : "");
        (files == 1 ? m_fixture->dialogs.saveAnswers : m_fixture->dialogs.folderAnswers) << out;
        const std::optional<PreparedRun> run = tool().prepare();
        QCOMPARE(m_fixture->dialogs.calls,
                 QStringList{files == 1 ? "save(Tarama aranabilir)" : "folder()"});
        const PDFEngine::OcrJob job{ToolRun::sourcesOf(tool().ocrFiles()),
                                    languages,
                                    options,
                                    options,
                                    QList<qint64>{3, 2}.mid(0, files),
                                    files == 1 ? out : QString(),
                                    files > 1 ? out : QString(),
                                    QStringList{"Tarama aranabilir", "Ek aranabilir"}.mid(0, files),
                                    files > 1};
        QVERIFY(run && std::get<PDFEngine::OcrJob>(run->job) == job);
        m_fixture = std::make_unique<StoreFixture>(*m_environment); // the choice is kept
        QCOMPARE(tool().ocrLanguages(), languages);
        QVERIFY(tool().turnPages() == options && !tool().redo()); // redo lasts a session
    }

    // With no language chosen there is no run, and no dialog asks where it would go.
    void refusesWithoutALanguage()
    {
        store().addFiles({m_fixture->pdf("Tarama.pdf")}, tool());
        for (const QString& code : RecognitionLanguages::known()) {
            tool().setLanguageChosen(code, false);
        }
        QVERIFY(!tool().prepare());
        QVERIFY(m_fixture->dialogs.calls.isEmpty());
    }

    // Each row keeps its tally; the banner and the history name only the files written, and a
    // run that wrote nothing says why without a record.
    void outcomeGivesTalliesBannerAndHistory()
    {
        store().addFiles({m_fixture->pdf("Tarama.pdf", 3), m_fixture->pdf("Metin.pdf", 2)}, tool());
        const QList<PDFFile> inputs = tool().ocrFiles();
        const RecognitionTally read{2, 1, 1};
        const RecognitionTally left{0, 2, 0};
        PDFEngine::Outcome outcome;
        outcome.recognition = {left, left};
        tool().apply(inputs, outcome);
        QCOMPARE(tool().ocrResults().value(inputs[1].id), left);
        QCOMPARE(store().banner("ocr")->kind, Banner::Kind::information);
        QVERIFY(store().data().history.isEmpty());

        const QString written = m_fixture->pdf("Tarama aranabilir.pdf");
        outcome.recognition = {read, left};
        outcome.perSource = {written, std::nullopt};
        outcome.outputs = {written};
        tool().apply(inputs, outcome);
        QCOMPARE(tool().ocrResults(),
                 (QHash<QUuid, RecognitionTally>{{inputs[0].id, read}, {inputs[1].id, left}}));
        QVERIFY(store().banner("ocr")->text.endsWith("Zaten aranabilir dosya: 1 (yazılmadı)."));
        QCOMPARE(store().data().history.first().inputs, QStringList{"Tarama.pdf"});
    }

    // Through the worker: the scanned page gets a layer and the page with text is left alone;
    // the rows say so and the history records the file written.
    void recognisesAScanThroughTheWorker()
    {
        const QString scan = m_fixture->path("Tarama.pdf");
        QPdfWriter writer(scan);
        writer.setPageSize(QPageSize(QSizeF(360, 108), QPageSize::Point));
        writer.setResolution(300);
        QImage image(1500, 450, QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(QFont(QStringLiteral("DejaVu Serif"), 40));
        painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Kira sözleşmesi"));
        painter.end();
        QPainter(&writer).drawImage(0, 0, image);
        store().addFiles({scan, m_fixture->pdf("Metin.pdf")}, tool());
        m_fixture->dialogs.folderAnswers << m_fixture->folder("çıktı");
        store().run(tool());
        QVERIFY(m_fixture->waitIdle());
        QCOMPARE(tool().ocrResults().value(tool().ocrFiles()[0].id), (RecognitionTally{1, 0, 0}));
        QCOMPARE(tool().ocrResults().value(tool().ocrFiles()[1].id), (RecognitionTally{0, 1, 0}));
        const HistoryItem record = store().data().history.value(0);
        QCOMPARE(record.inputs, QStringList{"Tarama.pdf"});
        QCOMPARE(record.outputs,
                 QStringList{m_fixture->folder("çıktı") + "/Tarama aranabilir.pdf"});
    }
};

QTEST_MAIN(OcrToolTest)
#include "OcrToolTest.moc"
