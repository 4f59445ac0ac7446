#pragma once

#include "ui/shell/SettingsPane.h"

#include <QObject>
#include <QPointer>

class AboutWindow;
class SettingsWindow;
class Store;
class QWidget;

// The one About window and the one settings window: opened on request, brought forward
// when already open, re-created after being closed; each opens centred over the main window. They
// are windows of their own owned by `owner` (the main window), which outlives every close.
class ShellWindows : public QObject {
    Q_OBJECT
public:
    ShellWindows(Store& store, QWidget* owner);

    void showAbout();
    void showSettings();
    // The settings window on `pane`, also when it is already open on another.
    void showSettingsPane(SettingsPane pane);

    // The windows while open; null otherwise.
    AboutWindow* about() const;
    SettingsWindow* settings() const;

private:
    void bringForward(QWidget* window) const;
    void placeOver(QWidget* window) const;

    Store& m_store;
    QWidget* m_owner;
    QPointer<AboutWindow> m_about;
    QPointer<SettingsWindow> m_settings;
};
