#include "ui/screens/OrganizeGrid.h"

#include "ui/kit/Theme.h"
#include "ui/kit/ToolPage.h"
#include "ui/screens/PageGridModel.h"

#include <QDrag>
#include <QDropEvent>
#include <QPainter>

OrganizeGrid::OrganizeGrid(Store& store, QWidget* parent)
    : PageGrid(store, parent, Picking::selection)
{
    pageModel()->setDraggable(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(false);
    // Files dropped on the cells go in where they fall, not at the end as elsewhere on the page.
    viewport()->setProperty(ToolPage::takesOwnDrops, true);
}

int OrganizeGrid::insertionAt(QPoint point) const
{
    const QModelIndex under = indexAt(point);
    if (!under.isValid()) {
        return model()->rowCount();
    }
    const QRect item = visualRect(under);
    return point.x() < item.center().x() ? under.row() : under.row() + 1;
}

QRect OrganizeGrid::insertionBar(int before) const
{
    const int count = model()->rowCount();
    if (count == 0) {
        return {};
    }
    // The bar stands in the gap before the cell, or after the last one.
    const bool atEnd = before >= count;
    const QRect cell = cellRect(atEnd ? count - 1 : std::max(before, 0));
    if (!cell.isValid()) {
        return {};
    }
    const int x = atEnd ? cell.right() + 1 + gap / 2 : cell.left() - gap / 2;
    return {x - barWidth / 2, cell.top(), barWidth, thumbBox().height()};
}

void OrganizeGrid::startDrag(Qt::DropActions)
{
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty()) {
        return;
    }
    std::sort(cells.begin(), cells.end());
    auto* drag = new QDrag(this);
    drag->setMimeData(model()->mimeData(cells));
    const QRect first = cellRect(cells.first().row());
    if (first.isValid()) {
        drag->setPixmap(viewport()->grab(thumbBox().translated(first.topLeft())));
        drag->setHotSpot(QPoint(thumbBox().width() / 2, thumbBox().height() / 2));
    }
    drag->exec(Qt::MoveAction);
}

bool OrganizeGrid::follow(QDropEvent* event)
{
    const bool cells = !PageGridModel::positions(event->mimeData()).isEmpty();
    if (!cells && ToolPage::localFiles(event->mimeData()).isEmpty()) {
        setInsertion(std::nullopt);
        event->ignore();
        return false;
    }
    event->setDropAction(cells ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    setInsertion(insertionAt(event->position().toPoint()));
    return true;
}

void OrganizeGrid::dragEnterEvent(QDragEnterEvent* event)
{
    follow(event);
}

void OrganizeGrid::dragMoveEvent(QDragMoveEvent* event)
{
    if (!follow(event)) {
        return;
    }
    const int y = event->position().toPoint().y();
    if (hasAutoScroll() &&
        (y < autoScrollMargin() || y > viewport()->height() - autoScrollMargin())) {
        startAutoScroll();
    }
}

void OrganizeGrid::dragLeaveEvent(QDragLeaveEvent*)
{
    stopAutoScroll();
    setInsertion(std::nullopt);
}

void OrganizeGrid::dropEvent(QDropEvent* event)
{
    stopAutoScroll();
    if (!follow(event)) {
        return;
    }
    const int before = *m_insertion;
    setInsertion(std::nullopt);
    const QList<int> positions = PageGridModel::positions(event->mimeData());
    if (!positions.isEmpty()) {
        emit moveRequested(positions, before);
    } else {
        emit filesDropped(ToolPage::localFiles(event->mimeData()), before);
    }
}

void OrganizeGrid::setInsertion(std::optional<int> before)
{
    if (before != m_insertion) {
        m_insertion = before;
        viewport()->update();
    }
}

void OrganizeGrid::paintEvent(QPaintEvent* event)
{
    PageGrid::paintEvent(event);
    if (!m_insertion) {
        return;
    }
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::accent(palette()));
    painter.drawRoundedRect(QRectF(insertionBar(*m_insertion)), barWidth / 2.0, barWidth / 2.0);
}
