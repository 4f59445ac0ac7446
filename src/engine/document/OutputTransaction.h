#pragma once

#include "engine/include/Progress.h"
#include "engine/include/Staging.h"

#include <QSet>
#include <QString>

namespace PDFEngine {

// The outputs of one run. Each is written into one private folder (mode 700) on
// the destinations' file system and checked there; none reaches its destination
// until the run is over and commit() moves them all. A transaction that is
// destroyed before release() takes its folder with it, so a failed run leaves nothing.
class OutputTransaction {
public:
    // folder is where every output of the run goes. When createFolder is set and
    // it does not exist yet, commit() makes it; otherwise it must exist.
    OutputTransaction(QString folder, bool createFolder, Progress progress);
    ~OutputTransaction();
    OutputTransaction(const OutputTransaction&) = delete;
    OutputTransaction& operator=(const OutputTransaction&) = delete;

    // A name in the run's folder that neither exists nor is taken by an earlier output of
    // this run (see uniqueURL).
    QString uniqueDestination(const QString& name, const QString& tail = {}) const;
    // Where to write the file for destination. The private folder is made, and announced to
    // progress, on the first call; fails with the write message when it cannot be.
    QString stage(const QString& destination);
    // A folder inside the private one for files a run passes through on its way to destination,
    // gone with the private folder however the run ends; made on the first call, as stage()
    // makes the private folder.
    QString scratch(const QString& destination);
    // Forgets a staged output and removes its file.
    void drop(const QString& destination);

    // The staged outputs, for commit() here or in another process, which then owns the folder.
    Staging release();

private:
    void makeFolder(const QString& destination);

    QString m_folder;
    bool m_createFolder;
    Progress m_progress;
    Staging m_staging;
    QSet<QString> m_taken;
};

// Moves every staged file to its destination, making the destinations' folder
// first when asked. All or nothing: when one move fails, the files moved before
// it are removed again (a file they replaced is put back) and so is a folder
// made for them. The private folder is removed either way. Fails with the write
// message of the destination that could not be placed.
void commit(const Staging& staging);
// Removes the private folder and everything staged in it.
void discard(const Staging& staging);

} // namespace PDFEngine
