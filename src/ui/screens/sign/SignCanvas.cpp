#include "SignCanvas.h"

#include "PlacementView.h"
#include "Store.h"
#include "Theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

SignCanvas::SignCanvas(Store& store, QWidget* parent)
    : QWidget(parent), m_store(store), m_rerender(new QTimer(this))
{
    // While the canvas is being resized the old image is stretched; the page is rendered again
    // once the size settles, so a live resize does not queue a render per step.
    m_rerender->setSingleShot(true);
    m_rerender->setInterval(rerenderDelay);
    connect(m_rerender, &QTimer::timeout, this, &SignCanvas::loadImage);
    setFocusPolicy(Qt::ClickFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(120, 120);
    for (auto signal : {&Store::signFileChanged, &Store::signPageChanged, &Store::placementsChanged,
                        &Store::selectedPlacementChanged, &Store::dataChanged}) {
        connect(&m_store, signal, this, &SignCanvas::refresh);
    }
    connect(&m_store, &Store::thumbnailReady, this, [this](const QString& key) {
        if (key == m_imageKey) {
            loadImage();
        }
    });
    refresh();
}

double SignCanvas::renderSide() const
{
    // A thumbnail has twice its slot side in pixels along the page's longer edge.
    const qreal longer = std::max(m_frame.width(), m_frame.height()) * devicePixelRatioF();
    return std::max(1.0, std::ceil(longer / 2));
}

QString SignCanvas::pageId() const
{
    const auto& file = m_store.signFile();
    return file ? Store::thumbnailKey(*file, m_store.signPage(), 0) : QString();
}

QString SignCanvas::imageKey() const
{
    const auto& file = m_store.signFile();
    return file && !m_frame.isEmpty() ? Store::thumbnailKey(*file, m_store.signPage(), renderSide())
                                      : QString();
}

void SignCanvas::loadImage()
{
    m_rerender->stop();
    // Another page never shows the previous one's image, but the same page keeps its image until
    // the sharper one arrives.
    if (pageId() != m_imagePage) {
        m_imagePage = pageId();
        m_image = QImage();
    }
    m_imageKey = imageKey();
    m_imageRatio = devicePixelRatioF();
    const auto& file = m_store.signFile();
    if (file && !m_imageKey.isEmpty()) {
        if (std::optional<QImage> image =
                m_store.requestThumbnail(*file, m_store.signPage(), renderSide())) {
            m_image = *image;
        }
    }
    update();
}

void SignCanvas::refresh()
{
    const auto& file = m_store.signFile();
    if (!file) {
        m_frame = QRectF();
    } else {
        const QSizeF page = file->displaySize(m_store.signPage());
        const qreal scale = std::min(width() / std::max<qreal>(page.width(), 1),
                                     height() / std::max<qreal>(page.height(), 1));
        const QSizeF shown = page * scale;
        m_frame =
            QRectF(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    }
    if (pageId() != m_imagePage || (file && m_image.isNull())) {
        loadImage();
    } else if (imageKey() != m_imageKey) {
        m_rerender->start();
    }

    // Views are kept by placement, so one being dragged survives every update it causes.
    QList<QUuid> shown;
    if (file) {
        for (const Placement& placement : m_store.placements()) {
            if (placement.page != m_store.signPage()) {
                continue;
            }
            PlacementView*& view = m_views[placement.id];
            if (!view) {
                view = new PlacementView(m_store, placement, this);
                connect(view, &PlacementView::activated, this,
                        [this] { setFocus(Qt::MouseFocusReason); });
            }
            view->present(placement, m_frame, m_store.selectedPlacement() == placement.id);
            view->raise(); // later placements in front
            shown.append(placement.id);
        }
    }
    for (auto it = m_views.begin(); it != m_views.end();) {
        if (!shown.contains(it.key())) {
            // A view may be removed from inside its own click handler.
            it.value()->hide();
            it.value()->deleteLater();
            it = m_views.erase(it);
        } else {
            ++it;
        }
    }
    m_order = shown;
    update();
}

QList<PlacementView*> SignCanvas::placementViews() const
{
    QList<PlacementView*> views;
    for (const QUuid& id : m_order) {
        views.append(m_views.value(id));
    }
    return views;
}

PlacementView* SignCanvas::viewFor(const QUuid& placement) const
{
    return m_views.value(placement);
}

void SignCanvas::paintEvent(QPaintEvent*)
{
    if (m_frame.isEmpty()) {
        return;
    }
    if (!qFuzzyCompare(m_imageRatio, devicePixelRatioF()) && !m_rerender->isActive()) {
        m_rerender->start(); // moved to a screen of another pixel ratio
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(m_frame, DS::paper());
    if (!m_image.isNull()) {
        painter.drawImage(m_frame, m_image);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(DS::paperEdge(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_frame.adjusted(0.5, 0.5, -0.5, -0.5));
}

void SignCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    refresh();
}

void SignCanvas::mousePressEvent(QMouseEvent* event)
{
    m_pressOnPaper = event->button() == Qt::LeftButton && m_frame.contains(event->position());
    QWidget::mousePressEvent(event);
}

void SignCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_pressOnPaper && m_frame.contains(event->position())) {
        m_store.setSelectedPlacement(std::nullopt);
    }
    m_pressOnPaper = false;
}

void SignCanvas::keyPressEvent(QKeyEvent* event)
{
    const auto& selected = m_store.selectedPlacement();
    PlacementView* view = selected ? m_views.value(*selected) : nullptr;
    if (!view) {
        QWidget::keyPressEvent(event);
        return;
    }
    const qreal step = event->modifiers().testFlag(Qt::ShiftModifier) ? bigNudge : nudge;
    QPointF by;
    switch (event->key()) {
    case Qt::Key_Left: by = {-step, 0}; break;
    case Qt::Key_Right: by = {step, 0}; break;
    case Qt::Key_Up: by = {0, -step}; break;
    case Qt::Key_Down: by = {0, step}; break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: m_store.removePlacement(*selected); return;
    default: QWidget::keyPressEvent(event); return;
    }
    m_store.movePlacement(*selected, view->placement().rect,
                          QPointF(by.x() / std::max<qreal>(m_frame.width(), 1),
                                  by.y() / std::max<qreal>(m_frame.height(), 1)));
}
