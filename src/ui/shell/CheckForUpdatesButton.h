#pragma once

#include <QAction>
#include <functional>

class Updater;

// The Help menu's "check for updates": opens the general settings, where the answer shows, and
// starts a check unless an update already waits for one. Disabled while updates are unavailable.
class CheckForUpdatesButton : public QAction {
    Q_OBJECT
public:
    CheckForUpdatesButton(Updater& updater, std::function<void()> openSettings,
                          QObject* parent = nullptr);
};
