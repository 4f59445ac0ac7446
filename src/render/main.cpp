#include "process/Framing.h"
#include "render/PixelSlots.h"
#include "render/RenderProtocol.h"
#include "render/RenderServer.h"

#include <poppler-qt6.h>

#include <cstdlib>
#include <string_view>
#include <unistd.h>

// leaflow-renderer [--pixels <fd>]: reads requests as frames on standard input and writes one
// answer frame per request on standard output, in order, until its input closes. Images go into
// the shared memory the window passed as <fd> (PixelSlots) when the request names a slot. The
// window runs it so that a document that hangs or crashes poppler takes only this process down.

namespace {

// Poppler's complaints about damaged files are expected here and would only fill the
// window's terminal.
void quiet(const QString&, const QVariant&) {}

std::optional<PixelSlots> sharedPixels(int argc, char** argv)
{
    if (argc != 3 || std::string_view(argv[1]) != "--pixels") {
        return std::nullopt;
    }
    return PixelSlots::attach(std::atoi(argv[2]));
}

} // namespace

int main(int argc, char** argv)
{
    Poppler::setDebugErrorFunction(quiet, QVariant());
    std::optional<PixelSlots> pixels = sharedPixels(argc, argv);
    RenderServer server;
    Framing::Reader reader(RenderProtocol::maxFrame);
    while (std::optional<QByteArray> payload = Framing::readFrame(STDIN_FILENO, reader)) {
        const std::optional<RenderProtocol::Request> request =
            RenderProtocol::decodeRequest(*payload);
        if (!request) {
            return 2; // the window restarts a renderer it cannot talk to
        }
        const RenderProtocol::Reply reply = server.answer(*request);
        const QByteArray answer =
            RenderProtocol::encode(reply, pixels ? &*pixels : nullptr, request->slot);
        if (!Framing::writeAll(STDOUT_FILENO, Framing::frame(answer))) {
            return 0; // the window is gone
        }
    }
    // The window closed the pipe, or sent a length nothing can be trusted after.
    return reader.broken() ? 2 : 0;
}
