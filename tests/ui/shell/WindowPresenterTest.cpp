#include "WindowPresenter.h"

#include <QTest>
#include <QWidget>

// Bringing the main window forward: at once when it is visible, and after files
// opened from outside one delayed reopen at most, however many opens arrive.
class WindowPresenterTest : public QObject {
    Q_OBJECT

private slots:
    void visibleWindowComesForwardAtOnce();
    void opensWhileHiddenScheduleOneReopen();
    void reopenAfterTheDelayAllowsTheNext();
    void minimisedWindowIsRestored();

private:
    // Holds what the presenter asked to run later, instead of a real timer.
    struct ScriptedClock {
        QList<int> delays;
        QList<std::function<void()>> work;
        WindowPresenter::Schedule schedule()
        {
            return [this](int ms, std::function<void()> job) {
                delays.append(ms);
                work.append(std::move(job));
            };
        }
        void elapse()
        {
            const auto due = std::exchange(work, {});
            for (const auto& job : due) {
                job();
            }
        }
    };
};

void WindowPresenterTest::visibleWindowComesForwardAtOnce()
{
    ScriptedClock clock;
    WindowPresenter presenter(clock.schedule());
    QWidget window;
    presenter.setWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    presenter.showForExternalEvent();
    presenter.showForExternalEvent();
    QVERIFY(clock.delays.isEmpty());
    QVERIFY(!presenter.waiting());
    QTRY_VERIFY(window.isActiveWindow());
}

void WindowPresenterTest::opensWhileHiddenScheduleOneReopen()
{
    ScriptedClock clock;
    WindowPresenter presenter(clock.schedule());
    QWidget window;
    presenter.setWindow(&window);

    presenter.showForExternalEvent();
    presenter.showForExternalEvent();
    presenter.showForExternalEvent();

    QCOMPARE(clock.delays, QList<int>{1000});
    QVERIFY(presenter.waiting());
    QVERIFY(!window.isVisible());

    clock.elapse();
    QVERIFY(window.isVisible());
    QVERIFY(!presenter.waiting());
}

void WindowPresenterTest::reopenAfterTheDelayAllowsTheNext()
{
    ScriptedClock clock;
    WindowPresenter presenter(clock.schedule());
    QWidget window;
    presenter.setWindow(&window);

    presenter.showForExternalEvent();
    clock.elapse();
    window.hide(); // the user closes the window again

    presenter.showForExternalEvent();
    QCOMPARE(clock.delays.size(), 2);
    QVERIFY(!window.isVisible());
    clock.elapse();
    QVERIFY(window.isVisible());
}

void WindowPresenterTest::minimisedWindowIsRestored()
{
    ScriptedClock clock;
    WindowPresenter presenter(clock.schedule());
    QWidget window;
    presenter.setWindow(&window);
    window.showMinimized();
    QVERIFY(window.isMinimized());

    presenter.showForExternalEvent();
    QVERIFY(clock.delays.isEmpty());
    QVERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
}

QTEST_MAIN(WindowPresenterTest)
#include "WindowPresenterTest.moc"
