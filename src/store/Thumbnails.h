#pragma once

#include "core/PDFFile.h"

#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUuid>
#include <optional>

class RendererClient;
namespace RenderProtocol {
struct Reply;
}

// Page thumbnails rendered by the renderer process and cached by input, page and slot size.
class Thumbnails : public QObject {
    Q_OBJECT

public:
    explicit Thumbnails(QObject* parent = nullptr);
    ~Thumbnails() override;

    // "<input id>-<page index>-<slot side truncated to an integer>".
    static QString key(const QUuid& id, qint64 index, double side);

    std::optional<QImage> cached(const QString& key) const;
    // The cached image; otherwise none, after queueing its rendering unless the page does
    // not exist, failed before, or is already on its way (then it moves up the queue).
    std::optional<QImage> request(const PDFFile& file, qint64 index, double side);

signals:
    // The image of key is now cached.
    void ready(const QString& key);

private:
    void deliver(quint64 ticket, const RenderProtocol::Reply& reply);

    // Rendered images; the cost is their size in bytes, so a long session that
    // opens many documents gives memory back instead of growing without end.
    QCache<QString, QImage> m_cache;
    QHash<QString, quint64> m_pending; // key to ticket
    QHash<quint64, QString> m_tickets;
    // Pages that failed or overran the time limit stay paper, never asked again, so a view
    // asking on every paint cannot loop on them.
    QSet<QString> m_failed;
    RendererClient* m_renderer; // child object
};
