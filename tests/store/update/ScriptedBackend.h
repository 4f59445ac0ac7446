#pragma once

#include "Updater.h"

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
    case Phase::Kind::checking: updater.showUserInitiatedUpdateCheck(cancel); break;
    case Phase::Kind::available: updater.showUpdateFound(phase.version, reply); break;
    case Phase::Kind::downloading:
        updater.showDownloadInitiated(cancel);
        updater.showDownloadDidReceiveExpectedContentLength(phase.fraction ? 1000 : 0);
        updater.showDownloadDidReceiveDataOfLength(qRound64(phase.fraction.value_or(0) * 1000));
        break;
    case Phase::Kind::preparing: updater.showDownloadDidStartExtractingUpdate(); break;
    case Phase::Kind::installing:
        updater.showInstallingUpdate();
        if (phase.fraction) {
            updater.showInstallationProgress(phase.fraction);
        }
        break;
    case Phase::Kind::upToDate: updater.showUpdateNotFound(); break;
    case Phase::Kind::failed: updater.showUpdaterError(phase.message); break;
    case Phase::Kind::reopen: updater.showUpdateNeedsReopen(phase.message); break;
    }
}
