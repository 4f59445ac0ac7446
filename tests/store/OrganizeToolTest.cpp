#include "Fixtures.h"
#include "StoreTestCase.h"

#include <QFileInfo>
#include <QTest>

// The organize tool's edits, their undo and redo, insertion of other files and the jobs it builds.
class OrganizeToolTest : public StoreTestCase {
    Q_OBJECT

    OrganizeTool& tool() { return store().tool<OrganizeTool>(); }

    // "a1 b2+3": each page as its file's first letter, its number and its quarter turns.
    QString arrangement()
    {
        QStringList pages;
        for (const PDFEngine::OrganizedPage& page : tool().arrangement()) {
            const QString name = QFileInfo(tool().organizeFiles()[page.source].source.path).fileName();
            pages.append(name.left(1) + QString::number(page.page + 1) +
                         (page.quarterTurns ? "+" + QString::number(page.quarterTurns) : ""));
        }
        return pages.join(' ');
    }

    QList<int> selected()
    {
        QList<int> positions(tool().organizeSelected().begin(), tool().organizeSelected().end());
        std::sort(positions.begin(), positions.end());
        return positions;
    }

    static QList<int> numbers(const QString& list)
    {
        QList<int> values;
        for (const QString& each : list.split(',', Qt::SkipEmptyParts)) {
            values.append(each.toInt());
        }
        return values;
    }

    // Runs "op:argument" steps on the tool, with a.pdf (3 pages) open.
    void play(const QString& script)
    {
        store().addFiles({m_fixture->pdf("a.pdf", 3)}, tool());
        for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
            const QString op = step.section(':', 0, 0);
            const QString argument = step.section(':', 1);
            if (op == "sel") {
                const QList<int> positions = numbers(argument);
                tool().setOrganizeSelected({positions.begin(), positions.end()});
            } else if (op == "rot") {
                tool().rotateSelected(argument.toInt());
            } else if (op == "mv") {
                tool().move(numbers(argument.section('>', 0, 0)), argument.section('>', 1).toInt());
            } else if (op == "step") {
                tool().moveSelected(argument.toInt());
            } else if (op == "del") {
                tool().deleteSelected();
            } else if (op == "dup") {
                tool().duplicateSelected();
            } else if (op == "at") {
                tool().insertAt(argument.toInt());
            } else if (op == "take") {
                m_fixture->dialogs.passwordAnswers = {QString("gizli")};
                const bool locked = argument == "k";
                store().addFiles({m_fixture->pdf(argument + ".pdf", 2, locked ? "gizli" : "")},
                                 tool());
            } else if (op == "undo") {
                tool().undo();
            } else if (op == "redo") {
                tool().redo();
            } else if (op == "reset") {
                tool().reset();
            }
        }
    }

private slots:
    void editsUndoAndRedo_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("pages");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<int>("steps"); // on the undo stack
        QTest::addColumn<QString>("banner");
        const auto row = [](const char* name, const char* script, const char* pages,
                            const char* selection, int steps, const char* banner = "") {
            QTest::newRow(name) << script << pages << selection << steps << banner;
        };
        row("opened", "", "a1 a2 a3", "", 0);
        row("rotation composes and wraps", "sel:0,2 rot:1 rot:1 rot:1 rot:1 rot:-1",
            "a1+3 a2 a3+3", "0,2", 5);
        row("a full turn changes nothing", "sel:1 rot:4 rot:-8", "a1 a2 a3", "1", 0);
        row("move to the end", "mv:0>3", "a2 a3 a1", "2", 1);
        row("move a block to the front", "mv:2,1>0", "a2 a3 a1", "0,1", 1);
        row("move before itself", "mv:1>1 mv:1>2", "a1 a2 a3", "1", 0);
        row("selection one later", "sel:0 step:1", "a2 a1 a3", "1", 1);
        row("selection past the end", "sel:1,2 step:1", "a1 a2 a3", "1,2", 0);
        row("scattered selection gathers", "sel:0,2 step:1", "a2 a1 a3", "1,2", 1);
        row("scattered selection earlier", "sel:0,2 step:-1", "a1 a3 a2", "0,1", 1);
        row("delete", "sel:0,2 del", "a2", "", 1);
        row("delete every page", "sel:0,1,2 del", "a1 a2 a3", "0,1,2", 0,
            "En az bir sayfa kalmalı.");
        row("duplicate", "sel:0,2 rot:2 dup", "a1+2 a1+2 a2 a3+2 a3+2", "1,4", 2);
        row("insert at the end", "take:b", "a1 a2 a3 b1 b2", "3,4", 1);
        row("insert at a position", "sel:0 at:1 take:b", "a1 b1 b2 a2 a3", "1,2", 1);
        row("insert a protected file", "at:0 take:k", "k1 k2 a1 a2 a3", "0,1", 1);
        row("the document again", "at:9 take:a", "a1 a2 a3 a1 a2 a3", "3,4,5", 1);
        row("reset", "take:b sel:0 rot:1 reset", "a1 a2 a3", "", 3);
        row("reset undone", "sel:0 rot:1 take:b reset undo", "a1+1 a2 a3 b1 b2", "3,4", 2);
        row("an edit drops what redo held", "sel:0 rot:1 undo rot:2 redo", "a1+2 a2 a3", "0", 1);
    }

    // Every script undoes back to the document as opened and redoes forward to where it was.
    void editsUndoAndRedo()
    {
        QFETCH(QString, script);
        QFETCH(QString, pages);
        QFETCH(QString, selection);
        QFETCH(int, steps);
        QFETCH(QString, banner);
        play(script);
        QCOMPARE(arrangement(), pages);
        QCOMPARE(selected(), numbers(selection));
        QCOMPARE(store().banner("organize").value_or(Banner{}).text, banner);
        QCOMPARE(tool().edited(), pages != "a1 a2 a3");
        const QSet<int> chosen = tool().organizeSelected();
        for (int step = 0; step < steps; ++step) {
            QVERIFY(tool().canUndo());
            tool().undo();
        }
        QVERIFY(!tool().canUndo());
        QCOMPARE(arrangement(), "a1 a2 a3");
        for (int step = 0; step < steps; ++step) {
            tool().redo();
        }
        QCOMPARE(arrangement(), pages);
        QCOMPARE(tool().organizeSelected(), chosen);
    }
};

QTEST_GUILESS_MAIN(OrganizeToolTest)
#include "OrganizeToolTest.moc"
