#pragma once

#include "RenderProtocol.h"

#include <QObject>
#include <QPointer>
#include <chrono>
#include <deque>

class QProcess;
class QTimer;

// One renderer process seen from the window: requests wait in a queue here, at most a couple
// are on the pipe, and each has a time limit. A renderer that overruns it is killed, one that
// dies is replaced, and what it had not answered yet is sent again to the new one.
class RendererClient : public QObject {
    Q_OBJECT

public:
    explicit RendererClient(QObject* parent = nullptr);
    ~RendererClient() override;

    // How long the renderer may work on one request before it is killed.
    void setTimeLimit(std::chrono::milliseconds limit) { m_limit = limit; }

    // Queues the request and returns its ticket. Requests made in one turn of the event loop
    // go before those of earlier turns, in the order made: what the views painted last is
    // what the user is looking at.
    quint64 submit(RenderProtocol::Request request);
    // Moves a waiting request up to the current turn's requests; nothing once it is sent.
    void promote(quint64 ticket);

    // The running renderer's process id, 0 when none runs.
    qint64 processId() const;

signals:
    // Every ticket is answered exactly once; reply.id is the ticket.
    void answered(quint64 ticket, const RenderProtocol::Reply& reply);

private:
    void start();
    void pump();
    void readReplies();
    void restartDeadline();
    void lost();
    // Kills the renderer: the request it was working on gets `status`, the others wait for
    // the next renderer.
    void abandon(RenderProtocol::Status status);
    void reply(quint64 ticket, RenderProtocol::Status status);
    void openTurn();

    std::chrono::milliseconds m_limit{5000};
    QPointer<QProcess> m_process;
    QTimer* m_deadline; // child object
    RenderProtocol::FrameReader m_reader;
    std::deque<RenderProtocol::Request> m_waiting;
    std::deque<RenderProtocol::Request> m_sent; // in the order the renderer answers them
    quint64 m_next = 1;
    std::size_t m_turnEnd = 0; // where the current turn's next request goes in m_waiting
    bool m_turnOpen = false;
    bool m_pumpQueued = false;
};
