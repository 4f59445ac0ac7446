#include "ui/kit/PageThumb.h"

#include "ui/kit/Theme.h"

#include <QPainter>
#include <QPointer>
#include <QTimer>

PageThumb::PageThumb(const PDFFile& file, qint64 index, int side, ThumbnailProvider provider,
                     QWidget* parent)
    : QWidget(parent), m_file(file), m_index(index), m_side(side), m_provider(std::move(provider)),
      m_pageSize(file.displaySize(index))
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void PageThumb::setPage(const PDFFile& file, qint64 index)
{
    const bool changed = file.id != m_file.id || index != m_index;
    m_file = file;
    m_index = index;
    m_pageSize = file.displaySize(index);
    if (changed) {
        m_image = QImage();
        ++m_generation;
        m_pending = false;
        if (isVisible()) {
            scheduleLoad();
        }
    }
    updateGeometry();
    update();
}

void PageThumb::reload()
{
    if (m_image.isNull() && isVisible()) {
        scheduleLoad();
    }
}

void PageThumb::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_image.isNull()) {
        scheduleLoad();
    }
}

void PageThumb::scheduleLoad()
{
    if (!m_provider || m_pending) {
        return;
    }
    m_pending = true;
    const quint64 generation = m_generation;
    // Loaded after the view is on screen, so a long list appears at once and
    // fills in; a page change while waiting discards the stale result.
    QTimer::singleShot(0, this, [this, generation] {
        if (generation != m_generation) {
            return;
        }
        m_pending = false;
        const qreal ratio = devicePixelRatioF();
        m_image = m_provider(m_file, m_index, qRound(m_side * ratio));
        update();
        emit loaded();
    });
}

QRectF PageThumb::pageRect() const
{
    const qreal aspect = m_pageSize.width() / std::max<qreal>(m_pageSize.height(), 1);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QSizeF size(area.height() * aspect, area.height());
    if (size.width() > area.width()) {
        size = QSizeF(area.width(), area.width() / aspect);
    }
    return {area.center().x() - size.width() / 2, area.center().y() - size.height() / 2,
            size.width(), size.height()};
}

QSize PageThumb::sizeHint() const
{
    const qreal aspect = m_pageSize.width() / std::max<qreal>(m_pageSize.height(), 1);
    if (aspect >= 1) {
        return {m_side, qMax(1, qRound(m_side / aspect))};
    }
    return {qMax(1, qRound(m_side * aspect)), m_side};
}

void PageThumb::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF page = pageRect();
    painter.fillRect(page, DS::paper());
    if (!m_image.isNull()) {
        painter.drawImage(page, m_image);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(DS::paperEdge(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(page);
}
