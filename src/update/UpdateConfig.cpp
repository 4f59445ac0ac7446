#include "update/UpdateConfig.h"

#include "core/AppInfo.h"
#include "update/NetworkUpdateBackend.h"
#include "update/Updater.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
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

QPointer<Updater>& sharedUpdater()
{
    static QPointer<Updater> instance;
    return instance;
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

void Updater::setShared(Updater* updater)
{
    sharedUpdater() = updater;
}

Updater& Updater::shared()
{
    QPointer<Updater>& instance = sharedUpdater();
    if (!instance) {
        std::unique_ptr<UpdateBackend> backend;
        if (UpdateConfig::configured()) {
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
        // Owned by the application object, so it goes before the event loop's machinery does.
        instance = new Updater(std::move(backend), QCoreApplication::instance());
    }
    return *instance;
}
