#include "render/RenderProtocol.h"

#include "render/PixelSlots.h"

#include <QDataStream>
#include <QIODevice>

#include <cmath>
#include <cstring>

namespace RenderProtocol {

namespace {

constexpr QDataStream::Version streamVersion = QDataStream::Qt_6_4;
constexpr qint64 pixelBytes = 4;
constexpr qint32 maxSlot = 255;

// Where a reply's image is: none, in the frame, or in the shared slot the request named.
enum class Place : quint8 { none = 0, frame = 1, slot = 2 };

bool knownFormat(quint32 format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

bool sane(double value, double limit)
{
    return std::isfinite(value) && value >= 0 && value <= limit;
}

// The image's rows packed without padding, so the reader can check the length exactly.
void writeImage(QDataStream& out, const QImage& source, PixelSlots* pixels, qint32 slot)
{
    const QImage image = knownFormat(source.format())
                             ? source
                             : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const bool shared = pixels && pixels->put(slot, image);
    out << quint8(shared ? Place::slot : Place::frame) << qint32(image.width())
        << qint32(image.height()) << quint32(image.format());
    if (shared) {
        out << slot;
        return;
    }
    const qint64 row = image.width() * pixelBytes;
    QByteArray bits(row * image.height(), Qt::Uninitialized);
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(bits.data() + y * row, image.constScanLine(y), row);
    }
    out << bits;
}

std::optional<QImage> readImage(QDataStream& in, quint8 place, const PixelSlots* pixels,
                                qint32 slot)
{
    qint32 width = 0;
    qint32 height = 0;
    quint32 format = 0;
    in >> width >> height >> format;
    if (in.status() != QDataStream::Ok || width < 1 || height < 1 || width > maxPixels ||
        height > maxPixels || !knownFormat(format)) {
        return std::nullopt;
    }
    const auto qformat = static_cast<QImage::Format>(format);
    if (place == quint8(Place::slot)) {
        qint32 named = -1;
        in >> named;
        // Only the slot this request was given is known to hold its image and nothing else's.
        if (!pixels || named != slot) {
            return std::nullopt;
        }
        return pixels->take(slot, width, height, qformat);
    }
    QByteArray bits;
    in >> bits;
    if (bits.size() != width * pixelBytes * height) {
        return std::nullopt;
    }
    QImage image(width, height, qformat);
    if (image.isNull()) {
        return std::nullopt;
    }
    const qint64 row = width * pixelBytes;
    for (int y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(y), bits.constData() + y * row, row);
    }
    return image;
}

} // namespace

QByteArray encode(const Request& request)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(streamVersion);
    out << request.id << quint8(request.kind) << request.path << request.password.has_value()
        << request.password.value_or(QString()) << request.page << request.side << request.slot;
    return bytes;
}

std::optional<Request> decodeRequest(const QByteArray& payload)
{
    QDataStream in(payload);
    in.setVersion(streamVersion);
    Request request;
    quint8 kind = 0;
    bool hasPassword = false;
    QString password;
    in >> request.id >> kind >> request.path >> hasPassword >> password >> request.page >>
        request.side >> request.slot;
    if (in.status() != QDataStream::Ok || !in.atEnd() ||
        (kind != quint8(Kind::open) && kind != quint8(Kind::render)) || request.page < 0 ||
        !sane(request.side, maxPixels / 2.0) || request.slot < -1 || request.slot > maxSlot) {
        return std::nullopt;
    }
    request.kind = static_cast<Kind>(kind);
    if (hasPassword) {
        request.password = password;
    }
    return request;
}

QByteArray encode(const Reply& reply, PixelSlots* pixels, qint32 slot)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(streamVersion);
    out << reply.id << quint8(reply.status) << reply.needsPassword
        << quint32(reply.pageSizes.size());
    for (const QSizeF& size : reply.pageSizes) {
        out << size.width() << size.height();
    }
    if (reply.image.isNull()) {
        out << quint8(Place::none);
    } else {
        writeImage(out, reply.image, pixels, slot);
    }
    return bytes;
}

std::optional<Reply> decodeReply(const QByteArray& payload, const PixelSlots* pixels, qint32 slot)
{
    QDataStream in(payload);
    in.setVersion(streamVersion);
    Reply reply;
    quint8 status = 0;
    quint32 count = 0;
    in >> reply.id >> status >> reply.needsPassword >> count;
    constexpr qint64 sizeBytes = 2 * sizeof(double);
    // The count comes from the other side: it is checked against the bytes really there
    // before anything is reserved for it.
    if (in.status() != QDataStream::Ok || status < quint8(Status::done) ||
        status > quint8(Status::failed) ||
        count > (payload.size() - in.device()->pos()) / sizeBytes) {
        return std::nullopt;
    }
    reply.status = static_cast<Status>(status);
    reply.pageSizes.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        double width = 0;
        double height = 0;
        in >> width >> height;
        if (!sane(width, 1e6) || !sane(height, 1e6)) {
            return std::nullopt;
        }
        reply.pageSizes.append(QSizeF(width, height));
    }
    quint8 place = 0;
    in >> place;
    if (place > quint8(Place::slot)) {
        return std::nullopt;
    }
    if (place != quint8(Place::none)) {
        std::optional<QImage> image = readImage(in, place, pixels, slot);
        if (!image) {
            return std::nullopt;
        }
        reply.image = std::move(*image);
    }
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        return std::nullopt;
    }
    return reply;
}

} // namespace RenderProtocol
