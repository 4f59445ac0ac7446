#include "ui/screens/PageGrid.h"

#include "store/Store.h"
#include "ui/kit/FlowGrid.h"
#include "ui/kit/QuietScrollBar.h"
#include "ui/kit/Theme.h"
#include "ui/screens/PageCellDelegate.h"
#include "ui/screens/PageGridModel.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace {

constexpr int halfGap = PageGrid::gap / 2;
constexpr int wheelStep = 40;

} // namespace

PageGrid::PageGrid(Store& store, QWidget* parent, Picking picking)
    : QListView(parent), m_store(store), m_picking(picking), m_model(new PageGridModel(this))
{
    setModel(m_model);
    setItemDelegate(new PageCellDelegate(*this));
    // Each cell carries half the gap on every side, so neighbouring cells are
    // a whole gap apart and the view lays them out edge to edge.
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setSpacing(0);
    // Several cells may be selected (the marked pages), so a screen reader's Toggle acts.
    setSelectionMode(picking == Picking::marks ? QAbstractItemView::MultiSelection
                                               : QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(wheelStep);
    quietScrollBar(this);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    setAccessibleName(tr("Sayfalar"));

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && m_picking == Picking::marks) {
            emit toggled(index.row());
        }
    });
    connect(&m_store, &Store::thumbnailReady, this, &PageGrid::imageReady);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PageGrid::selectionAsked);
}

void PageGrid::setFile(const std::optional<PDFFile>& file)
{
    m_files = file ? QList<PDFFile>{*file} : QList<PDFFile>{};
    m_model->setPageCount(file ? static_cast<int>(file->pageCount) : 0);
    showCells(m_model->rowCount());
    scrollToTop();
}

void PageGrid::setPages(const QList<PDFFile>& files, const QList<PDFEngine::OrganizedPage>& cells)
{
    // Another document starts at its top; edits of this one stay where the user is.
    const bool otherDocument = files.value(0).id != m_files.value(0).id;
    m_files = files;
    QStringList names;
    for (const PDFFile& file : files) {
        names << QFileInfo(file.source.path).fileName();
    }
    m_model->setCells(cells, names);
    showCells(static_cast<int>(cells.size()));
    if (otherDocument) {
        scrollToTop();
    }
}

void PageGrid::showCells(int count)
{
    m_requested.clear();
    // The boxes take the first page's proportions as the document has it, whatever turns come.
    m_boxAspect = count > 0 && !m_files.isEmpty() ? m_files.first().displaySize(0)
                                                  : QSizeF(595, 842);
    relayout();
}

void PageGrid::setSelected(const QSet<int>& pages)
{
    m_model->setSelected(pages);
    // The item selection mirrors the marks so assistive tools read cells as selected.
    QItemSelection selection;
    for (const int page : pages) {
        const QModelIndex cell = m_model->index(page);
        if (cell.isValid()) {
            selection.select(cell, cell);
        }
    }
    const QScopedValueRollback mirroring(m_mirroring, true);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void PageGrid::selectionAsked(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (m_mirroring) {
        return;
    }
    if (m_picking == Picking::selection) {
        QSet<int> cells;
        for (const QModelIndex& cell : selectionModel()->selectedIndexes()) {
            cells.insert(cell.row());
        }
        m_model->setSelected(cells);
        emit selectionEdited(cells);
        return;
    }
    QSet<int> pages;
    for (const QModelIndex& cell : selected.indexes() + deselected.indexes()) {
        pages.insert(cell.row());
    }
    for (const int page : pages) {
        emit toggled(page);
    }
    // Whatever the page's owner made of it, the cells read as the pages are marked.
    setSelected(m_model->selected());
}

QItemSelectionModel::SelectionFlags PageGrid::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const
{
    if (m_picking == Picking::selection) {
        return QListView::selectionCommand(index, event);
    }
    return QItemSelectionModel::NoUpdate;
}

int PageGrid::boxHeight(int width) const
{
    const qreal aspect = m_boxAspect.width() / std::max<qreal>(m_boxAspect.height(), 1);
    return qMax(1, qRound(width / std::max<qreal>(aspect, 0.01)));
}

QRect PageGrid::thumbBox() const
{
    return {0, 0, m_cell.width(), boxHeight(m_cell.width())};
}

QRect PageGrid::captionBox() const
{
    const int top = thumbBox().bottom() + 1 + captionGap;
    return {0, top, m_cell.width(), std::max(0, m_cell.height() - top)};
}

QRect PageGrid::cellRect(int page) const
{
    const QRect item = visualRect(m_model->index(page));
    if (!item.isValid()) {
        return {};
    }
    return {item.left() + halfGap, item.top() + halfGap, m_cell.width(), m_cell.height()};
}

const PDFFile* PageGrid::fileOf(const PDFEngine::OrganizedPage& cell) const
{
    return cell.source >= 0 && cell.source < m_files.size() ? &m_files.at(cell.source) : nullptr;
}

QSizeF PageGrid::pageSize(int cell) const
{
    const PDFEngine::OrganizedPage shown = m_model->cell(cell);
    const PDFFile* file = fileOf(shown);
    if (!file) {
        return {595, 842};
    }
    const QSizeF size = file->displaySize(shown.page);
    return shown.quarterTurns % 2 != 0 ? size.transposed() : size;
}

std::optional<QImage> PageGrid::thumbnail(int cell)
{
    const PDFEngine::OrganizedPage shown = m_model->cell(cell);
    const PDFFile* file = fileOf(shown);
    if (!file) {
        return std::nullopt;
    }
    m_requested.insert(Store::thumbnailKey(*file, shown.page, thumbSide));
    return m_store.requestThumbnail(*file, shown.page, thumbSide);
}

void PageGrid::imageReady(const QString& key)
{
    // A page may show in several cells (duplicated): every visible one asks again.
    if (m_requested.contains(key)) {
        viewport()->update();
    }
}

void PageGrid::resizeEvent(QResizeEvent* event)
{
    relayout();
    QListView::resizeEvent(event);
}

void PageGrid::relayout()
{
    const int total = width();
    const int available = qMax(1, total - 2 * Metrics::pageSide);
    const int pages = std::max(m_model->rowCount(), 1);
    const FlowGrid::Columns columns = FlowGrid::columns(available, pages, minimumCell, gap);
    const int cellWidth =
        qMax(1, static_cast<int>(std::min<qreal>(maximumCell, columns.cellWidth)));
    m_columns = columns.count;

    const int captionHeight = QFontMetrics(Theme::font(TextStyle::caption)).height();
    // The box's height follows the new width: the cell must hold the caption under it.
    m_cell = QSize(cellWidth, boxHeight(cellWidth) + captionGap + captionHeight);

    // The cells are centred in the page; the viewport is just wider than the
    // columns (the view wraps before an item whose end passes its last pixel),
    // so it wraps after the last column whether or not the scroll bar shows:
    // it lays out as if the bar were always there.
    const int gridWidth = m_columns * (cellWidth + gap) + 1;
    const int scrollBar =
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    int left = (total - (gridWidth - 1 - gap)) / 2 - halfGap;
    int right = total - left - scrollBar - gridWidth;
    if (right < 0) {
        left = qMax(0, left + right);
        right = 0;
    }
    setViewportMargins(left, 0, right, 0);
    scheduleDelayedItemsLayout();
}

void PageGrid::keyPressEvent(QKeyEvent* event)
{
    m_keyboardFocus = true;
    if (m_picking == Picking::selection) {
        QListView::keyPressEvent(event);
        viewport()->update();
        return;
    }
    // Selecting every cell would mark every page for deletion; Ctrl+A is no way to do that.
    if (event->matches(QKeySequence::SelectAll)) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (currentIndex().isValid()) {
            emit toggled(currentIndex().row());
            event->accept();
            return;
        }
        break;
    default: break;
    }
    QListView::keyPressEvent(event);
    viewport()->update();
}

bool PageGrid::showsFocusRing() const
{
    return hasFocus() && m_keyboardFocus && currentIndex().isValid();
}

void PageGrid::focusInEvent(QFocusEvent* event)
{
    // Returning with the window keeps the ring as it was.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason) {
        m_keyboardFocus = true;
    } else if (reason == Qt::MouseFocusReason) {
        m_keyboardFocus = false;
    }
    QListView::focusInEvent(event);
    // Reached from the keyboard, the grid always has a cell to act on: the one left current
    // before, or the first page in view.
    if (m_keyboardFocus && !currentIndex().isValid() && m_model->rowCount() > 0) {
        QModelIndex first = indexAt(QPoint(PageGrid::gap, PageGrid::gap));
        if (!first.isValid()) {
            first = m_model->index(0);
        }
        selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    }
    viewport()->update();
}

void PageGrid::focusOutEvent(QFocusEvent* event)
{
    QListView::focusOutEvent(event);
    viewport()->update();
}

void PageGrid::mousePressEvent(QMouseEvent* event)
{
    m_keyboardFocus = false;
    QListView::mousePressEvent(event);
}
