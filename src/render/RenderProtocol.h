#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>
#include <optional>

class PixelSlots;

// What the window asks the renderer process and what it answers, and their bytes on the pipe.
// Both sides treat what they read as untrusted: a frame that does not decode is refused whole.
namespace RenderProtocol {

// The longest frame (Framing.h) either side accepts, so a length read from a broken stream never
// allocates more than a large page image needs.
constexpr qsizetype maxFrame = 160LL * 1024 * 1024;
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
    // Set by the window as it sends: the shared slot the renderer leaves the image in (-1: none).
    qint32 slot = -1;

    bool operator==(const Request&) const = default;
};

enum class Status : quint8 {
    done = 1,
    locked = 2, // the password is missing or wrong
    failed = 3, // the renderer could not open or render it
    // Never on the wire: set by the client when the renderer overran its limit or died,
    // when the request was dropped before it was sent, or when no renderer could be started.
    timedOut = 4,
    ended = 5,
    dropped = 6,
    unavailable = 7,
};

struct Reply {
    quint64 id = 0;
    Status status = Status::failed;
    bool needsPassword = false; // open: the document was locked before the password was tried
    QList<QSizeF> pageSizes;    // open: crop boxes turned by the page rotation, in points
    QImage image;               // render

    bool operator==(const Reply&) const = default;
};

QByteArray encode(const Request& request);
// The image goes into the slot when there is one and it fits there, otherwise into the frame.
QByteArray encode(const Reply& reply, PixelSlots* pixels = nullptr, qint32 slot = -1);
std::optional<Request> decodeRequest(const QByteArray& payload);
// A reply whose image is in a slot other than `slot` of `pixels` is refused.
std::optional<Reply> decodeReply(const QByteArray& payload, const PixelSlots* pixels = nullptr,
                                 qint32 slot = -1);

} // namespace RenderProtocol
