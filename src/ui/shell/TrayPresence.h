#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>

class BackgroundNotice;
class Presence;
class QSystemTrayIcon;
class ShellWindows;
class Store;
class TrayPopup;

// The application's lasting presence: an icon in the system tray whose popup offers the
// tools, the newest results, the window, the settings and quitting. Where the desktop has
// no tray there is no icon, and closing the last window quits.
class TrayPresence : public QObject {
    Q_OBJECT
public:
    // Shows the main window; quits the application (asking first during a run).
    using Action = std::function<void()>;

    TrayPresence(Store& store, ShellWindows& windows, Action showWindow, Action quit,
                 QObject* parent = nullptr);
    ~TrayPresence() override;

    // Puts the icon in the tray and follows the windows, where a tray exists; otherwise
    // leaves the application to quit with its last window. True when the icon is there.
    bool start(bool trayAvailable);

    // Opens the popup next to the icon, or at the screen corner nearest to it.
    void openPopup();
    TrayPopup* popup() const;
    QSystemTrayIcon* icon() const { return m_icon; }
    BackgroundNotice& notice() const { return *m_notice; }

    // Where a popup of `size` goes on `screen` for a tray icon at `icon` (empty: unknown,
    // with the pointer at `pointer`): beside the icon, inside the screen.
    static QPoint popupPlace(const QRect& screen, const QSize& size, const QRect& icon,
                             const QPoint& pointer);

private:
    Store& m_store;
    ShellWindows& m_windows;
    Action m_showWindow;
    Action m_quit;
    QSystemTrayIcon* m_icon = nullptr;
    BackgroundNotice* m_notice;
    Presence* m_presence = nullptr;
    QPointer<TrayPopup> m_popup;
};
