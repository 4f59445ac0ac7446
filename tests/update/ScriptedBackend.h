#pragma once

#include "update/Updater.h"

// Stands in for the update machinery: remembers what the updater asks of it.
class ScriptedBackend : public UpdateBackend {
public:
    QString failure;
    bool automaticOn = true;
    int checks = 0;
    QList<bool> automaticWrites;

    QString start(UpdateDriver&) override { return failure; }
    void checkForUpdates() override { ++checks; }
    bool canCheckForUpdates() const override { return true; }
    bool automaticallyChecksForUpdates() const override { return automaticOn; }
    void setAutomaticallyChecksForUpdates(bool on) override
    {
        automaticWrites.append(on);
        automaticOn = on;
    }
    void announce(bool can) { emit canCheckForUpdatesChanged(can); }
};

using Phase = Updater::Phase;
Q_DECLARE_METATYPE(Phase)

// Brings `updater` to `phase` the way its machinery would, answers going to `reply` and `cancel`.
inline void reach(Updater& updater, const Phase& phase, const UpdateDriver::Reply& reply = {},
                  const UpdateDriver::Cancel& cancel = {})
{
    switch (phase.kind) {
    case Phase::Kind::idle: break;
    case Phase::Kind::checking: updater.userCheckStarted(cancel); break;
    case Phase::Kind::available: updater.updateFound(phase.version, reply); break;
    case Phase::Kind::downloading:
        updater.downloadStarted(cancel);
        updater.downloadLengthKnown(phase.fraction ? 1000 : 0);
        updater.downloadReceived(qRound64(phase.fraction.value_or(0) * 1000));
        break;
    case Phase::Kind::preparing: updater.signatureCheckStarted(); break;
    case Phase::Kind::installing:
        updater.installStarted();
        if (phase.fraction) {
            updater.installProgressed(phase.fraction);
        }
        break;
    case Phase::Kind::upToDate: updater.noUpdateFound(); break;
    case Phase::Kind::failed: updater.updateFailed(phase.message); break;
    case Phase::Kind::reopen: updater.reopenNeeded(phase.message); break;
    }
}
