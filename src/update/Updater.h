#pragma once

#include "update/UpdateBackend.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

// The update state the controls show, turned from the machinery's reports into one value, and
// the user's choices carried back to it. Lives on the main thread.
class Updater : public QObject, public UpdateDriver {
    Q_OBJECT
public:
    // What the update machinery is doing; equal when kind and payload are equal.
    struct Phase {
        enum class Kind {
            idle,
            checking,
            available,
            downloading,
            preparing,
            installing,
            upToDate,
            failed,
            reopen
        };
        Kind kind = Kind::idle;
        QString version;                // available
        std::optional<double> fraction; // downloading, installing; none while unknown
        QString message;                // failed, reopen

        static Phase idle() { return {}; }
        static Phase of(Kind kind) { return {kind, {}, {}, {}}; }
        static Phase available(const QString& version)
        {
            return {Kind::available, version, {}, {}};
        }
        static Phase downloading(std::optional<double> fraction)
        {
            return {Kind::downloading, {}, fraction, {}};
        }
        static Phase installing(std::optional<double> fraction)
        {
            return {Kind::installing, {}, fraction, {}};
        }
        static Phase failed(const QString& message) { return {Kind::failed, {}, {}, message}; }
        static Phase reopen(const QString& message) { return {Kind::reopen, {}, {}, message}; }
        bool operator==(const Phase&) const = default;
    };

    // Without a backend updates are unavailable; a backend that fails to start leaves the
    // failure as the phase and updates unavailable.
    explicit Updater(std::unique_ptr<UpdateBackend> backend, QObject* parent = nullptr);
    ~Updater() override;

    // The process's one updater, made on first use from the build's feed and key; unavailable
    // without them.
    static Updater& shared();
    // Makes `updater` the one shared() answers from now on, in place of the build's: for a start
    // that must not look for updates (the screenshot harness).
    static void setShared(Updater* updater);

    const Phase& phase() const { return m_phase; }
    bool canCheck() const { return m_canCheck; }
    bool automatic() const { return m_automatic; }
    void setAutomatic(bool on);
    // The running machinery; null while updates are unavailable.
    UpdateBackend* updater() const { return m_updater.get(); }
    quint64 expected() const { return m_expected; }
    quint64 received() const { return m_received; }

    // The controls' choices.
    void later();
    void cancelDownload();
    void install();
    void checkNow();

    bool allowsAutomaticChecks() override;
    void userCheckStarted(Cancel cancel) override;
    void updateFound(const QString& displayVersion, Reply reply) override;
    void noUpdateFound() override;
    void updateFailed(const QString& message) override;
    void downloadStarted(Cancel cancel) override;
    void downloadLengthKnown(quint64 length) override;
    void downloadReceived(quint64 length) override;
    void signatureCheckStarted() override;
    void packageVerified(Reply reply) override;
    void installStarted() override;
    void installProgressed(std::optional<double> fraction) override;
    void reopenNeeded(const QString& message) override;
    void sessionEnded() override;

signals:
    // The phase, canCheck or automatic changed.
    void changed();

private:
    void setPhase(const Phase& phase);
    void setCanCheck(bool can);

    Phase m_phase;
    bool m_canCheck = false;
    bool m_automatic = false;
    std::unique_ptr<UpdateBackend> m_updater;
    Reply m_updateReply;
    Cancel m_cancel;
    quint64 m_expected = 0;
    quint64 m_received = 0;
};
