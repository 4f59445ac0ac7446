#include "ui/dialogs/DesktopReveal.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QSet>

namespace {

const QString service = QStringLiteral("org.freedesktop.FileManager1");
const QString objectPath = QStringLiteral("/org/freedesktop/FileManager1");
const QString interface = QStringLiteral("org.freedesktop.FileManager1");

} // namespace

DesktopReveal::DesktopReveal(QDBusConnection bus, OpenUrl openUrl)
    : m_bus(std::move(bus)),
      m_openUrl(openUrl ? std::move(openUrl) : OpenUrl(&QDesktopServices::openUrl))
{
}

void DesktopReveal::reveal(const QStringList& paths, Failed failed)
{
    if (paths.isEmpty()) {
        return;
    }
    if (!m_bus.isConnected()) {
        openFoldersOrFail(paths, m_openUrl, failed);
        return;
    }
    QStringList uris;
    for (const QString& path : paths) {
        // File managers expect URIs with non-ASCII characters and blanks percent-encoded.
        uris
            << QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, objectPath, interface, QStringLiteral("ShowItems"));
    call << uris << QString();
    // Asynchronous, so a file manager that is slow to start never blocks the window.
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call));
    // The reply may arrive after this object is gone, so the lambda keeps its own copies.
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, paths, openUrl = m_openUrl, failed = std::move(failed)]() {
                         watcher->deleteLater();
                         if (watcher->isError()) {
                             openFoldersOrFail(paths, openUrl, failed);
                         }
                     });
}

void DesktopReveal::open(const QString& path, Failed failed)
{
    if (!m_openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())) && failed) {
        failed();
    }
}

void DesktopReveal::openFoldersOrFail(const QStringList& paths, const OpenUrl& openUrl,
                                      const Failed& failed)
{
    if (!openFolders(paths, openUrl) && failed) {
        failed();
    }
}

bool DesktopReveal::openFolders(const QStringList& paths, const OpenUrl& openUrl)
{
    QSet<QString> opened;
    bool all = true;
    for (const QString& path : paths) {
        const QString dir = QFileInfo(path).absolutePath();
        if (!opened.contains(dir)) {
            opened.insert(dir);
            all = openUrl(QUrl::fromLocalFile(dir)) && all;
        }
    }
    return all;
}
