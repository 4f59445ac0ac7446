#include "UpdateConfig.h"

#include "AppInfo.h"
#include "NetworkUpdateBackend.h"
#include "Snapshot.h"
#include "Updater.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#ifndef LEAFLOW_UPDATE_FEED_URL
#define LEAFLOW_UPDATE_FEED_URL ""
#endif
#ifndef LEAFLOW_UPDATE_PUBLIC_KEY
#define LEAFLOW_UPDATE_PUBLIC_KEY ""
#endif

namespace {

std::function<void()>& quitHook()
{
    static std::function<void()> hook;
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

void setQuit(std::function<void()> quit)
{
    quitHook() = std::move(quit);
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
            // Read when the time comes, so the application may set it after this is made; and
            // asked from the event loop, not from inside the download's last report.
            seams.quit = [] {
                QTimer::singleShot(0, QCoreApplication::instance(),
                                   [] { quitHook() ? quitHook()() : QCoreApplication::quit(); });
            };
            backend = std::make_unique<NetworkUpdateBackend>(std::move(source), std::move(seams));
        }
        instance = new Updater(std::move(backend), QCoreApplication::instance());
    }
    return *instance;
}
