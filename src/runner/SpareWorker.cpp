#include "runner/SpareWorker.h"

#include "process/HelperPath.h"
#include "runner/WorkerStart.h"

#include <QProcess>

namespace {

// Long enough for the kernel to reap a killed worker; it never takes this long.
constexpr int reapMs = 5000;

void stop(QProcess* process)
{
    process->disconnect();
    process->kill();
    process->waitForFinished(reapMs);
    delete process;
}

} // namespace

SpareWorker::SpareWorker(QObject* parent) : QObject(parent)
{
    startOne();
}

SpareWorker::~SpareWorker()
{
    if (m_process) {
        stop(m_process);
    }
}

qint64 SpareWorker::processId() const
{
    return m_process ? m_process->processId() : 0;
}

void SpareWorker::startOne()
{
    m_process = new QProcess(this);
    // No job yet, so no bounds but those of every helper; the job's come with its request.
    WorkerStart::prepare(*m_process, {});
    m_program = m_process->program();
    m_environment = QProcessEnvironment::systemEnvironment();
    m_process->start(QIODevice::ReadWrite);
}

// Finished is asked without waiting: a worker killed since is noticed here, not by its run.
bool SpareWorker::usable() const
{
    return m_process && m_process->state() != QProcess::NotRunning &&
           !m_process->waitForFinished(0) && !m_program.isEmpty() &&
           HelperPath::find(Helper::worker) == m_program &&
           QProcessEnvironment::systemEnvironment() == m_environment;
}

QProcess* SpareWorker::take(QObject* owner)
{
    QProcess* taken = nullptr;
    if (usable()) {
        taken = m_process;
        taken->setParent(owner);
    } else if (m_process) {
        stop(m_process);
    }
    startOne();
    return taken;
}
