#include "store/Thumbnails.h"

#include "render/RendererClient.h"

namespace {

constexpr qint64 cacheBytes = 512LL * 1024 * 1024;
// Two, so a page that hangs until its time limit holds up only half the pages meanwhile.
constexpr int renderers = 2;

} // namespace

Thumbnails::Thumbnails(QObject* parent)
    : QObject(parent), m_renderer(new RendererClient(renderers, this))
{
    m_cache.setMaxCost(cacheBytes);
    connect(m_renderer, &RendererClient::answered, this, &Thumbnails::deliver);
}

Thumbnails::~Thumbnails() = default;

QString Thumbnails::key(const QUuid& id, qint64 index, double side)
{
    return QStringLiteral("%1-%2-%3")
        .arg(id.toString(QUuid::WithoutBraces).toUpper())
        .arg(index)
        .arg(static_cast<qint64>(side));
}

std::optional<QImage> Thumbnails::cached(const QString& key) const
{
    if (const QImage* image = m_cache.object(key)) {
        return *image;
    }
    return std::nullopt;
}

std::optional<QImage> Thumbnails::request(const PDFFile& file, qint64 index, double side)
{
    const QString k = key(file.id, index, side);
    if (std::optional<QImage> image = cached(k)) {
        return image;
    }
    if (index < 0 || index >= file.pageCount || static_cast<qint64>(side) < 1 ||
        side > RenderProtocol::maxPixels / 2.0 || m_failed.contains(k)) {
        return std::nullopt;
    }
    if (const auto pending = m_pending.constFind(k); pending != m_pending.constEnd()) {
        m_renderer->promote(*pending); // shown again: wanted sooner than what scrolled away
        return std::nullopt;
    }
    RenderProtocol::Request render;
    render.kind = RenderProtocol::Kind::render;
    render.path = file.source.path;
    render.password = file.source.password;
    render.page = static_cast<qint32>(index);
    render.side = side;
    const quint64 ticket = m_renderer->submit(render);
    m_pending.insert(k, ticket);
    m_tickets.insert(ticket, k);
    return std::nullopt;
}

void Thumbnails::deliver(quint64 ticket, const RenderProtocol::Reply& reply)
{
    const QString k = m_tickets.take(ticket);
    if (k.isEmpty()) {
        return;
    }
    m_pending.remove(k);
    if (reply.status == RenderProtocol::Status::dropped) {
        return; // asked again when it is shown again
    }
    if (reply.status != RenderProtocol::Status::done || reply.image.isNull()) {
        m_failed.insert(k);
        return;
    }
    m_cache.insert(k, new QImage(reply.image), std::max<qint64>(reply.image.sizeInBytes(), 1));
    emit ready(k);
}
