#include "Find.h"
#include "StoreTestCase.h"
#include "ui/kit/StepperControl.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/Navigation.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

Q_DECLARE_METATYPE(SplitMode)

// Menu shortcuts typed in text fields, under a plain X11 keymap where a line edit claims Ctrl+E.
class ShortcutsTest : public StoreTestCase {
    Q_OBJECT

    std::unique_ptr<MainWindow> m_window;

private slots:
    void cleanup() override
    {
        m_window.reset();
        StoreTestCase::cleanup();
    }

    void menuShortcutsWorkFromTextFields_data()
    {
        QTest::addColumn<SplitMode>("mode");
        QTest::addColumn<QKeySequence>("keys");
        // One digit stands for the six: none of them is a line edit's.
        for (const char* keys : {"Ctrl+E", "Ctrl+O", "Ctrl+1", "Ctrl+,", "Ctrl+Q"}) {
            QTest::addRow("ranges field, %s", keys) << SplitMode::ranges << QKeySequence(keys);
        }
        QTest::newRow("stepper field, Ctrl+E") << SplitMode::every << QKeySequence("Ctrl+E");
    }
    void menuShortcutsWorkFromTextFields()
    {
        QFETCH(SplitMode, mode);
        QFETCH(QKeySequence, keys);
        store().addFiles({m_fixture->pdf(QStringLiteral("Rapor.pdf"), 4)},
                         store().tool<SplitTool>());
        store().tool<SplitTool>().setSplitMode(mode);
        Navigation::setCurrent(QStringLiteral("split"));
        m_window = std::make_unique<MainWindow>(store());
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QLineEdit* field = mode == SplitMode::ranges
                               ? Find::named<QLineEdit>(m_window.get(), QStringLiteral("Aralıklar"))
                               : m_window->findChild<StepperControl*>()->field();
        field->setFocus(Qt::TabFocusReason);
        const QList<QAction*> actions = m_window->menuBar()->findChildren<QAction*>();
        const auto action = std::find_if(actions.begin(), actions.end(), [&keys](QAction* each) {
            return each->shortcut() == keys;
        });
        QVERIFY(action != actions.end());
        QSignalSpy triggered(*action, &QAction::triggered);
        QTest::keySequence(field, keys);
        QCOMPARE(triggered.count(), 1); // quitting waits for an event loop that never comes
    }
};

QTEST_MAIN(ShortcutsTest)
#include "ShortcutsTest.moc"
