#include "ShellWindows.h"

#include "AboutWindow.h"
#include "Preferences.h"
#include "SettingsWindow.h"

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

void ShellWindows::bringForward(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

AboutWindow* ShellWindows::about() const
{
    return m_about;
}

SettingsWindow* ShellWindows::settings() const
{
    return m_settings;
}
