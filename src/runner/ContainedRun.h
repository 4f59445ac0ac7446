#pragma once

#include "engine/include/Job.h"
#include "process/Framing.h"
#include "runner/RunLimits.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <optional>

class QProcess;
class QTimer;
class SpareWorker;

// Runs one engine job in a leaflow-worker child process under limits, so that
// an input that hangs, exhausts memory or crashes the PDF library takes only
// the worker down. The worker leaves its outputs staged in a private folder;
// only when it has ended well are they put in place, all together, here. A
// worker that dies for any reason, or is cancelled, places nothing and leaves
// no temporary folder behind: it announces each one, and the parent removes
// those that are left. Works from a running event loop (the Store) and
// blocking (the command line).
class ContainedRun : public QObject {
    Q_OBJECT

public:
    // With a spare, a run takes its waiting worker instead of starting one, when it can.
    explicit ContainedRun(QObject* parent = nullptr, SpareWorker* spare = nullptr);
    // Kills a worker still running, and cleans up after it, without a signal.
    ~ContainedRun() override;

    // Starts the job in a fresh worker; nothing happens while a run is in progress.
    void start(const PDFEngine::Job& job, const RunLimits& limits);
    // Kills the worker at once and cleans up; cancelled() is emitted before it returns.
    void cancel();
    bool isRunning() const;
    // The worker's process id while it runs, 0 otherwise.
    qint64 processId() const;

    // Starts the job and waits for its end, handling events other than user input
    // meanwhile (a cancel among them); none when the run was cancelled.
    std::optional<PDFEngine::Outcome> run(const PDFEngine::Job& job, const RunLimits& limits);

signals:
    void progress(qint64 done, qint64 total);
    // The job's outcome, or a failure naming the input when the worker did not finish.
    void finished(const PDFEngine::Outcome& outcome);
    void cancelled();

private:
    enum class Ending { none, cancelled, timedOut };

    void launch(QProcess* waiting);
    void readMessages();
    void conclude();
    PDFEngine::Outcome failedOutcome() const;
    QString inputName() const;
    void removeFolders();
    bool trusted(const PDFEngine::Staging& staging) const;

    QPointer<SpareWorker> m_spare;
    QPointer<QProcess> m_process;
    QTimer* m_timer = nullptr; // child object
    std::optional<PDFEngine::Job> m_job;
    RunLimits m_limits;
    bool m_fromSpare = false;
    bool m_accepted = false;
    QList<PDFSource> m_inputs;
    QString m_outputFolder;
    Framing::Reader m_reader{0};
    Ending m_ending = Ending::none;
    qint64 m_input = 0;
    QStringList m_folders;
    bool m_outOfMemory = false;
    bool m_garbled = false;
    std::optional<PDFEngine::Outcome> m_outcome;
};
