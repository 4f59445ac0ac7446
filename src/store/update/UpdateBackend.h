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
    virtual bool showUpdatePermissionRequest() = 0;
    virtual void showUserInitiatedUpdateCheck(Cancel cancel) = 0;
    virtual void showUpdateFound(const QString& displayVersion, Reply reply) = 0;
    virtual void showUpdateNotFound() = 0;
    virtual void showUpdaterError(const QString& message) = 0;
    virtual void showDownloadInitiated(Cancel cancel) = 0;
    virtual void showDownloadDidReceiveExpectedContentLength(quint64 length) = 0;
    virtual void showDownloadDidReceiveDataOfLength(quint64 length) = 0;
    virtual void showDownloadDidStartExtractingUpdate() = 0;
    virtual void showExtractionReceivedProgress(double progress) = 0;
    virtual void showReadyToInstallAndRelaunch(Reply reply) = 0;
    virtual void showInstallingUpdate() = 0;
    // How far the installation has come; none while the package manager cannot tell.
    virtual void showInstallationProgress(std::optional<double> fraction) = 0;
    // The new version is installed, or left to the desktop's installer, but this process still
    // runs the old one: the user has to reopen Leaflow, which `message` says.
    virtual void showUpdateNeedsReopen(const QString& message) = 0;
    virtual void showUpdateInstalledAndRelaunched() = 0;
    virtual void dismissUpdateInstallation() = 0;
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
