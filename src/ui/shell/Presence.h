#pragma once

#include <QObject>

class BackgroundNotice;
class QWidget;

// Follows the application's windows: while a real window is open the application is an
// ordinary windowed one; when the last one closes it stays in the tray and the background
// notice says so. Acts only when that changes.
class Presence : public QObject {
    Q_OBJECT
public:
    explicit Presence(BackgroundNotice& notice, QObject* parent = nullptr);

    // Watches every window of the application from now on.
    void start();

    // A visible, titled window that is neither a panel, a popup, a tip nor a message box, other
    // than `excluded`.
    static bool hasAppWindow(const QWidget* excluded = nullptr);
    // Re-evaluates with `excluded` left out (a window on its way out).
    void update(const QWidget* excluded = nullptr);
    bool hasWindows() const { return m_has; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    BackgroundNotice& m_notice;
    bool m_has = true;
    bool m_started = false;
};
