#pragma once

#include <QString>
#include <functional>

namespace PDFEngine {

// What a running job tells whoever watches it; every part is optional and is
// called on the job's own thread. A job that can be killed from outside
// announces its temporary folders so that the killer can remove them.
struct Progress {
    // How far the whole job has come, reading, writing and checking alike: done of a fixed
    // total, never falling, and at the total only once the job is over.
    std::function<void(qint64 done, qint64 total)> step;
    // The zero-based index of the input the job reads now.
    std::function<void(qsizetype input)> input;
    // A temporary folder the job has just created and will remove itself.
    std::function<void(const QString& folder)> folder;

    void report(qint64 done, qint64 total) const
    {
        if (step) {
            step(done, total);
        }
    }
    void reading(qsizetype index) const
    {
        if (input) {
            input(index);
        }
    }
    void created(const QString& path) const
    {
        if (folder) {
            folder(path);
        }
    }
};

} // namespace PDFEngine
