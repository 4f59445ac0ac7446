#include "RenderProtocol.h"
#include "RenderServer.h"

#include <poppler-qt6.h>

#include <cerrno>
#include <unistd.h>

// leaflow-renderer: reads requests as frames on standard input and writes one answer frame per
// request on standard output, in order, until its input closes. The window runs it so that a
// document that hangs or crashes poppler takes only this process down.

namespace {

bool writeAll(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.constData() + done,
                                  static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}

// Poppler's complaints about damaged files are expected here and would only fill the
// window's terminal.
void quiet(const QString&, const QVariant&) {}

} // namespace

int main()
{
    Poppler::setDebugErrorFunction(quiet, QVariant());
    RenderServer server;
    RenderProtocol::FrameReader reader;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return 0; // the window closed the pipe
        }
        reader.append(QByteArray(buffer, n));
        while (std::optional<QByteArray> payload = reader.next()) {
            const std::optional<RenderProtocol::Request> request =
                RenderProtocol::decodeRequest(*payload);
            if (!request) {
                return 2; // the window restarts a renderer it cannot talk to
            }
            const RenderProtocol::Reply reply = server.answer(*request);
            if (!writeAll(RenderProtocol::frame(RenderProtocol::encode(reply)))) {
                return 0;
            }
        }
        if (reader.broken()) {
            return 2;
        }
    }
}
