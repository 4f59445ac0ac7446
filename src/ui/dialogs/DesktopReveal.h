#pragma once

#include "store/Dialogs.h"

#include <QDBusConnection>
#include <QUrl>
#include <functional>

// Shows files selected in the desktop's file manager over D-Bus; where no file
// manager answers, opens the folders that hold them instead, and reports failure
// when nothing opens those either. Opens a file in the desktop's default application.
class DesktopReveal : public FileReveal {
public:
    using OpenUrl = std::function<bool(const QUrl&)>;

    explicit DesktopReveal(QDBusConnection bus = QDBusConnection::sessionBus(),
                           OpenUrl openUrl = {});

    void reveal(const QStringList& paths, Failed failed) override;
    void open(const QString& path, Failed failed) override;

private:
    // Each distinct folder once, in the order of the paths; false when one found no handler.
    static bool openFolders(const QStringList& paths, const OpenUrl& openUrl);
    static void openFoldersOrFail(const QStringList& paths, const OpenUrl& openUrl,
                                  const Failed& failed);

    QDBusConnection m_bus;
    OpenUrl m_openUrl;
};
