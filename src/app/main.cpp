#include "AppIcon.h"
#include "AppInfo.h"
#include "AppLanguage.h"
#include "ControlStyle.h"
#include "DesktopNotifier.h"
#include "DesktopReveal.h"
#include "HoverTips.h"
#include "LanguagePicker.h"
#include "LaunchArguments.h"
#include "MainWindow.h"
#include "ModalDialogs.h"
#include "QtPanels.h"
#include "QuitGuard.h"
#include "Relauncher.h"
#include "ShellWindows.h"
#include "SingleInstance.h"
#include "Snapshot.h"
#include "SnapshotCapture.h"
#include "SnapshotSeed.h"
#include "Store.h"
#include "SystemAppearance.h"
#include "Theme.h"
#include "ToolModel.h"
#include "ToolTable.h"
#include "TrayPresence.h"
#include "TrayWatch.h"
#include "UpdateConfig.h"
#include "WindowPresenter.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <utility>

namespace {

// Test hook: with LEAFLOW_TEST_ECHO set, the channel's state and every handed-over
// path are printed, so a test driving two processes can see what arrived.
bool echoing()
{
    static const bool on = qEnvironmentVariableIsSet("LEAFLOW_TEST_ECHO");
    return on;
}

void echo(const QString& line)
{
    if (echoing()) {
        QTextStream(stdout) << line << Qt::endl;
    }
}

// Test hook: the names of each tool's inputs whenever they change, the start of each probe of a
// file being admitted, and the first page thumbnail, so a test can tell where admission stands.
void echoStore(const Store& store)
{
    if (!echoing()) {
        return;
    }
    const auto names = [](const QList<PDFFile>& files) {
        QStringList listed;
        for (const PDFFile& file : files) {
            listed.append(QFileInfo(file.source.url).fileName());
        }
        return listed.join(u',');
    };
    QObject::connect(&store, &Store::changed, &store, [=, &store, last = QString()]() mutable {
        QStringList each;
        for (const ToolModel* tool : store.tools()) {
            each.append(tool->key() + u'=' + names(tool->inputs()));
        }
        const QString inputs = QStringLiteral("inputs: ") + each.join(u' ');
        if (inputs != last) {
            last = inputs;
            echo(inputs);
        }
    });
    QObject::connect(&store, &Store::probingChanged, &store, [&store] {
        if (store.isProbing()) {
            echo(QStringLiteral("probing"));
        }
    });
    QObject::connect(&store, &Store::thumbnailReady, &store, [first = true]() mutable {
        if (std::exchange(first, false)) {
            echo(QStringLiteral("thumbnail"));
        }
    });
}

// The screenshot mode keeps away from the user's data folder altogether, not even creating it.
DataFile dataFile()
{
    if (Snapshot::active()) {
        return DataFile(QDir::temp().filePath(QStringLiteral("leaflow-demo-data")));
    }
    return DataFile();
}

void applyTheme()
{
    // Pictures come out the same on every desktop: the screenshot mode is light
    // unless told otherwise. The desktop is asked before the style changes, since
    // the platform's palette is one of the clues.
    Appearance appearance = Appearance::light;
    if (Snapshot::active()) {
        appearance = Snapshot::darkRequested() ? Appearance::dark : Appearance::light;
    } else {
        appearance = systemAppearance();
    }
    ControlStyle::apply(appearance);
}

// Test hook: with LEAFLOW_TEST_RELAUNCH set, the next launch's hand-over makes this process
// relaunch itself.
const char* const relaunchHook = "LEAFLOW_TEST_RELAUNCH";

} // namespace

int main(int argc, char** argv)
{
    if (Snapshot::active()) {
        // The pictures are taken at two pixels per point, so the window draws at that density.
        qputenv("QT_SCALE_FACTOR", "2");
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Leaflow"));
    QCoreApplication::setApplicationName(QStringLiteral("Leaflow"));
    QCoreApplication::setApplicationVersion(AppInfo::version());
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Leaflow"));
    QGuiApplication::setDesktopFileName(QStringLiteral("leaflow"));

    const LaunchFiles files = launchFiles(QCoreApplication::arguments(), QDir::currentPath());
    // Read now: once an update has replaced the file, this process's own link names a deleted one.
    const QString program = QCoreApplication::applicationFilePath();

    // The screenshot mode runs beside a normal instance and never takes its files.
    SingleInstance instance;
    if (!Snapshot::active()) {
        switch (instance.start(files.all())) {
        case SingleInstance::Role::handedOver: return 0;
        case SingleInstance::Role::first:
            echo(QStringLiteral("listening: ") + instance.name());
            break;
        case SingleInstance::Role::alone: break;
        }
    }

    AppLanguages::installTranslator(app);
    echo(QStringLiteral("language: %1, process %2")
             .arg(AppLanguages::rawValue(AppLanguages::current()))
             .arg(QCoreApplication::applicationPid()));
    applyTheme();
    QApplication::setWindowIcon(AppIcon::icon());
    HoverTips::install();
    ModalDialogs::install();

    Store::pending().append(files.files);
    QtPanels panels;
    DesktopReveal reveal;
    Store store(panels, reveal, dataFile(), [] { MainWindow::showForExternalEvent(); });
    ToolTable::install(store);
    if (Snapshot::active()) {
        Snapshot::seed(store);
    }
    echoStore(store);
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
    // The screenshot mode leaves the desktop's tray alone.
    if (!Snapshot::active()) {
        TrayWatch::shared().start();
    }
    tray.follow(TrayWatch::shared());

    QObject::connect(&instance, &SingleInstance::received, &store,
                     [&store, &relauncher](const QStringList& paths) {
                         for (const QString& path : paths) {
                             echo(QStringLiteral("received: ") + path);
                         }
                         if (qEnvironmentVariableIsSet(relaunchHook)) {
                             relauncher.relaunch();
                             return;
                         }
                         if (paths.isEmpty()) {
                             MainWindow::showForExternalEvent();
                         } else {
                             store.receive(paths);
                         }
                     });

    Snapshot::runIfRequested();
    return QApplication::exec();
}
