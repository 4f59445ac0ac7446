#include "ui/shell/WindowPresenter.h"

#include <QTimer>

WindowPresenter::WindowPresenter(Schedule schedule) : m_schedule(std::move(schedule)) {}

WindowPresenter& WindowPresenter::shared()
{
    static WindowPresenter presenter;
    return presenter;
}

WindowPresenter::Schedule WindowPresenter::defaultSchedule()
{
    return [](int ms, std::function<void()> work) { QTimer::singleShot(ms, std::move(work)); };
}

void WindowPresenter::setWindow(QWidget* window)
{
    m_window = window;
}

void WindowPresenter::showForExternalEvent()
{
    if (raiseVisible() || m_waiting) {
        return;
    }
    m_waiting = true;
    m_schedule(reopenDelayMs, [this] {
        m_waiting = false;
        if (!raiseVisible()) {
            reopen();
        }
    });
}

void WindowPresenter::show()
{
    if (m_window) {
        bringForward(m_window);
    }
}

bool WindowPresenter::raiseVisible()
{
    if (!m_window || !m_window->isVisible()) {
        return false;
    }
    bringForward(m_window);
    return true;
}

void WindowPresenter::reopen()
{
    if (m_window) {
        // A closed window is only hidden; showing it again is the reopen.
        bringForward(m_window);
    }
}

void WindowPresenter::bringForward(QWidget* window)
{
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
