#pragma once

#include <QObject>
#include <functional>

// Whether the desktop has a system tray, followed as trays come and go (a panel that starts
// after us, one that restarts or is removed).
class TrayWatch : public QObject {
    Q_OBJECT
public:
    // Asks whether a tray is there now; replaced in tests.
    using Probe = std::function<bool()>;

    // The one watch of the application.
    static TrayWatch& shared();

    // Asks `probe` from now on (by default Qt, which knows which tray it can use) and listens
    // for the desktop's hints that the answer may have changed.
    void start(Probe probe = {});
    bool available() const { return m_available; }

public slots:
    // Asks again; emits availableChanged when the answer differs.
    void recheck();

signals:
    void availableChanged(bool available);

private:
    void listen();

    Probe m_probe;
    bool m_available = false;
    bool m_listening = false;
};
