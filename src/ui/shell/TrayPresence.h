#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <optional>

class BackgroundNotice;
class Notifier;
class Presence;
class QSystemTrayIcon;
class ShellWindows;
class Store;
class TrayPopup;
class TrayWatch;

// The application's lasting presence: an icon in the system tray whose popup offers the
// tools, the newest results, the window, the settings and quitting, and a desktop
// notification for a run that ends while no window is open. Where the desktop has no tray
// there is no icon, and closing the last window quits.
class TrayPresence : public QObject {
    Q_OBJECT
public:
    // Shows the main window; quits the application (asking first during a run).
    using Action = std::function<void()>;

    TrayPresence(Store& store, ShellWindows& windows, Notifier& notifier, Action showWindow,
                 Action quit, QObject* parent = nullptr);
    ~TrayPresence() override;

    // Puts the icon in the tray and follows the windows while a tray exists; without one,
    // leaves the application to quit with its last window, and brings the window back if
    // it was closed into a tray that has gone. True when the icon is there.
    bool setTrayAvailable(bool available);
    // Keeps to what `watch` says from now on.
    void follow(TrayWatch& watch);

    // Opens the popup, built afresh, next to the icon or at the screen corner nearest to it.
    void openPopup();
    TrayPopup* popup() const;
    QSystemTrayIcon* icon() const { return m_icon; }
    BackgroundNotice& notice() const { return *m_notice; }

    // Where a popup of `size` goes on `screen` for a tray icon at `icon` (empty: unknown,
    // with the pointer at `pointer`): beside the icon, inside the screen.
    static QPoint popupPlace(const QRect& screen, const QSize& size, const QRect& icon,
                             const QPoint& pointer);

private:
    // A run that ended unseen is told through the desktop, with a way to its page.
    void followRuns();
    void reveal(const QStringList& paths);

    Store& m_store;
    ShellWindows& m_windows;
    Notifier& m_notifier;
    Action m_showWindow;
    Action m_quit;
    QSystemTrayIcon* m_icon = nullptr;
    BackgroundNotice* m_notice;
    Presence* m_presence = nullptr;
    QPointer<TrayPopup> m_popup;
    std::optional<QString> m_running;
};
