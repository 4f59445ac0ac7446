#include "UpdateConfig.h"

#include "AppInfo.h"
#include "NetworkUpdateBackend.h"
#include "Snapshot.h"
#include "Updater.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#ifndef LEAFLOW_UPDATE_FEED_URL
#define LEAFLOW_UPDATE_FEED_URL ""
#endif
#ifndef LEAFLOW_UPDATE_PUBLIC_KEY
#define LEAFLOW_UPDATE_PUBLIC_KEY ""
#endif

namespace {

std::function<bool()>& relaunchHook()
{
    static std::function<bool()> hook;
    return hook;
}

} // namespace

namespace UpdateConfig {

QUrl feedUrl()
{
    return QUrl(QStringLiteral(LEAFLOW_UPDATE_FEED_URL).trimmed());
}

QString publicKey()
{
    return QStringLiteral(LEAFLOW_UPDATE_PUBLIC_KEY).trimmed();
}

QString feedHost()
{
    return feedUrl().host();
}

bool configured()
{
    return !feedUrl().isEmpty() && !publicKey().isEmpty();
}

void setRelaunch(std::function<bool()> relaunch)
{
    relaunchHook() = std::move(relaunch);
}

} // namespace UpdateConfig

Updater& Updater::shared()
{
    // Owned by the application object, so it goes before the event loop's machinery does.
    static QPointer<Updater> instance;
    if (!instance) {
        std::unique_ptr<UpdateBackend> backend;
        if (UpdateConfig::configured() && !Snapshot::active()) {
            UpdateSource source{UpdateConfig::feedUrl(), UpdateConfig::publicKey(),
                                AppInfo::version(),
                                QDir(QStandardPaths::writableLocation(
                                         QStandardPaths::GenericCacheLocation))
                                    .filePath(QStringLiteral("Leaflow/updates"))};
            UpdateSeams seams;
            // Read when the time comes, so the application may set it after this is made.
            seams.relaunch = [] { return relaunchHook() && relaunchHook()(); };
            backend = std::make_unique<NetworkUpdateBackend>(std::move(source), std::move(seams));
        }
        instance = new Updater(std::move(backend), QCoreApplication::instance());
    }
    return *instance;
}
