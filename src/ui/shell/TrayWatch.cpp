#include "ui/shell/TrayWatch.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <qpa/qplatformnativeinterface.h>

TrayWatch& TrayWatch::shared()
{
    static TrayWatch watch;
    return watch;
}

void TrayWatch::start(Probe probe)
{
    m_probe = probe ? std::move(probe) : Probe(&QSystemTrayIcon::isSystemTrayAvailable);
    listen();
    recheck();
}

void TrayWatch::recheck()
{
    const bool available = m_probe && m_probe();
    if (available != m_available) {
        m_available = available;
        emit availableChanged(available);
    }
}

void TrayWatch::listen()
{
    if (m_listening) {
        return;
    }
    m_listening = true;
    // Qt's two trays on Linux: a StatusNotifierItem host announces itself by this name on the
    // session bus, an XEmbed tray by owning the screen's _NET_SYSTEM_TRAY_S<n> selection, which
    // the xcb platform follows and reports. Either news only prompts asking Qt again, a moment
    // later, once Qt has seen the change too.
    const auto later = [this] { QTimer::singleShot(500, this, &TrayWatch::recheck); };
    auto* host = new QDBusServiceWatcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                                         QDBusConnection::sessionBus(),
                                         QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(host, &QDBusServiceWatcher::serviceOwnerChanged, this, later);
    QObject* native = QGuiApplication::platformNativeInterface();
    if (native && native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0) {
        connect(native, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(recheck()));
    }
}
