#include "ui/screens/sign/SignCanvas.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "store/Store.h"
#include "tools/sign/SignTool.h"
#include "ui/kit/Accessible.h"
#include "ui/kit/Theme.h"
#include "ui/screens/sign/PlacementView.h"
#include "ui/screens/sign/SignPager.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

SignCanvas::SignCanvas(SignTool& tool, QWidget* parent)
    : QWidget(parent), m_tool(tool), m_store(tool.store()), m_rerender(new QTimer(this))
{
    // While the canvas is being resized the old image is stretched; the page is rendered again
    // once the size settles, so a live resize does not queue a render per step.
    m_rerender->setSingleShot(true);
    m_rerender->setInterval(rerenderDelay);
    connect(m_rerender, &QTimer::timeout, this, &SignCanvas::loadImage);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(120, 120);
    Accessible::setRole(this, QAccessible::Canvas);
    connect(&m_tool, &SignTool::signFileChanged, this, [this] { m_cursor = QPointF(0.5, 0.5); });
    for (auto signal : {&SignTool::signFileChanged, &SignTool::signPageChanged,
                        &SignTool::placementsChanged, &SignTool::selectedPlacementChanged}) {
        connect(&m_tool, signal, this, &SignCanvas::refresh);
    }
    connect(&m_store, &Store::dataChanged, this, &SignCanvas::refresh);
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
    const auto& file = m_tool.signFile();
    return file ? Store::thumbnailKey(*file, m_tool.signPage(), 0) : QString();
}

QString SignCanvas::imageKey() const
{
    const auto& file = m_tool.signFile();
    return file && !m_frame.isEmpty() ? Store::thumbnailKey(*file, m_tool.signPage(), renderSide())
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
    const auto& file = m_tool.signFile();
    if (file && !m_imageKey.isEmpty()) {
        if (std::optional<QImage> image =
                m_store.requestThumbnail(*file, m_tool.signPage(), renderSide())) {
            m_image = *image;
        }
    }
    update();
}

void SignCanvas::refresh()
{
    const auto& file = m_tool.signFile();
    if (!file) {
        m_frame = QRectF();
    } else {
        const QSizeF page = file->displaySize(m_tool.signPage());
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

    describe();
    // Views are kept by placement, so one being dragged survives every update it causes.
    QList<QUuid> shown;
    QWidget* previous = this;
    if (file) {
        for (const Placement& placement : m_tool.placements()) {
            if (placement.page != m_tool.signPage()) {
                continue;
            }
            PlacementView*& view = m_views[placement.id];
            if (!view) {
                view = new PlacementView(m_tool, placement, this);
                connect(view, &PlacementView::activated, view,
                        [view] { view->setFocus(Qt::MouseFocusReason); });
            }
            shown.append(placement.id);
            view->present(placement, m_frame, m_tool.selectedPlacement() == placement.id,
                          int(shown.size()));
            view->raise(); // later placements in front
            // New views join the end of the window's focus chain; each belongs after the one
            // before it on the page, with its remove button.
            setTabOrder(previous, view);
            setTabOrder(view, view->removeButton());
            previous = view->removeButton();
        }
    }
    for (auto it = m_views.begin(); it != m_views.end();) {
        if (!shown.contains(it.key())) {
            // The focus stays on the page rather than wandering to whatever follows.
            if (it.value()->isAncestorOf(focusWidget()) || it.value()->hasFocus()) {
                setFocus(Qt::OtherFocusReason);
            }
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
    if (m_showCursor && hasFocus()) {
        paintCursor(painter);
    }
}

void SignCanvas::paintCursor(QPainter& painter) const
{
    const QColor accent = Theme::accent(palette());
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(accent, 2));
    painter.drawRect(m_frame.adjusted(-2, -2, 2, 2)); // the page has the focus
    const QPointF at(m_frame.x() + m_cursor.x() * m_frame.width(),
                     m_frame.y() + m_cursor.y() * m_frame.height());
    // A white halo keeps the ring visible on dark print.
    painter.setPen(QPen(Qt::white, 4));
    painter.drawEllipse(at, 7, 7);
    painter.setPen(QPen(accent, 2));
    painter.drawEllipse(at, 7, 7);
    painter.drawLine(at - QPointF(11, 0), at + QPointF(11, 0));
    painter.drawLine(at - QPointF(0, 11), at + QPointF(0, 11));
}

void SignCanvas::describe()
{
    const auto& file = m_tool.signFile();
    const QString name = file ? SignPager::pageText(m_tool.signPage(), file->pageCount) : QString();
    // A screen reader on the page speaks the new name when the pager turns it.
    if (name != accessibleName()) {
        setAccessibleName(name);
    }
    const QLocale locale = AppLanguages::locale();
    const QString description =
        tr("İmleç soldan %1, üstten %2. Ok tuşları imleci taşır; Enter seçilen imzayı "
           "buraya koyar.")
            .arg(Formatting::percent(m_cursor.x(), locale),
                 Formatting::percent(m_cursor.y(), locale));
    if (description != accessibleDescription()) {
        setAccessibleDescription(description);
    }
}

void SignCanvas::placeAtCursor(const SavedSignature& signature)
{
    m_tool.place(signature);
    const auto& id = m_tool.selectedPlacement();
    PlacementView* view = id ? m_views.value(*id) : nullptr;
    if (!view) {
        return; // no document
    }
    const QRectF rect = view->placement().rect;
    m_tool.movePlacement(*id, rect, m_cursor - rect.topLeft());
    focusSelected();
}

void SignCanvas::focusSelected()
{
    const auto& id = m_tool.selectedPlacement();
    if (PlacementView* view = id ? m_views.value(*id) : nullptr) {
        view->setFocus(Qt::OtherFocusReason);
    }
}

void SignCanvas::focusInEvent(QFocusEvent* event)
{
    m_showCursor = event->reason() != Qt::MouseFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void SignCanvas::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
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
        m_tool.setSelectedPlacement(std::nullopt);
    }
    m_pressOnPaper = false;
}

void SignCanvas::keyPressEvent(QKeyEvent* event)
{
    const std::optional<QPointF> move = PlacementView::arrowMove(*event);
    if (!move) {
        const bool place = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                           event->key() == Qt::Key_Space;
        if (!place) {
            QWidget::keyPressEvent(event);
        } else if (m_tool.signFile()) {
            emit placeRequested();
        }
        return;
    }
    m_cursor = QPointF(std::clamp(m_cursor.x() + move->x(), 0.0, 1.0),
                       std::clamp(m_cursor.y() + move->y(), 0.0, 1.0));
    m_showCursor = true;
    describe();
    update();
}
