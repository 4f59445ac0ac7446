#include "ui/shell/ShellWindows.h"

#include "core/Preferences.h"
#include "ui/shell/AboutWindow.h"
#include "ui/shell/SettingsWindow.h"

#include <QWidget>

ShellWindows::ShellWindows(Store& store, QWidget* owner)
    : QObject(owner), m_store(store), m_owner(owner)
{
}

void ShellWindows::showAbout()
{
    if (!m_about) {
        m_about = new AboutWindow(m_store, m_owner);
    }
    bringForward(m_about);
}

void ShellWindows::showSettings()
{
    if (!m_settings) {
        m_settings = new SettingsWindow(m_store, m_owner);
    }
    bringForward(m_settings);
}

void ShellWindows::showSettingsPane(SettingsPane pane)
{
    Preferences::setSettingsPane(SettingsPanes::rawValue(pane));
    if (m_settings) {
        m_settings->setPane(pane);
    }
    showSettings();
}

void ShellWindows::bringForward(QWidget* window) const
{
    if (!window->isVisible()) {
        placeOver(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void ShellWindows::placeOver(QWidget* window) const
{
    // Over the main window while it shows; otherwise the desktop decides.
    if (!m_owner->isVisible()) {
        return;
    }
    QRect place(QPoint(), window->size());
    place.moveCenter(m_owner->geometry().center());
    // The inner geometry, so the frame the desktop adds does not shift the centre.
    window->setGeometry(place);
}

AboutWindow* ShellWindows::about() const
{
    return m_about;
}

SettingsWindow* ShellWindows::settings() const
{
    return m_settings;
}
