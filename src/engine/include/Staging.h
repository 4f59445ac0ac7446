#pragma once

#include <QList>
#include <QString>

namespace PDFEngine {

// One finished output waiting in its run's private folder for its place.
struct StagedFile {
    QString staged;      // the checked file inside the private folder
    QString destination; // where it goes

    bool operator==(const StagedFile&) const = default;
};

// Everything a run wrote, still out of sight: commit() puts it all in place or nothing.
struct Staging {
    QString folder;          // the private folder; empty when the run made none
    QString createFolder;    // the destinations' folder, made at commit when it is missing
    QList<StagedFile> files; // in output order

    bool operator==(const Staging&) const = default;
};

} // namespace PDFEngine
