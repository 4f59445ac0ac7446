#pragma once

#include "app/LaunchArguments.h"

#include <QString>
#include <functional>

class SingleInstance;
class Store;

// Replaces this process by a new one of the same program, which takes over the channel between
// launches and the files open in each tool (never their passwords): for a new interface
// language and for a newly installed version.
class Relauncher {
public:
    enum class Outcome {
        started, // the new process runs; this one is quitting
        stayed,  // the user kept a run going
        failed   // the new process could not be started; this one goes on as it was
    };

    // `allowQuit` asks about a run in progress. `program` is read at start-up: once a package
    // has replaced the file, this process's own link names a deleted one.
    Relauncher(SingleInstance& instance, Store& store, std::function<bool()> allowQuit,
               QString program);

    Outcome relaunch();

    // The files open in each tool, in sidebar order.
    static QList<ToolFiles> openFiles(const Store& store);
    // Gives each tool the files a relaunch handed over, once the event loop runs.
    static void takeOver(Store& store, const QList<ToolFiles>& tools);

private:
    SingleInstance& m_instance;
    Store& m_store;
    std::function<bool()> m_allowQuit;
    QString m_program;
};
