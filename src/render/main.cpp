#include "process/Framing.h"
#include "render/RenderProtocol.h"
#include "render/RenderServer.h"

#include <poppler-qt6.h>

#include <unistd.h>

// leaflow-renderer: reads requests as frames on standard input and writes one answer frame per
// request on standard output, in order, until its input closes. The window runs it so that a
// document that hangs or crashes poppler takes only this process down.

namespace {

// Poppler's complaints about damaged files are expected here and would only fill the
// window's terminal.
void quiet(const QString&, const QVariant&) {}

} // namespace

int main()
{
    Poppler::setDebugErrorFunction(quiet, QVariant());
    RenderServer server;
    Framing::Reader reader(RenderProtocol::maxFrame);
    while (std::optional<QByteArray> payload = Framing::readFrame(STDIN_FILENO, reader)) {
        const std::optional<RenderProtocol::Request> request =
            RenderProtocol::decodeRequest(*payload);
        if (!request) {
            return 2; // the window restarts a renderer it cannot talk to
        }
        const RenderProtocol::Reply reply = server.answer(*request);
        if (!Framing::writeAll(STDOUT_FILENO, Framing::frame(RenderProtocol::encode(reply)))) {
            return 0; // the window is gone
        }
    }
    // The window closed the pipe, or sent a length nothing can be trusted after.
    return reader.broken() ? 2 : 0;
}
