#include "update/PackageInstaller.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <array>

namespace {

const QString service = QStringLiteral("org.freedesktop.PackageKit");
const QString transactionInterface = QStringLiteral("org.freedesktop.PackageKit.Transaction");

// The transaction's signals this installer follows.
struct Subscription {
    QString interface;
    QString name;
    const char* slot;
};

const std::array<Subscription, 3>& subscriptions()
{
    static const std::array<Subscription, 3> all = {{
        {transactionInterface, QStringLiteral("Finished"), SLOT(transactionFinished(uint, uint))},
        {transactionInterface, QStringLiteral("ErrorCode"), SLOT(errorCode(uint, QString))},
        {QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
         SLOT(propertiesChanged(QString, QVariantMap, QStringList))},
    }};
    return all;
}

} // namespace

PackageInstaller::PackageInstaller(QDBusConnection bus, OpenWithDesktop open, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_open(std::move(open))
{
}

void PackageInstaller::install(const QString& package, Progress progress, Done done)
{
    m_package = package;
    m_progress = std::move(progress);
    m_done = std::move(done);
    m_error.reset();
    const QDBusMessage create =
        QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/PackageKit"),
                                       service, QStringLiteral("CreateTransaction"));
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(create), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *call;
                // No bus, or nobody on it who installs packages: the desktop's installer it is.
                if (reply.isError()) {
                    openElsewhere();
                    return;
                }
                created(reply.value().path());
            });
}

void PackageInstaller::created(const QString& transaction)
{
    m_transaction = transaction;
    // Listening starts before the request, so no report can come first.
    for (const Subscription& signal : subscriptions()) {
        m_bus.connect(service, m_transaction, signal.interface, signal.name, this, signal.slot);
    }
    // A package manager that goes away mid-way would otherwise leave the update hanging.
    m_watcher =
        new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        finish({Outcome::Kind::failed, {}});
    });

    // Interactive, so polkit may ask the user for permission.
    QDBusMessage hints = QDBusMessage::createMethodCall(service, m_transaction,
                                                        transactionInterface,
                                                        QStringLiteral("SetHints"));
    hints << QStringList{QStringLiteral("interactive=true")};
    m_bus.asyncCall(hints);
    // No flags: the package comes from no trusted repository; its signature was checked here.
    QDBusMessage installFiles = QDBusMessage::createMethodCall(service, m_transaction,
                                                               transactionInterface,
                                                               QStringLiteral("InstallFiles"));
    installFiles << QVariant::fromValue(qulonglong{0}) << QStringList{m_package};
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(installFiles), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (call->isError()) {
                    finish({Outcome::Kind::failed, call->error().message()});
                }
            });
}

void PackageInstaller::transactionFinished(uint exit, uint)
{
    if (exit == exitSuccess) {
        finish({Outcome::Kind::installed, {}});
    } else {
        finish(m_error.value_or(Outcome{Outcome::Kind::failed, {}}));
    }
}

void PackageInstaller::errorCode(uint code, const QString& details)
{
    m_error = Outcome{code == errorNotAuthorized ? Outcome::Kind::refused : Outcome::Kind::failed,
                      details};
}

void PackageInstaller::propertiesChanged(const QString&, const QVariantMap& changed,
                                         const QStringList&)
{
    const auto percentage = changed.find(QStringLiteral("Percentage"));
    if (percentage == changed.end() || !m_progress) {
        return;
    }
    const uint value = percentage->toUInt();
    m_progress(value < unknownPercentage ? std::optional(value / 100.0) : std::nullopt);
}

void PackageInstaller::openElsewhere()
{
    const bool opened = m_open && m_open(m_package);
    finish({opened ? Outcome::Kind::openedElsewhere : Outcome::Kind::notOpened, {}});
}

void PackageInstaller::finish(const Outcome& outcome)
{
    if (!m_done) {
        return;
    }
    if (!m_transaction.isEmpty()) {
        for (const Subscription& signal : subscriptions()) {
            m_bus.disconnect(service, m_transaction, signal.interface, signal.name, this,
                             signal.slot);
        }
    }
    // Its own signal may be what finishes.
    if (QDBusServiceWatcher* watcher = std::exchange(m_watcher, nullptr)) {
        watcher->deleteLater();
    }
    const Done done = std::exchange(m_done, {});
    m_progress = {};
    done(outcome);
}
