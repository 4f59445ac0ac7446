#pragma once

#include "update/Appcast.h"
#include "update/PackageInstaller.h"
#include "update/UpdateBackend.h"

#include <QDBusConnection>
#include <QDateTime>
#include <QPointer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QFile;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// Where updates come from and what this copy is.
struct UpdateSource {
    QUrl feed;
    QString publicKey; // base64 Ed25519 public key the packages are signed for
    QString currentVersion;
    QString cacheFolder; // where packages are downloaded
};

// What the backend asks of the desktop, replaced in tests.
struct UpdateSeams {
    std::function<QDateTime()> clock = &QDateTime::currentDateTimeUtc;
    // Where the package manager is asked to install.
    std::function<QDBusConnection()> bus = &QDBusConnection::systemBus;
    // Hands a verified package to the desktop's installer, where no package manager answers;
    // false when nothing took it.
    std::function<bool(const QString& package)> open = &openWithDesktop;
    // Starts the version just installed in place of this process: true when this one is on its
    // way out, false when it stays (the user kept a run going, or the new one did not start).
    std::function<bool()> relaunch = [] { return false; };

    static bool openWithDesktop(const QString& package);
};

// The updater's machinery over HTTP: reads the RSS feed, offers the newest newer release,
// downloads it into the cache folder, checks its length and signature, and only then installs
// it and starts the new version.
// Checks by itself once a day while automatic checks are on; the last check is remembered in
// the settings.
class NetworkUpdateBackend : public UpdateBackend {
    Q_OBJECT
public:
    static constexpr qint64 feedLimit = qint64{1024} * 1024;
    // A package whose feed announces no length may still not grow without bound.
    static constexpr quint64 unannouncedLimit = quint64{1} << 30;
    static constexpr std::chrono::hours checkInterval{24};

    NetworkUpdateBackend(UpdateSource source, UpdateSeams seams = {}, QObject* parent = nullptr);
    ~NetworkUpdateBackend() override;

    QString start(UpdateDriver& driver) override;
    void checkForUpdates() override;
    bool canCheckForUpdates() const override;
    bool automaticallyChecksForUpdates() const override;
    void setAutomaticallyChecksForUpdates(bool on) override;

    // How long until the next automatic check; none while automatic checks are off.
    std::optional<std::chrono::milliseconds> nextAutomaticCheck() const;

private:
    enum class Stage { idle, checking, answering, downloading, installing };

    QNetworkReply* get(const QUrl& url);
    void fetchFeed(bool userInitiated);
    void feedData();
    void feedArrived();
    void answer(quint64 session, UpdateChoice choice);
    void download();
    void packageData();
    void packageArrived();
    void install(quint64 session, UpdateChoice choice);
    void installed(const PackageInstaller::Outcome& outcome);
    void relaunch();
    void needsReopen(const QString& message);
    std::optional<QString> replyFailure() const;
    void fail(const QString& message);
    void release();
    void stop();
    void setStage(Stage stage);
    void schedule();
    QString packagePath() const;

    UpdateSource m_source;
    UpdateSeams m_seams;
    QByteArray m_key;
    UpdateDriver* m_driver = nullptr;
    QNetworkAccessManager* m_network;
    QTimer* m_timer;
    PackageInstaller* m_installer = nullptr;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_feed;
    std::optional<AppcastItem> m_item;
    std::unique_ptr<QFile> m_package;
    quint64 m_received = 0;
    Stage m_stage = Stage::idle;
    bool m_userInitiated = false;
    // Answers to an earlier session are ignored.
    quint64 m_session = 0;
};
