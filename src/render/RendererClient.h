#pragma once

#include "process/Framing.h"
#include "render/PixelSlots.h"
#include "render/RenderProtocol.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <deque>
#include <memory>
#include <vector>

class QProcess;
class QTimer;

// Renderer processes seen from the window: requests wait in a queue here, each process has a
// couple on its pipe and works on the first under a time limit. A process that overruns it is
// killed, one that dies is replaced, and the queue goes on to the new one. A further process takes
// work only while the ones before it are each stuck on a request, so a hang does not hold up the
// rest until its limit, yet on a busy machine the processes do not compete for the same cores.
// Each process leaves its images in memory it shares with this one alone (PixelSlots), one slot
// per request on its pipe, so the pipe carries only the small frames around them.
class RendererClient : public QObject {
    Q_OBJECT

public:
    // The address space a renderer may take: poppler asking for more fails inside the renderer,
    // not in the user's session.
    static constexpr qint64 memoryLimit = 1536LL * 1024 * 1024;

    explicit RendererClient(int processes = 1, QObject* parent = nullptr);
    ~RendererClient() override;

    // Queues the request and returns its ticket; nothing is sent before the current turn of
    // the event loop ends. Requests made in one turn go before those of earlier turns, in the
    // order made: what the views painted last is what the user is looking at.
    quint64 submit(RenderProtocol::Request request);
    // Moves a waiting request up to the current turn's requests; nothing once it is sent.
    void promote(quint64 ticket);

    // The running renderers' process ids.
    QList<qint64> processIds() const;
    // Why no renderer could be started, in the interface language: what a request answered
    // Status::unavailable waited for.
    QString startFailure() const { return m_startFailure; }

signals:
    // Every ticket is answered exactly once; reply.id is the ticket.
    void answered(quint64 ticket, const RenderProtocol::Reply& reply);

private:
    struct Lane {
        QPointer<QProcess> process;
        QTimer* deadline = nullptr; // child object of the client
        Framing::Reader reader{RenderProtocol::maxFrame};
        std::optional<PixelSlots> pixels;         // shared with this process only
        std::deque<RenderProtocol::Request> sent; // answered in this order
        QElapsedTimer since;                      // when the first of them became first
    };

    void start(Lane& lane);
    static qint32 freeSlot(const Lane& lane);
    void pump();
    bool stuckBefore(std::size_t lane) const;
    void startClock(Lane& lane);
    // Hands out the answers that arrived; false when the lane had to be abandoned.
    bool drain(Lane& lane);
    void lost(Lane& lane);
    // Kills the lane's renderer; the request it was working on gets `status`.
    void abandon(Lane& lane, RenderProtocol::Status status);
    void failEverything();
    void reply(quint64 ticket, RenderProtocol::Status status);
    void openTurn();

    std::vector<std::unique_ptr<Lane>> m_lanes;
    QTimer* m_spare; // child object: looks again when a request may have become stuck
    std::deque<RenderProtocol::Request> m_waiting;
    quint64 m_next = 1;
    std::size_t m_turnEnd = 0; // where the current turn's next request goes in m_waiting
    bool m_turnOpen = false;
    bool m_pumpQueued = false;
    QString m_startFailure;
};
