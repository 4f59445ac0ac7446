#pragma once

#include "ui/shell/Notifier.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>

// Desktop notifications over D-Bus (org.freedesktop.Notifications); the action of a
// notification is run when the desktop reports it invoked. Without a notification service
// the message is dropped: it only repeats what the window shows.
class DesktopNotifier : public QObject, public Notifier {
    Q_OBJECT
public:
    explicit DesktopNotifier(QDBusConnection bus = QDBusConnection::sessionBus(),
                             QObject* parent = nullptr);

    void notify(const QString& summary, const QString& body, Action show) override;

private slots:
    void invoked(uint id, const QString& key);
    void closed(uint id);

private:
    QDBusConnection m_bus;
    QHash<uint, Action> m_actions; // by the id the service gave the notification
};
