#include "runner/ContainedRun.h"

#include "engine/include/PDFEngine.h"
#include "process/HelperProcess.h"
#include "runner/RunText.h"
#include "runner/SpareWorker.h"
#include "runner/WorkerProtocol.h"
#include "runner/WorkerStart.h"

#include "core/AppLanguage.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <csignal>

namespace {

// Long enough for the kernel to reap a killed worker; it never takes this long.
constexpr int reapMs = 5000;

} // namespace

ContainedRun::ContainedRun(QObject* parent, SpareWorker* spare)
    : QObject(parent), m_spare(spare), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (isRunning()) {
            m_ending = Ending::timedOut;
            m_process->kill();
        }
    });
}

ContainedRun::~ContainedRun()
{
    if (m_process) {
        // The owner may be half destroyed already: nothing may reach it any more.
        blockSignals(true);
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(reapMs);
        readMessages();
        removeFolders();
        delete m_process;
    }
}

bool ContainedRun::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

qint64 ContainedRun::processId() const
{
    return isRunning() ? m_process->processId() : 0;
}

void ContainedRun::start(const PDFEngine::Job& job, const RunLimits& limits)
{
    if (m_process) {
        return;
    }
    m_inputs = PDFEngine::inputsOf(job);
    m_outputFolder = PDFEngine::outputFolder(job);
    m_ending = Ending::none;
    m_input = 0;
    m_folders.clear();
    m_outcome.reset();

    m_job = job;
    m_limits = limits;
    launch(m_spare ? m_spare->take(this) : nullptr);
}

// Runs the job in the waiting worker given, or else in one started here.
void ContainedRun::launch(QProcess* waiting)
{
    m_process = waiting;
    m_fromSpare = waiting != nullptr;
    m_accepted = false;
    m_reader = Framing::Reader(WorkerProtocol::maxMessage);
    m_outOfMemory = false;
    m_garbled = false;
    if (!m_fromSpare) {
        m_process = new QProcess(this);
        WorkerStart::prepare(*m_process, m_limits.childBounds());
    }
    connect(m_process, &QProcess::readyReadStandardOutput, this, &ContainedRun::readMessages);
    connect(m_process, &QProcess::finished, this, &ContainedRun::conclude);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            conclude();
        }
    });
    // The job, passwords included, goes through the pipe only: never the
    // command line or the environment, which other processes can read.
    if (!m_fromSpare) {
        m_process->start(QIODevice::ReadWrite);
    }
    if (!m_process) {
        return; // it could not start, and that has been reported already
    }
    m_process->write(Framing::frame(WorkerProtocol::encode(
        WorkerProtocol::Request{AppLanguages::current(), *m_job, m_limits.childBounds()})));
    m_process->closeWriteChannel();
    if (m_limits.wallTime.count() > 0) {
        m_timer->start(m_limits.wallTime);
    }
}

void ContainedRun::cancel()
{
    if (!isRunning()) {
        return;
    }
    m_ending = Ending::cancelled;
    m_process->kill();
    m_process->waitForFinished(reapMs);
}

std::optional<PDFEngine::Outcome> ContainedRun::run(const PDFEngine::Job& job,
                                                    const RunLimits& limits)
{
    std::optional<PDFEngine::Outcome> result;
    QEventLoop loop;
    const QMetaObject::Connection done =
        connect(this, &ContainedRun::finished, &loop, [&](const PDFEngine::Outcome& outcome) {
            result = outcome;
            loop.quit();
        });
    const QMetaObject::Connection stopped =
        connect(this, &ContainedRun::cancelled, &loop, &QEventLoop::quit);
    start(job, limits);
    if (m_process) {
        // A window waiting here keeps painting, but no click or key reaches it halfway through.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    disconnect(done);
    disconnect(stopped);
    return result;
}

void ContainedRun::readMessages()
{
    if (!m_process || !m_process->isOpen()) {
        return; // it never started: there is nothing to read
    }
    m_reader.feed(m_process->readAllStandardOutput());
    while (std::optional<QByteArray> payload = m_reader.next()) {
        const std::optional<WorkerProtocol::Message> message =
            WorkerProtocol::decodeMessage(*payload);
        if (!message) {
            m_garbled = true;
            continue;
        }
        if (std::holds_alternative<WorkerProtocol::Accepted>(*message)) {
            m_accepted = true;
        } else if (const auto* p = std::get_if<WorkerProtocol::Progress>(&*message)) {
            emit progress(p->done, p->total);
            if (!m_process) {
                return; // whoever watched the progress stopped the run, which is over
            }
        } else if (const auto* i = std::get_if<WorkerProtocol::Input>(&*message)) {
            m_input = i->index;
        } else if (const auto* f = std::get_if<WorkerProtocol::Folder>(&*message)) {
            m_folders.append(f->path);
        } else if (std::holds_alternative<WorkerProtocol::OutOfMemory>(*message)) {
            m_outOfMemory = true;
        } else if (const auto* end = std::get_if<WorkerProtocol::Finished>(&*message)) {
            m_outcome = end->outcome;
        }
    }
    m_garbled = m_garbled || m_reader.broken();
}

// Only folders of the shape the engine makes are removed, so that a confused
// worker cannot have the parent remove anything else.
void ContainedRun::removeFolders()
{
    for (const QString& path : std::as_const(m_folders)) {
        const QFileInfo info(path);
        const QString name = info.fileName();
        if (info.isAbsolute() && info.isDir() && !info.isSymLink() &&
            name.startsWith(QStringLiteral(".leaflow-"))) {
            QDir(path).removeRecursively();
        }
    }
    m_folders.clear();
}

QString ContainedRun::inputName() const
{
    if (m_inputs.isEmpty()) {
        return {};
    }
    const qint64 index = m_input >= 0 && m_input < m_inputs.size() ? m_input : 0;
    return QFileInfo(m_inputs.at(index).path).fileName();
}

PDFEngine::Outcome ContainedRun::failedOutcome() const
{
    PDFEngine::Outcome outcome;
    const bool cpuSpent = m_process->exitStatus() == QProcess::CrashExit &&
                          m_process->exitCode() == SIGXCPU;
    if (const std::optional<QString> missing =
            HelperProcess::startFailure(*m_process, Helper::worker)) {
        outcome.failure = *missing; // the installation's fault, not the input's
    } else if (m_ending == Ending::timedOut || cpuSpent) {
        outcome.failure = RunText::timedOut(inputName());
    } else if (m_outOfMemory) {
        outcome.failure = RunText::outOfMemory(inputName());
    } else {
        outcome.failure = RunText::endedUnexpectedly(inputName());
    }
    return outcome;
}

// A staged result is placed only where the job's outputs go, and only from the private
// folder the worker announced, so that a confused worker cannot have the parent move
// anything else.
bool ContainedRun::trusted(const PDFEngine::Staging& staging) const
{
    const auto same = [](const QString& a, const QString& b) {
        return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
               QDir::cleanPath(QFileInfo(b).absoluteFilePath());
    };
    if (staging.files.isEmpty()) {
        return true;
    }
    if (!m_folders.contains(staging.folder) ||
        (!staging.createFolder.isEmpty() && !same(staging.createFolder, m_outputFolder))) {
        return false;
    }
    return std::all_of(staging.files.cbegin(), staging.files.cend(),
                       [&](const PDFEngine::StagedFile& file) {
                           return same(QFileInfo(file.staged).absolutePath(), staging.folder) &&
                                  same(QFileInfo(file.destination).absolutePath(), m_outputFolder);
                       });
}

void ContainedRun::conclude()
{
    if (!m_process) {
        return;
    }
    m_timer->stop();
    readMessages();
    if (m_fromSpare && !m_accepted && m_ending == Ending::none) {
        // The spare died while it waited (killed, or lost its parent's pipe) and never saw the
        // job: that is no fault of the input's, so the job goes to a worker started for it.
        m_process->disconnect(this);
        m_process->deleteLater();
        launch(nullptr);
        return;
    }

    const bool clean = m_process->exitStatus() == QProcess::NormalExit &&
                       m_process->exitCode() == 0 && m_process->error() != QProcess::FailedToStart;
    const bool whole = m_ending == Ending::none && !m_outOfMemory && clean && m_outcome &&
                       !m_garbled;
    PDFEngine::Outcome outcome = whole && trusted(m_outcome->staging) ? *m_outcome
                                                                      : failedOutcome();
    // Only a worker that ended well has its outputs put in place, here, where no
    // cancel or limit can cut the moves short.
    PDFEngine::commit(outcome);
    removeFolders();
    const Ending ending = m_ending;
    m_process->deleteLater();
    m_process = nullptr;
    m_job.reset(); // its passwords are not kept past the run
    if (ending == Ending::cancelled) {
        emit cancelled();
    } else {
        emit finished(outcome);
    }
}
