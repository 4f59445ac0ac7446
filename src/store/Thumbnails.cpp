#include "Thumbnails.h"

#include <QMetaObject>
#include <QPointer>
#include <poppler-qt6.h>

#include <list>

// The render thread's own documents, opened from disk with the input's password,
// the most recently used first. Only the render thread touches them.
class ThumbnailDocuments {
public:
    Poppler::Document* open(const QUuid& id, const PDFSource& source)
    {
        for (auto it = m_open.begin(); it != m_open.end(); ++it) {
            if (it->id == id) {
                m_open.splice(m_open.begin(), m_open, it);
                return m_open.front().doc.get();
            }
        }
        std::unique_ptr<Poppler::Document> doc = load(source);
        if (!doc) {
            return nullptr;
        }
        doc->setRenderHint(Poppler::Document::Antialiasing);
        doc->setRenderHint(Poppler::Document::TextAntialiasing);
        m_open.push_front(Entry{id, std::move(doc)});
        if (m_open.size() > capacity) {
            m_open.pop_back();
        }
        return m_open.front().doc.get();
    }

private:
    static std::unique_ptr<Poppler::Document> load(const PDFSource& source)
    {
        std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(source.url);
        if (doc && doc->isLocked() && source.password) {
            for (const QByteArray& bytes :
                 {source.password->toLatin1(), source.password->toUtf8()}) {
                doc->unlock(bytes, bytes);
                if (!doc->isLocked()) {
                    break;
                }
            }
        }
        return doc && !doc->isLocked() ? std::move(doc) : nullptr;
    }

    struct Entry {
        QUuid id;
        std::unique_ptr<Poppler::Document> doc;
    };
    static constexpr std::size_t capacity = 4;
    std::list<Entry> m_open;
};

namespace {

constexpr qint64 cacheBytes = 512LL * 1024 * 1024;

// The page inside a square of 2 x side pixels, proportions kept, rotation applied.
QImage render(Poppler::Document* doc, qint64 index, double side)
{
    if (!doc || index < 0 || index >= doc->numPages()) {
        return {};
    }
    const std::unique_ptr<Poppler::Page> page = doc->page(static_cast<int>(index));
    if (!page) {
        return {};
    }
    const QSizeF size = page->pageSizeF(); // crop box, already turned by the rotation
    const double longer = std::max(size.width(), size.height());
    if (longer <= 0) {
        return {};
    }
    const double dpi = 72.0 * (2.0 * side) / longer;
    return page->renderToImage(dpi, dpi);
}

} // namespace

Thumbnails::Thumbnails(QObject* parent)
    : QObject(parent), m_documents(std::make_shared<ThumbnailDocuments>())
{
    m_cache.setMaxCost(cacheBytes);
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1);
}

Thumbnails::~Thumbnails()
{
    m_pool.clear();
    m_pool.waitForDone();
}

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
        m_pending.contains(k) || m_failed.contains(k)) {
        return std::nullopt;
    }
    m_pending.insert(k);
    // Only values cross over: the input's open document stays on the main thread.
    m_pool.start(
        [this, documents = m_documents, id = file.id, source = file.source, index, side, k] {
            const QImage image = render(documents->open(id, source), index, side);
            QMetaObject::invokeMethod(
                this, [this, k, image] { deliver(k, image); }, Qt::QueuedConnection);
        });
    return std::nullopt;
}

void Thumbnails::deliver(const QString& key, const QImage& image)
{
    m_pending.remove(key);
    if (image.isNull()) {
        m_failed.insert(key);
        return;
    }
    m_cache.insert(key, new QImage(image), std::max<qint64>(image.sizeInBytes(), 1));
    emit ready(key);
}
