#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

// The user's answer to a found update or a package ready to install.
enum class UpdateChoice { install, dismiss };

// What the update machinery reports to the interface, one call per event, on the main thread.
class UpdateDriver {
public:
    using Reply = std::function<void(UpdateChoice)>;
    using Cancel = std::function<void()>;

    UpdateDriver() = default;
    UpdateDriver(const UpdateDriver&) = delete;
    UpdateDriver& operator=(const UpdateDriver&) = delete;
    virtual ~UpdateDriver() = default;

    // Asked once, before the first check ever: whether automatic checks may run.
    virtual bool allowsAutomaticChecks() = 0;
    // A check the user asked for reads the feed; `cancel` stops it.
    virtual void userCheckStarted(Cancel cancel) = 0;
    // The feed offers a newer version; `reply` starts its download or lets it be.
    virtual void updateFound(const QString& displayVersion, Reply reply) = 0;
    // A check the user asked for found nothing newer.
    virtual void noUpdateFound() = 0;
    // A check, download, signature check or install the user is waiting on failed.
    virtual void updateFailed(const QString& message) = 0;
    // The package's download began; `cancel` stops it and throws the partial file away.
    virtual void downloadStarted(Cancel cancel) = 0;
    // The package's size, from the feed or else from the server.
    virtual void downloadLengthKnown(quint64 length) = 0;
    // Another `length` bytes of the package arrived.
    virtual void downloadReceived(quint64 length) = 0;
    // The whole package is on disk and its signature is being checked; no cancelling from here.
    virtual void signatureCheckStarted() = 0;
    // The package's signature holds; `reply` hands it to the package manager or lets it be.
    virtual void packageVerified(Reply reply) = 0;
    // The package manager was given the package.
    virtual void installStarted() = 0;
    // How far the installation has come; none while the package manager cannot tell.
    virtual void installProgressed(std::optional<double> fraction) = 0;
    // The new version is installed, or left to the desktop's installer, but this process still
    // runs the old one: the user has to reopen Leaflow, which `message` says.
    virtual void reopenNeeded(const QString& message) = 0;
    // The machinery is done with this check or update: the replies and cancels handed out
    // before no longer do anything.
    virtual void sessionEnded() = 0;
};

// The machinery under the driver: checks the feed, downloads, verifies and installs.
class UpdateBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts reporting to `driver`; the reason it cannot run, or empty when it runs.
    virtual QString start(UpdateDriver& driver) = 0;
    // A check the user asked for; ignored while one check or download is under way.
    virtual void checkForUpdates() = 0;
    virtual bool canCheckForUpdates() const = 0;
    virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool on) = 0;

signals:
    void canCheckForUpdatesChanged(bool can);
};
