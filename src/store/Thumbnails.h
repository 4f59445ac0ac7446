#pragma once

#include "PDFFile.h"

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>
#include <QUuid>
#include <memory>
#include <optional>

class ThumbnailDocuments;

// Page thumbnails rendered off the main thread and cached by input, page and slot size.
class Thumbnails : public QObject {
    Q_OBJECT

public:
    explicit Thumbnails(QObject* parent = nullptr);
    ~Thumbnails() override;

    // "<input id>-<page index>-<slot side truncated to an integer>".
    static QString key(const QUuid& id, qint64 index, double side);

    std::optional<QImage> cached(const QString& key) const;
    // The cached image; otherwise none, after queueing its rendering unless the
    // page does not exist or the same image is already on its way.
    std::optional<QImage> request(const PDFFile& file, qint64 index, double side);

signals:
    // The image of key is now cached.
    void ready(const QString& key);

private:
    void deliver(const QString& key, const QImage& image);

    // Rendered images; the cost is their size in bytes, so a long session that
    // opens many documents gives memory back instead of growing without end.
    QCache<QString, QImage> m_cache;
    QSet<QString> m_pending;
    QSet<QString> m_failed; // never retried, so a view asking again cannot loop
    std::shared_ptr<ThumbnailDocuments> m_documents;
    // One render thread: it keeps its own poppler documents, and poppler's colour
    // set-up is not safe for a first render on two threads at once.
    QThreadPool m_pool;
};
