#include "render/RendererClient.h"

#include "process/HelperProcess.h"

#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <fcntl.h>

using RenderProtocol::Reply;
using RenderProtocol::Request;
using RenderProtocol::Status;

namespace {

// Past this many waiting, the oldest (pages long scrolled away) are dropped; a view that
// shows them again asks again.
constexpr std::size_t maxWaiting = 256;
// Two on a pipe keep a renderer busy while the window reads the answer before; more would
// hold back the pages scrolled into view meanwhile.
constexpr std::size_t onThePipe = 2;
// A request running this long counts as stuck: a usual page takes a few milliseconds.
constexpr std::chrono::milliseconds stuckAfter{300};
// How long a renderer may work on one request before it is killed.
constexpr std::chrono::milliseconds timeLimit{5000};

} // namespace

RendererClient::RendererClient(int processes, QObject* parent)
    : QObject(parent), m_spare(new QTimer(this))
{
    m_spare->setSingleShot(true);
    m_spare->setTimerType(Qt::PreciseTimer);
    connect(m_spare, &QTimer::timeout, this, &RendererClient::pump);
    for (int i = 0; i < std::max(processes, 1); ++i) {
        auto lane = std::make_unique<Lane>();
        lane->deadline = new QTimer(this);
        lane->deadline->setSingleShot(true);
        connect(lane->deadline, &QTimer::timeout, this,
                [this, l = lane.get()] { abandon(*l, Status::timedOut); });
        m_lanes.push_back(std::move(lane));
    }
}

RendererClient::~RendererClient()
{
    // Killed here, while this object is whole: a process reports its end to it.
    for (const auto& lane : m_lanes) {
        if (lane->process) {
            lane->process->disconnect(this);
            lane->process->kill();
            lane->process->waitForFinished(1000);
        }
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
    // Sent once the turn is over, so the caller knows its ticket before any answer.
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

QList<qint64> RendererClient::processIds() const
{
    QList<qint64> ids;
    for (const auto& lane : m_lanes) {
        if (lane->process && lane->process->processId() > 0) {
            ids.append(lane->process->processId());
        }
    }
    return ids;
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

void RendererClient::start(Lane& lane)
{
    auto* process = new QProcess(this);
    lane.process = process;
    lane.reader = Framing::Reader(RenderProtocol::maxFrame);
    HelperProcess::prepare(*process, Helper::renderer, {memoryLimit, 0});
    // Fresh memory for each process: one killed mid-write can never scribble on a later image.
    // Without it the images travel in the frames, only slower.
    lane.pixels = PixelSlots::create(static_cast<int>(onThePipe));
    if (lane.pixels) {
        const int fd = lane.pixels->fd();
        process->setArguments({QStringLiteral("--pixels"), QString::number(fd)});
        // The descriptor is closed on exec in every other child this program starts.
        process->setChildProcessModifier([limits = process->childProcessModifier(), fd] {
            limits();
            fcntl(fd, F_SETFD, 0);
        });
    }
    connect(process, &QProcess::readyReadStandardOutput, this, [this, &lane] {
        if (drain(lane)) {
            pump();
        }
    });
    connect(process, &QProcess::finished, this, [this, &lane] { lost(lane); });
    connect(process, &QProcess::errorOccurred, this, [this, &lane](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            lost(lane);
        }
    });
    process->start(QIODevice::ReadWrite);
}

qint32 RendererClient::freeSlot(const Lane& lane)
{
    if (!lane.pixels) {
        return -1;
    }
    for (qint32 slot = 0; slot < lane.pixels->count(); ++slot) {
        if (std::none_of(lane.sent.begin(), lane.sent.end(),
                         [slot](const Request& r) { return r.slot == slot; })) {
            return slot;
        }
    }
    return -1;
}

bool RendererClient::stuckBefore(std::size_t lane) const
{
    return std::all_of(m_lanes.begin(), m_lanes.begin() + static_cast<std::ptrdiff_t>(lane),
                       [](const auto& earlier) {
                           return !earlier->sent.empty() &&
                                  earlier->since.elapsed() >= stuckAfter.count();
                       });
}

void RendererClient::startClock(Lane& lane)
{
    if (lane.sent.empty()) {
        lane.deadline->stop();
        return;
    }
    lane.since.start();
    lane.deadline->start(timeLimit);
    if (m_lanes.size() > 1) {
        m_spare->start(stuckAfter);
    }
}

void RendererClient::pump()
{
    for (std::size_t i = 0; i < m_lanes.size(); ++i) {
        Lane& lane = *m_lanes[i];
        // A lane stuck on its first request takes no more: they would wait behind it.
        while (!m_waiting.empty() && lane.sent.size() < onThePipe && stuckBefore(i) &&
               (lane.sent.empty() || lane.since.elapsed() < stuckAfter.count())) {
            if (!lane.process) {
                start(lane);
                if (!lane.process) {
                    return; // it could not start and answered everything
                }
            }
            const qint32 slot = freeSlot(lane);
            lane.sent.push_back(std::move(m_waiting.front()));
            lane.sent.back().slot = slot;
            m_waiting.pop_front();
            m_turnEnd = m_turnEnd > 0 ? m_turnEnd - 1 : 0;
            lane.process->write(Framing::frame(RenderProtocol::encode(lane.sent.back())));
            if (lane.sent.size() == 1) {
                startClock(lane);
            }
        }
    }
}

bool RendererClient::drain(Lane& lane)
{
    if (!lane.process) {
        return false;
    }
    lane.reader.feed(lane.process->readAllStandardOutput());
    while (std::optional<QByteArray> payload = lane.reader.next()) {
        const std::optional<Reply> answer =
            lane.sent.empty()
                ? std::nullopt
                : RenderProtocol::decodeReply(*payload, lane.pixels ? &*lane.pixels : nullptr,
                                              lane.sent.front().slot);
        // A renderer that answers what it was not asked is not trusted with anything more.
        if (!answer || answer->id != lane.sent.front().id) {
            abandon(lane, Status::ended);
            return false;
        }
        lane.sent.pop_front();
        startClock(lane);
        emit answered(answer->id, *answer);
    }
    if (lane.reader.broken()) {
        abandon(lane, Status::ended);
        return false;
    }
    return true;
}

void RendererClient::lost(Lane& lane)
{
    // An answer written just before the end is still in the pipe.
    if (!drain(lane)) {
        return;
    }
    if (std::optional<QString> failure =
            HelperProcess::startFailure(*lane.process, Helper::renderer)) {
        // No renderer to be had: everything fails now instead of starting one per request.
        m_startFailure = std::move(*failure);
        lane.process->disconnect(this);
        lane.process->deleteLater();
        lane.process = nullptr;
        lane.pixels.reset();
        failEverything();
        return;
    }
    abandon(lane, Status::ended);
}

void RendererClient::abandon(Lane& lane, Status status)
{
    if (lane.process) {
        QProcess* process = lane.process;
        process->disconnect(this);
        if (process->state() == QProcess::NotRunning) {
            process->deleteLater();
        } else {
            connect(process, &QProcess::finished, process, &QObject::deleteLater);
            process->kill();
        }
        lane.process = nullptr;
    }
    lane.reader = Framing::Reader(RenderProtocol::maxFrame);
    lane.pixels.reset();
    lane.deadline->stop();
    std::optional<quint64> blamed;
    if (!lane.sent.empty()) {
        blamed = lane.sent.front().id;
        lane.sent.pop_front();
    }
    // The others go first to the next renderer, in the order they were sent.
    m_turnEnd += lane.sent.size();
    m_waiting.insert(m_waiting.begin(), lane.sent.begin(), lane.sent.end());
    lane.sent.clear();
    if (blamed) {
        reply(*blamed, status);
    }
    pump(); // a new renderer takes over the queue
}

void RendererClient::failEverything()
{
    std::deque<Request> all = std::move(m_waiting);
    m_waiting.clear();
    m_turnEnd = 0;
    for (const auto& lane : m_lanes) {
        lane->deadline->stop();
        all.insert(all.begin(), lane->sent.begin(), lane->sent.end());
        lane->sent.clear();
    }
    for (const Request& request : all) {
        reply(request.id, Status::unavailable);
    }
}

void RendererClient::reply(quint64 ticket, Status status)
{
    Reply answer;
    answer.id = ticket;
    answer.status = status;
    emit answered(ticket, answer);
}
