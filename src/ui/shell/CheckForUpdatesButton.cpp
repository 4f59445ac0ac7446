#include "ui/shell/CheckForUpdatesButton.h"

#include "update/Updater.h"

CheckForUpdatesButton::CheckForUpdatesButton(Updater& updater, std::function<void()> openSettings,
                                             QObject* parent)
    : QAction(tr("Güncellemeleri denetle…"), parent)
{
    setEnabled(updater.updater() != nullptr);
    connect(this, &QAction::triggered, this, [&updater, open = std::move(openSettings)] {
        open();
        if (updater.phase().kind != Updater::Phase::Kind::available) {
            updater.checkNow();
        }
    });
}
