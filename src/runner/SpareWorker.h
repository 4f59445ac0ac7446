#pragma once

#include <QObject>
#include <QPointer>
#include <QProcessEnvironment>

class QProcess;

// One leaflow-worker started ahead of the next run, so that a run from the window does not wait
// for a process to start and load its libraries. It starts without the job's bounds, which the
// worker applies to itself once its request arrives (WorkerProtocol::Request::bounds), and is
// handed over only while it is the same as a fresh worker would be: the same program and
// environment, still running. A worker serves one job: each one taken is replaced at once. The
// waiting worker dies with this object, or with the process, and ends by itself when its input
// closes.
class SpareWorker : public QObject {
    Q_OBJECT

public:
    // Starts the first spare at once.
    explicit SpareWorker(QObject* parent = nullptr);
    ~SpareWorker() override;

    // The waiting worker, now a child of owner, and a new one started behind it; null when none
    // can be used (the caller then starts its own).
    QProcess* take(QObject* owner);
    // The waiting worker's process id; 0 when there is none.
    qint64 processId() const;

private:
    void startOne();
    bool usable() const;

    QPointer<QProcess> m_process; // child object
    QString m_program;
    QProcessEnvironment m_environment;
};
