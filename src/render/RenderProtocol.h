#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>
#include <optional>

// What the window asks the renderer process and what it answers, and their bytes on the pipe.
// Both sides treat what they read as untrusted: a frame that does not decode is refused whole.
namespace RenderProtocol {

// The longest frame either side accepts, so a length read from a broken stream never allocates
// more than a large page image needs.
constexpr quint32 maxFrame = 160U * 1024 * 1024;
// The longest edge of a rendered image in pixels (twice the largest slot side).
constexpr int maxPixels = 8192;

enum class Kind : quint8 { open = 1, render = 2 };

// Open answers whether the document opens and the displayed size of each page; render answers
// one page inside a square of 2 x side pixels, proportions kept.
struct Request {
    quint64 id = 0;
    Kind kind = Kind::open;
    QString path;
    std::optional<QString> password; // travels on the pipe only
    qint32 page = 0;
    double side = 0;
};

enum class Status : quint8 {
    done = 1,
    locked = 2, // the password is missing or wrong
    failed = 3, // the renderer could not open or render it
    // Never on the wire: set by the client when the renderer overran its limit or died,
    // or when the request was dropped before it was sent.
    timedOut = 4,
    ended = 5,
    dropped = 6,
};

struct Reply {
    quint64 id = 0;
    Status status = Status::failed;
    bool needsPassword = false; // open: the document was locked before the password was tried
    QList<QSizeF> pageSizes;    // open: crop boxes turned by the page rotation, in points
    QImage image;               // render
};

QByteArray encode(const Request& request);
QByteArray encode(const Reply& reply);
std::optional<Request> decodeRequest(const QByteArray& payload);
std::optional<Reply> decodeReply(const QByteArray& payload);

// The payload with its four-byte big-endian length in front.
QByteArray frame(const QByteArray& payload);

// Collects bytes as they arrive and hands out whole frames.
class FrameReader {
public:
    void append(const QByteArray& bytes) { m_buffer.append(bytes); }
    // The next whole payload, or none until more bytes arrive or once the stream is broken.
    std::optional<QByteArray> next();
    // A length past maxFrame was read: nothing after it can be trusted.
    bool broken() const { return m_broken; }

private:
    QByteArray m_buffer;
    bool m_broken = false;
};

} // namespace RenderProtocol
