#include "render/RenderServer.h"

#include "engine/document/PasswordBytes.h"

#include <poppler-qt6.h>

#include <algorithm>

using RenderProtocol::Reply;
using RenderProtocol::Request;
using RenderProtocol::Status;

namespace {

// Enough for the lists, the grid and the sign canvas to switch between their documents
// without reloading; each holds little until its pages are rendered.
constexpr std::size_t keptOpen = 4;

} // namespace

RenderServer::RenderServer() = default;
RenderServer::~RenderServer() = default;

Reply RenderServer::answer(const Request& request)
{
    Reply reply;
    reply.id = request.id;
    Entry* entry = open(request, reply);
    if (!entry) {
        return reply;
    }
    Poppler::Document& doc = *entry->doc;
    reply.needsPassword = entry->neededPassword;
    if (request.kind == RenderProtocol::Kind::open) {
        for (int i = 0; i < doc.numPages(); ++i) {
            const std::unique_ptr<Poppler::Page> page = doc.page(i);
            // Poppler reports the crop box already turned by the page's quarter turns.
            reply.pageSizes.append(page ? page->pageSizeF() : QSizeF());
        }
        reply.status = Status::done;
        return reply;
    }
    reply.image = render(doc, request.page, request.side);
    reply.status = reply.image.isNull() ? Status::failed : Status::done;
    return reply;
}

RenderServer::Entry* RenderServer::open(const Request& request, Reply& reply)
{
    const QString key = request.path + QChar(0) + request.password.value_or(QString());
    const auto found = std::find_if(m_open.begin(), m_open.end(),
                                    [&key](const Entry& entry) { return entry.key == key; });
    if (found != m_open.end()) {
        m_open.splice(m_open.begin(), m_open, found);
        return &m_open.front();
    }
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(request.path);
    if (!doc) {
        reply.status = Status::failed;
        return nullptr;
    }
    const bool locked = doc->isLocked();
    if (locked && !(request.password && PasswordBytes::unlock(*doc, *request.password))) {
        reply.status = Status::locked;
        reply.needsPassword = true;
        return nullptr;
    }
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    m_open.push_front(Entry{key, std::move(doc), locked});
    if (m_open.size() > keptOpen) {
        m_open.pop_back();
    }
    return &m_open.front();
}

QImage RenderServer::render(Poppler::Document& doc, int page, double side)
{
    if (page >= doc.numPages() || side <= 0) {
        return {};
    }
    const std::unique_ptr<Poppler::Page> p = doc.page(page);
    if (!p) {
        return {};
    }
    const QSizeF size = p->pageSizeF(); // crop box, already turned by the rotation
    const double longer = std::max(size.width(), size.height());
    if (longer <= 0) {
        return {};
    }
    const double dpi = 72.0 * (2.0 * side) / longer;
    QImage image = p->renderToImage(dpi, dpi);
    // A page of odd proportions may come out past the limit the window accepts.
    if (image.width() > RenderProtocol::maxPixels || image.height() > RenderProtocol::maxPixels) {
        return {};
    }
    return image;
}
