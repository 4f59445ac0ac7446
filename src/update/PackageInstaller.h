#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QDBusServiceWatcher;

// Installs a verified package through PackageKit on `bus`, which asks the user's permission
// through polkit and reports its progress; where PackageKit does not answer, the package is
// opened in the desktop's own installer instead.
class PackageInstaller : public QObject {
    Q_OBJECT
public:
    // How an installation ended; `details` carries the package manager's own words on failure.
    struct Outcome {
        enum class Kind { installed, openedElsewhere, notOpened, refused, failed };
        Kind kind = Kind::failed;
        QString details;
    };
    // A fraction 0…1 of the installation, none while PackageKit cannot tell.
    using Progress = std::function<void(std::optional<double>)>;
    using Done = std::function<void(const Outcome&)>;
    // Hands the package to the desktop's installer; false when nothing took it.
    using OpenWithDesktop = std::function<bool(const QString& package)>;

    // PackageKit's numbers for what its signals report.
    static constexpr uint exitSuccess = 1;
    static constexpr uint errorNotAuthorized = 48;
    static constexpr uint unknownPercentage = 101;

    PackageInstaller(QDBusConnection bus, OpenWithDesktop open, QObject* parent = nullptr);

    // Starts the installation; `done` is called once, after the event loop has turned.
    void install(const QString& package, Progress progress, Done done);

private slots:
    void transactionFinished(uint exit, uint runtime);
    void errorCode(uint code, const QString& details);
    void propertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated);

private:
    void created(const QString& transaction);
    void openElsewhere();
    void finish(const Outcome& outcome);

    QDBusConnection m_bus;
    OpenWithDesktop m_open;
    QString m_package;
    QString m_transaction;
    Progress m_progress;
    Done m_done;
    std::optional<Outcome> m_error; // the last error PackageKit reported before finishing
    QDBusServiceWatcher* m_watcher = nullptr;
};
