#include "app/AppStart.h"

#include "app/AppIcon.h"
#include "app/LaunchArguments.h"
#include "app/Relauncher.h"
#include "app/SingleInstance.h"
#include "app/SystemAppearance.h"
#include "core/AppInfo.h"
#include "core/AppLanguage.h"
#include "store/Store.h"
#include "tools/ToolTable.h"
#include "ui/dialogs/DesktopReveal.h"
#include "ui/dialogs/ModalDialogs.h"
#include "ui/dialogs/QtDialogs.h"
#include "ui/kit/ControlStyle.h"
#include "ui/kit/HoverTips.h"
#include "ui/shell/DesktopNotifier.h"
#include "ui/shell/LanguagePicker.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/QuitGuard.h"
#include "ui/shell/ShellWindows.h"
#include "ui/shell/TrayPresence.h"
#include "ui/shell/TrayWatch.h"
#include "ui/shell/WindowPresenter.h"
#include "update/UpdateConfig.h"

#include <QApplication>
#include <QDir>

namespace AppStart {

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Leaflow"));
    QCoreApplication::setApplicationName(QStringLiteral("Leaflow"));
    QCoreApplication::setApplicationVersion(AppInfo::version());
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Leaflow"));
    QGuiApplication::setDesktopFileName(QStringLiteral("leaflow"));
}

void dress(Appearance appearance)
{
    AppLanguages::installTranslator(*qApp);
    ControlStyle::apply(appearance);
    QApplication::setWindowIcon(AppIcon::icon());
    HoverTips::install();
    ModalDialogs::install();
}

int run(int argc, char** argv, const Watch& watch)
{
    QApplication app(argc, argv);
    nameApplication();

    const LaunchFiles files = launchFiles(QCoreApplication::arguments(), QDir::currentPath());
    // Read now: once an update has replaced the file, this process's own link names a deleted one.
    const QString program = QCoreApplication::applicationFilePath();

    SingleInstance instance;
    if (instance.start(files.all()) == SingleInstance::Role::handedOver) {
        return 0;
    }
    // The desktop is asked before the style changes, since the platform's palette is one of the
    // clues.
    dress(systemAppearance());

    Store::pending().append(files.files);
    QtDialogs dialogs;
    DesktopReveal reveal;
    Store store(dialogs, reveal, DataFile(), [] { MainWindow::showForExternalEvent(); });
    ToolTable::install(store);
    Relauncher::takeOver(store, files.tools);

    MainWindow window(store);
    window.show();
    // Quitting from anywhere asks first while a run is in progress.
    const auto quit = [&store, &window] { return QuitGuard::allowQuit(store, &window); };
    Relauncher relauncher(instance, store, quit, program);
    UpdateConfig::setRelaunch(
        [&relauncher] { return relauncher.relaunch() == Relauncher::Outcome::started; });
    LanguagePicker::setRelaunch(
        [&relauncher] { return relauncher.relaunch() != Relauncher::Outcome::failed; });
    DesktopNotifier notifier;
    TrayPresence tray(
        store, window.windows(), notifier, [] { WindowPresenter::shared().show(); },
        [quit] {
            if (quit()) {
                QCoreApplication::quit();
            }
        });
    TrayWatch::shared().start();
    tray.follow(TrayWatch::shared());

    if (watch) {
        watch({instance, store, relauncher});
    }
    QObject::connect(&instance, &SingleInstance::received, &store,
                     [&store](const QStringList& paths) {
                         if (paths.isEmpty()) {
                             MainWindow::showForExternalEvent();
                         } else {
                             store.receive(paths);
                         }
                     });
    return QApplication::exec();
}

} // namespace AppStart
