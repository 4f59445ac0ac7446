#include "ui/shell/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString defaultAction = QStringLiteral("default");

} // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus))
{
    m_bus.connect(service, objectPath, interface, QStringLiteral("ActionInvoked"), this,
                  SLOT(invoked(uint, QString)));
    m_bus.connect(service, objectPath, interface, QStringLiteral("NotificationClosed"), this,
                  SLOT(closed(uint)));
}

void DesktopNotifier::notify(const QString& summary, const QString& body, Action show)
{
    if (!m_bus.isConnected()) {
        return;
    }
    const QString entry = QGuiApplication::desktopFileName();
    QStringList actions;
    if (show) {
        actions << defaultAction << tr("Göster");
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, objectPath, interface, QStringLiteral("Notify"));
    call << QGuiApplication::applicationDisplayName() << 0U << entry << summary << body << actions
         << QVariantMap{{QStringLiteral("desktop-entry"), entry}} << -1;
    // Asynchronous: a notification service that is slow to start never blocks the application.
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, show = std::move(show)] {
                watcher->deleteLater();
                const QDBusPendingReply<uint> reply = *watcher;
                if (show && reply.isValid()) {
                    m_actions.insert(reply.value(), show);
                }
            });
}

void DesktopNotifier::invoked(uint id, const QString& key)
{
    if (key != defaultAction) {
        return;
    }
    // Taken out first: the action may show a window that starts another notification.
    const Action action = m_actions.take(id);
    if (action) {
        action();
    }
}

void DesktopNotifier::closed(uint id)
{
    m_actions.remove(id);
}
