#include "app/snapshot/SnapshotHarness.h"

#include "app/AppStart.h"
#include "app/snapshot/QuietSeams.h"
#include "app/snapshot/SnapshotCapture.h"
#include "app/snapshot/SnapshotSeed.h"
#include "core/DataFile.h"
#include "store/Store.h"
#include "tools/ToolTable.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/TrayWatch.h"
#include "update/Updater.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

namespace Snapshot {

bool requested()
{
    return qEnvironmentVariableIsSet("LEAFLOW_SNAPSHOT");
}

int run(int argc, char** argv)
{
    // The pictures are taken at two pixels per point, so the window draws at that density.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    AppStart::nameApplication();
    // Pictures come out the same on every desktop: light unless told otherwise.
    AppStart::dress(darkRequested() ? Appearance::dark : Appearance::light);
    // The settings are drawn as a desktop with a tray has them; no tray icon is made.
    TrayWatch::shared().start([] { return true; });
    // No update is looked for: the pictures show a build that cannot update itself.
    Updater::setShared(new Updater(nullptr, &app));

    // Holds the demonstration documents, their runs' outputs and the data file, all gone on quit.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        return 1;
    }
    QuietDialogs dialogs;
    QuietReveal reveal;
    Store store(dialogs, reveal, DataFile(scratch.filePath(QStringLiteral("data"))),
                [] { MainWindow::showForExternalEvent(); });
    ToolTable::install(store);
    seed(store, scratch.filePath(QStringLiteral("Documents")));

    MainWindow window(store);
    window.show();
    startCapture(captureFolder());
    return QApplication::exec();
}

} // namespace Snapshot
