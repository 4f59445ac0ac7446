#include "Fixtures.h"
#include "StoreTestCase.h"

#include <QDirIterator>
#include <QTest>

using namespace std::chrono_literals;

// Every corpus file without a password goes the window's road (admitted and split, or refused):
// each ends in outputs or a message, never a crash or hang, and no worker is left.
class StoreCorpusTest : public StoreTestCase {
    Q_OBJECT

private slots:
    void initTestCase() override
    {
        StoreTestCase::initTestCase();
        const QString corpus = Fixtures::sweepCorpus();
        QVERIFY2(QFile::exists(corpus + QStringLiteral("/INDEX.tsv")),
                 qPrintable(corpus + QStringLiteral(" holds no corpus: INDEX.tsv is missing")));
    }

    void survives_data()
    {
        QTest::addColumn<QString>("file");
        const QString corpus = Fixtures::sweepCorpus();
        for (const char* folder : {"damaged", "misc", "rotated", "images"}) {
            QDirIterator files(corpus + u'/' + QLatin1String(folder), QDir::Files,
                               QDirIterator::Subdirectories);
            while (files.hasNext()) {
                const QString path = files.next();
                QTest::newRow(qPrintable(path.mid(corpus.size() + 1))) << path;
            }
        }
    }

    void survives()
    {
        QFETCH(QString, file);
        store().setRunLimits(RunLimits{8s, RunLimits::defaultMemory()});
        store().addFiles({file}, store().tool<SplitTool>());
        if (!store().tool<SplitTool>().splitFile()) {
            const std::optional<Banner> refused = store().banner(QStringLiteral("split"));
            QVERIFY(refused && refused->isError() && !refused->text.isEmpty());
            QCOMPARE(runWorkers(), QList<qint64>{});
            return;
        }
        m_fixture->dialogs.folderAnswers = {m_fixture->folder("parçalar")};
        store().run(store().tool<SplitTool>());
        QVERIFY(m_fixture->waitIdle());
        const std::optional<Banner> ended = store().banner(QStringLiteral("split"));
        QVERIFY(ended && !ended->text.isEmpty());
        QCOMPARE(store().data().history.size(), ended->isError() ? 0 : 1);
        for (const QString& output : ended->outputs) {
            QVERIFY(QFileInfo(output).size() > 0);
        }
        QCOMPARE(runWorkers(), QList<qint64>{});
    }
};

QTEST_GUILESS_MAIN(StoreCorpusTest)
#include "StoreCorpusTest.moc"
