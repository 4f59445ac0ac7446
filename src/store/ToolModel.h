#pragma once

#include "core/PDFFile.h"
#include "core/PageInfo.h"
#include "engine/include/Job.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

class Store;
namespace PDFEngine {
struct Outcome;
}

// A job ready to run, and the inputs its history record names.
struct PreparedRun {
    PDFEngine::Job job;
    QList<PDFFile> inputs;
};

// One tool: its inputs and settings, the job it builds from them and what it makes of the
// outcome. The Store runs the job and keeps what every tool shares (the busy mark, banners,
// history), so a tool knows nothing of another.
class ToolModel : public QObject {
    Q_OBJECT

public:
    // Opens one file of a batch; none when it is refused or its password prompt is cancelled.
    using Admit = std::function<std::optional<PDFFile>(const QString& path)>;

    // The model is a child of the Store, which lists it among its tools from then on.
    explicit ToolModel(Store& store);

    // Its name in the history, the settings, launch arguments and object names ("merge").
    virtual QString key() const = 0;
    // Its name on screen, a line saying what it does, and its symbol.
    virtual QString title() const = 0;
    virtual QString subtitle() const = 0;
    virtual QString symbol() const = 0;
    // What it does in a few words, for the About window.
    virtual QString feature() const = 0;
    PageInfo page() const { return {key(), title(), subtitle(), symbol()}; }
    // Whether it lists several files: the open dialog then takes several.
    virtual bool takesMany() const = 0;
    // The files listed now, in order.
    virtual QList<PDFFile> inputs() const = 0;
    // The sidebar's badge: how many files wait.
    int count() const { return static_cast<int>(inputs().size()); }

    // Adds the PDFs of one batch (absolute paths), opening each through admit.
    virtual void take(const QStringList& paths, const Admit& admit) = 0;
    // Empties its inputs and what hangs on them.
    virtual void clear() = 0;
    // The job its run button starts, asking where the output goes: none when there is nothing
    // to run or the user cancelled.
    virtual std::optional<PreparedRun> prepare() = 0;
    // Called as its run starts.
    virtual void starting() {}
    // What a finished run leaves: by default a banner naming the outputs and a history record.
    virtual void apply(const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome);

    // The Store it runs in.
    Store& store() const { return m_store; }

signals:
    // Any of its fields changed.
    void changed();

protected:
    // Emits `signal` and changed().
    template <class Model>
    void notify(void (Model::*signal)())
    {
        (static_cast<Model*>(this)->*signal)();
        emit changed();
    }

private:
    Store& m_store;
};
