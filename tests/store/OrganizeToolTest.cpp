#include "Fixtures.h"
#include "StoreTestCase.h"

#include <QFileInfo>
#include <QTest>
#include <optional>
#include <utility>

// The organize tool's edits, their undo and redo, insertion of other files and the jobs it builds.
class OrganizeToolTest : public StoreTestCase {
    Q_OBJECT

    OrganizeTool& tool() { return store().tool<OrganizeTool>(); }

    // "a1 *b2+3": each page's file initial, number and quarter turns; a star marks the selected.
    QString arrangement()
    {
        QStringList pages;
        for (int at = 0; at < tool().arrangement().size(); ++at) {
            const PDFEngine::OrganizedPage& page = tool().arrangement()[at];
            pages.append(QString(tool().organizeSelected().contains(at) ? "*" : "") +
                         QFileInfo(tool().organizeFiles()[page.source].source.path).fileName()[0] +
                         QString::number(page.page + 1) +
                         (page.quarterTurns ? "+" + QString::number(page.quarterTurns) : ""));
        }
        return pages.join(' ');
    }

    // Runs "op:argument" steps on the tool, with a.pdf (3 pages) open.
    void play(const QString& script)
    {
        store().addFiles({m_fixture->pdf("a.pdf", 3)}, tool());
        std::optional<int> at; // where the next file taken goes
        for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
            const QString op = step.section(':', 0, 0);
            const QString argument = step.section(':', 1);
            QList<int> positions;
            for (const QString& each : argument.section('>', 0, 0).split(',', Qt::SkipEmptyParts)) {
                positions.append(each.toInt());
            }
            if (op == "sel") {
                tool().setOrganizeSelected({positions.begin(), positions.end()});
            } else if (op == "rot" || op == "step") {
                (tool().*(op == "rot" ? &OrganizeTool::rotateSelected
                                      : &OrganizeTool::moveSelected))(argument.toInt());
            } else if (op == "at") {
                at = argument.toInt();
            } else if (op == "cancel") { // the open dialog is left without a file
                tool().insertAt(*std::exchange(at, std::nullopt));
            } else if (op == "batch") { // a new start with two files at once
                tool().clear();
                store().addFiles({m_fixture->pdf("a.pdf", 3), m_fixture->pdf("b.pdf", 2)}, tool());
            } else if (op == "mv") {
                tool().move(positions, argument.section('>', 1).toInt());
            } else if (op == "take") {
                const QString password = argument == "k" ? "gizli" : "";
                m_fixture->dialogs.passwordAnswers = {password};
                const QString path = m_fixture->pdf(argument + ".pdf", 2, password);
                at ? tool().insertAt(*at, {path}) : store().addFiles({path}, tool());
                at.reset();
            } else {
                op == "del" ? void(tool().deleteSelected())
                            : (tool().*(op == "dup"    ? &OrganizeTool::duplicateSelected
                                        : op == "undo" ? &OrganizeTool::undo
                                        : op == "redo" ? &OrganizeTool::redo
                                                       : &OrganizeTool::reset))();
            }
        }
    }

private slots:
    void editsUndoAndRedo_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("pages");
        QTest::addColumn<int>("steps"); // on the undo stack
        for (const char* row :
             {"turns wrap|sel:0,2 rot:1 rot:1 rot:1 rot:1 rot:-1|*a1+3 a2 *a3+3|5",
              "full turn|sel:1 rot:4 rot:-8|a1 *a2 a3|0",
              "to the end|mv:0>3|a2 a3 *a1|1",
              "to the front|mv:2,1>0|*a2 *a3 a1|1",
              "onto itself|mv:1>1 mv:1>2|a1 *a2 a3|0",
              "one later|sel:0 step:1|a2 *a1 a3|1",
              "past the end|sel:1,2 step:1|a1 *a2 *a3|0",
              "gathers|sel:0,2 step:1|a2 *a1 *a3|1",
              "gathers earlier|sel:0,2 step:-1|*a1 *a3 a2|1",
              "delete|sel:0,2 del|a2|1",
              "delete all|sel:0,1,2 del|*a1 *a2 *a3|0",
              "duplicate|sel:0,2 rot:2 dup|a1+2 *a1+2 a2 a3+2 *a3+2|2",
              "insert at end|take:b|a1 a2 a3 *b1 *b2|1",
              "insert at|sel:0 at:1 take:b|a1 *b1 *b2 a2 a3|1",
              "insert locked|at:0 take:k|*k1 *k2 a1 a2 a3|1",
              "itself again|at:9 take:a|a1 a2 a3 *a1 *a2 *a3|1",
              "place dropped|at:0 cancel take:b|a1 a2 a3 *b1 *b2|1",
              "batch on a new start|batch|a1 a2 a3 *b1 *b2|1",
              "reset|take:b sel:0 rot:1 reset|a1 a2 a3|3",
              "reset undone|sel:0 rot:1 take:b reset undo|a1+1 a2 a3 *b1 *b2|2",
              "redo dropped|sel:0 rot:1 undo rot:2 redo|*a1+2 a2 a3|1"}) {
            const QStringList cells = QString::fromUtf8(row).split('|');
            QTest::newRow(qPrintable(cells[0])) << cells[1] << cells[2] << cells[3].toInt();
        }
    }

    // Every script undoes back to the document as opened and redoes forward to where it was.
    void editsUndoAndRedo()
    {
        QFETCH(QString, script);
        QFETCH(QString, pages);
        QFETCH(int, steps);
        play(script);
        QCOMPARE(arrangement(), pages);
        const bool refused = QTest::currentDataTag() == QByteArray("delete all");
        QCOMPARE(store().banner("organize").value_or(Banner{}).text,
                 refused ? "En az bir sayfa kalmalı." : "");
        QCOMPARE(tool().edited(), QString(pages).remove('*') != "a1 a2 a3");
        for (int step = 0; step < steps; ++step) {
            QVERIFY(tool().canUndo());
            tool().undo();
        }
        QVERIFY(!tool().canUndo());
        QCOMPARE(arrangement().remove('*'), "a1 a2 a3");
        for (int step = 0; step < steps; ++step) {
            tool().redo();
        }
        QCOMPARE(arrangement(), pages);
    }

    // The job names only the files whose pages are written; extracting keeps the selected pages
    // in arrangement order; the arrangement stays. Pages as "<tag>@<rotation>".
    void runsWriteTheArrangement()
    {
        play("take:b at:2 take:c sel:5,6 del sel:2 del mv:3>0 mv:3>2 sel:1 rot:-3 sel:3,1");
        for (const bool extract : {false, true}) {
            m_fixture->dialogs.saveAnswers = {m_fixture->path("out.pdf")};
            extract ? tool().extractSelected() : store().run(tool());
            QVERIFY(m_fixture->waitIdle());
            QCOMPARE(m_fixture->dialogs.calls.last(),
                     extract ? "save(a seçilen sayfalar)" : "save(a düzenlendi)");
            QStringList written = Fixtures::readTags(m_fixture->path("out.pdf"));
            const auto layouts = Fixtures::readLayouts(m_fixture->path("out.pdf"));
            for (qsizetype page = 0; page < written.size() && page < layouts.size(); ++page) {
                written[page] += "@" + QString::number(layouts[page].first);
            }
            QCOMPARE(written.join(' '), extract ? "a-1@90 a-2@0" : "a-3@0 a-1@90 c-2@0 a-2@0");
            QCOMPARE(store().data().history.first().inputs.size(), extract ? 1 : 2);
            QCOMPARE(arrangement(), "a3 *a1+1 c2 *a2");
        }
    }
};

QTEST_GUILESS_MAIN(OrganizeToolTest)
#include "OrganizeToolTest.moc"
