#include "RendererClient.h"

#include "RendererLaunch.h"

#include <QProcess>
#include <QTimer>

using RenderProtocol::Reply;
using RenderProtocol::Request;
using RenderProtocol::Status;

namespace {

// Two on the pipe keep the renderer busy while the window reads the previous answer; more
// would only hold back the pages scrolled into view meanwhile.
constexpr std::size_t onThePipe = 2;
// Past this many waiting, the oldest (pages long scrolled away) are dropped; a view that
// shows them again asks again.
constexpr std::size_t maxWaiting = 256;

} // namespace

RendererClient::RendererClient(QObject* parent) : QObject(parent), m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] { abandon(Status::timedOut); });
}

RendererClient::~RendererClient()
{
    // Killed here, while this object is whole: the process would report its end to it.
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

quint64 RendererClient::submit(Request request)
{
    const quint64 ticket = m_next++;
    request.id = ticket;
    openTurn();
    m_waiting.insert(m_waiting.begin() + static_cast<std::ptrdiff_t>(m_turnEnd++),
                     std::move(request));
    if (m_waiting.size() > maxWaiting && m_turnEnd < m_waiting.size()) {
        const quint64 oldest = m_waiting.back().id;
        m_waiting.pop_back();
        reply(oldest, Status::dropped);
    }
    // Sent once the turn is over, so the caller knows its ticket before any answer, and the
    // turn's requests are in their order.
    if (!m_pumpQueued) {
        m_pumpQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_pumpQueued = false;
                pump();
            },
            Qt::QueuedConnection);
    }
    return ticket;
}

void RendererClient::promote(quint64 ticket)
{
    const auto found = std::find_if(m_waiting.begin(), m_waiting.end(),
                                    [ticket](const Request& r) { return r.id == ticket; });
    if (found == m_waiting.end() ||
        (m_turnOpen && static_cast<std::size_t>(found - m_waiting.begin()) < m_turnEnd)) {
        return;
    }
    Request request = std::move(*found);
    m_waiting.erase(found);
    openTurn();
    m_waiting.insert(m_waiting.begin() + static_cast<std::ptrdiff_t>(m_turnEnd++),
                     std::move(request));
}

qint64 RendererClient::processId() const
{
    return m_process ? m_process->processId() : 0;
}

void RendererClient::openTurn()
{
    if (m_turnOpen) {
        return;
    }
    m_turnOpen = true;
    m_turnEnd = 0;
    QTimer::singleShot(0, this, [this] { m_turnOpen = false; });
}

void RendererClient::start()
{
    m_process = new QProcess(this);
    m_process->setProgram(RendererLaunch::program());
    m_process->setChildProcessModifier(RendererLaunch::childLimits());
    // Its standard error is the window's: a sanitizer's report or a crash message shows.
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &RendererClient::readReplies);
    connect(m_process, &QProcess::finished, this, &RendererClient::lost);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            lost();
        }
    });
    m_reader = {};
    m_process->start(QIODevice::ReadWrite);
}

void RendererClient::pump()
{
    while (m_sent.size() < onThePipe && !m_waiting.empty()) {
        if (!m_process) {
            start(); // a renderer that cannot start answers everything at once
            continue;
        }
        Request request = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_turnEnd = m_turnEnd > 0 ? m_turnEnd - 1 : 0;
        m_process->write(RenderProtocol::frame(RenderProtocol::encode(request)));
        m_sent.push_back(std::move(request));
        if (m_sent.size() == 1) {
            restartDeadline();
        }
    }
}

void RendererClient::readReplies()
{
    if (!m_process) {
        return;
    }
    m_reader.append(m_process->readAllStandardOutput());
    while (std::optional<QByteArray> payload = m_reader.next()) {
        const std::optional<Reply> answer = RenderProtocol::decodeReply(*payload);
        // A renderer that answers what it was not asked is not trusted with anything more.
        if (!answer || m_sent.empty() || answer->id != m_sent.front().id) {
            abandon(Status::ended);
            return;
        }
        m_sent.pop_front();
        restartDeadline();
        emit answered(answer->id, *answer);
    }
    if (m_reader.broken()) {
        abandon(Status::ended);
        return;
    }
    pump();
}

void RendererClient::restartDeadline()
{
    // The clock runs for the request the renderer is working on: the first one unanswered.
    if (m_sent.empty()) {
        m_deadline->stop();
    } else {
        m_deadline->start(m_limit);
    }
}

void RendererClient::lost()
{
    // Answers written just before the end are still in the pipe.
    readReplies();
    if (!m_process) {
        return;
    }
    if (m_process->error() == QProcess::FailedToStart) {
        // No renderer to be had: everything fails now instead of starting one per request.
        m_process->disconnect(this);
        m_process->deleteLater();
        m_process = nullptr;
        m_deadline->stop();
        std::deque<Request> all = std::move(m_sent);
        all.insert(all.end(), m_waiting.begin(), m_waiting.end());
        m_sent.clear();
        m_waiting.clear();
        m_turnEnd = 0;
        for (const Request& request : all) {
            reply(request.id, Status::ended);
        }
        return;
    }
    abandon(Status::ended);
}

void RendererClient::abandon(Status status)
{
    if (m_process) {
        m_process->disconnect(this);
        if (m_process->state() == QProcess::NotRunning) {
            m_process->deleteLater();
        } else {
            connect(m_process, &QProcess::finished, m_process, &QObject::deleteLater);
            m_process->kill();
        }
        m_process = nullptr;
    }
    m_reader = {};
    m_deadline->stop();
    std::optional<quint64> blamed;
    if (!m_sent.empty()) {
        blamed = m_sent.front().id;
        m_sent.pop_front();
    }
    // The rest go first to the next renderer, in the order they were sent.
    m_turnEnd += m_sent.size();
    m_waiting.insert(m_waiting.begin(), m_sent.begin(), m_sent.end());
    m_sent.clear();
    if (blamed) {
        reply(*blamed, status);
    }
    pump();
}

void RendererClient::reply(quint64 ticket, Status status)
{
    Reply answer;
    answer.id = ticket;
    answer.status = status;
    emit answered(ticket, answer);
}
