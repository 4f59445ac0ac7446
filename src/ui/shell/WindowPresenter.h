#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

// Brings the main window forward from anywhere, and reopens it after an
// external file open at most once per second.
class WindowPresenter {
public:
    // Runs `work` on the main thread after `ms` milliseconds.
    using Schedule = std::function<void(int ms, std::function<void()> work)>;

    static constexpr int reopenDelayMs = 1000;

    explicit WindowPresenter(Schedule schedule = defaultSchedule());

    // The one presenter of the application.
    static WindowPresenter& shared();
    static Schedule defaultSchedule();

    void setWindow(QWidget* window);

    // For a file opened from outside: a visible window comes forward at once (de-minimised,
    // raised, activated); otherwise one reopen is scheduled, however often this is called
    // meanwhile.
    void showForExternalEvent();
    // Brings the window forward now, shown again if it was closed (the tray's "Aç" and tools).
    void show();

private:
    bool raiseVisible();
    void reopen();
    static void bringForward(QWidget* window);

    Schedule m_schedule;
    QPointer<QWidget> m_window;
    bool m_waiting = false;
};
