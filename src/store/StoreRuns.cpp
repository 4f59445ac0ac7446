#include "core/Preferences.h"
#include "engine/include/PDFEngine.h"
#include "runner/ContainedRun.h"
#include "runner/SpareWorker.h"
#include "store/Store.h"
#include "store/ToolModel.h"
#include "store/ToolRun.h"

#include <QFileInfo>
#include <QScopeGuard>

// A tool's run, top to bottom: the tool builds its job (asking where the output goes), the
// engine runs it in a worker process, and the outcome is applied on the main thread.

void Store::run(ToolModel& tool)
{
    if (m_busy || m_admitting) {
        return;
    }
    // Files handed over while a dialog asks where the output goes wait for its answer, as they
    // do during an admission: the job is the one the user started, on the inputs shown then.
    m_admitting = true;
    const auto admitLater = qScopeGuard([this] { admitLaterBatches(); });
    std::optional<PreparedRun> prepared = tool.prepare();
    if (!prepared) {
        return;
    }
    setBusy(tool.key());
    removeBanner(tool.key());
    tool.starting();
    setRunProgress({});
    // The run is a child of the Store: if the Store goes first, the worker is
    // killed with it and nothing reaches a destroyed object.
    auto* run = new ContainedRun(this, m_spare);
    m_run = run;
    const auto ended = [this, run] {
        run->deleteLater();
        setRunProgress({});
        setBusy(std::nullopt);
    };
    connect(run, &ContainedRun::progress, this, [this](qint64 done, qint64 total) {
        setRunProgress({done, total});
    });
    connect(run, &ContainedRun::finished, this,
            [this, ended, model = QPointer<ToolModel>(&tool),
             inputs = prepared->inputs](const PDFEngine::Outcome& outcome) {
                if (model) {
                    apply(*model, inputs, outcome);
                }
                ended();
            });
    connect(run, &ContainedRun::cancelled, this, ended);
    run->start(prepared->job, m_runLimits.value_or(RunLimits::forJob(prepared->job)));
}

qint64 Store::spareWorker() const
{
    return m_spare->processId();
}

void Store::cancelRun()
{
    if (m_run) {
        m_run->cancel();
    }
}

void Store::setRunProgress(const RunProgress& progress)
{
    if (progress != m_runProgress) {
        m_runProgress = progress;
        emit runProgressChanged();
    }
}

void Store::apply(ToolModel& tool, const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome)
{
    if (outcome.failure) {
        setError(tool.key(), *outcome.failure);
        return;
    }
    tool.apply(inputs, outcome);
}

void Store::finishRun(const ToolModel& tool, const QList<PDFFile>& inputs,
                      const QStringList& outputs, const QString& text)
{
    setBanner(tool.key(), Banner{text, outputs, Banner::Kind::success});

    HistoryItem item;
    item.id = QUuid::createUuid();
    // Whole seconds, as the data file keeps it, so a reloaded history equals this one.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    item.date = now.addMSecs(-now.time().msec());
    item.tool = tool.key();
    for (const PDFFile& input : inputs) {
        item.inputs.append(QFileInfo(input.source.path).fileName());
        item.bytesBefore += input.bytes;
    }
    item.outputs = outputs;
    item.bytesAfter = ToolRun::totalSize(outputs);
    if (!outputs.isEmpty()) {
        Preferences::setSaveFolder(item.tool, QFileInfo(outputs.first()).absolutePath());
    }

    AppData data = m_data;
    data.recordRun(item);
    setData(data, tool.key());

    if (Preferences::revealAfter()) {
        reveal(outputs, tool.key());
    }
}
