#include "ui/kit/FileList.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/FileListAccessible.h"
#include "ui/kit/FileRow.h"
#include "ui/kit/QuietScrollBar.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/Theme.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const QString rowFormat = QStringLiteral("application/x-leaflow-file-row");
constexpr int sideMargin = Metrics::pageSide - 8; // rows' highlight reaches 8 past their text
constexpr int autoScrollBand = 28;

} // namespace

// The rows themselves: draws hover, hairlines and the drop indicator, and runs row drags.
class RowColumn : public QWidget {
public:
    explicit RowColumn(FileList* list)
        : QWidget(list), m_list(list), m_layout(new QVBoxLayout(this))
    {
        setObjectName(QStringLiteral("rows"));
        m_layout->setContentsMargins(sideMargin, 2, sideMargin, 12);
        m_layout->setSpacing(1);
        m_layout->addStretch(1);
        setAcceptDrops(list->isReorderable());
        setAutoFillBackground(false);
    }

    QList<QWidget*> rows;
    std::optional<int> gap;
    int hovered = -1;

    void setRows(const QList<QWidget*>& replacement)
    {
        for (QWidget* old : rows) {
            old->hide();
            old->deleteLater();
        }
        rows = replacement;
        hovered = -1;
        gap.reset();
        for (int index = 0; index < rows.size(); ++index) {
            QWidget* row = rows.at(index);
            row->setParent(this);
            row->installEventFilter(this);
            m_layout->insertWidget(index, row);
            row->show();
        }
        update();
    }

    int rowAt(const QPoint& pos) const
    {
        for (int index = 0; index < rows.size(); ++index) {
            if (rows.at(index)->geometry().adjusted(0, -1, 0, 1).contains(pos)) {
                return index;
            }
        }
        return -1;
    }

    int gapAt(int y) const
    {
        for (int index = 0; index < rows.size(); ++index) {
            if (y < rows.at(index)->geometry().center().y()) {
                return index;
            }
        }
        return static_cast<int>(rows.size());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const int index = static_cast<int>(rows.indexOf(static_cast<QWidget*>(watched)));
        if (index >= 0 && event->type() == QEvent::Enter) {
            hovered = index;
            update();
        } else if (index >= 0 && event->type() == QEvent::Leave && hovered == index) {
            hovered = -1;
            update();
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor text = Theme::primary(palette());
        for (int index = 0; index < rows.size(); ++index) {
            const QRect box = rows.at(index)->geometry();
            if (index == hovered && !gap) {
                painter.fillPath(Shapes::continuousRect(QRectF(box), 8),
                                 Theme::withAlpha(text, Theme::isDark(palette()) ? 0.06 : 0.04));
            }
            if (m_list->hasFocus() && index == m_list->currentRow()) {
                painter.setPen(QPen(Theme::withAlpha(Theme::accent(palette()), 0.55), 2));
                painter.setBrush(Qt::NoBrush);
                painter.drawPath(Shapes::continuousRect(QRectF(box).adjusted(1, 1, -1, -1), 8));
            }
            if (index + 1 < rows.size() && index != hovered && index + 1 != hovered) {
                const qreal y = box.bottom() + 1.0;
                painter.fillRect(QRectF(box.left() + 8, y, box.width() - 16, 1),
                                 DS::hairline(palette()));
            }
        }
        if (gap) {
            paintIndicator(painter, *gap);
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton) {
            m_pressRow = rowAt(event->position().toPoint());
            m_pressPos = event->position().toPoint();
            if (m_pressRow >= 0) {
                m_list->setCurrent(m_pressRow);
                event->accept();
                return;
            }
        }
        QWidget::mousePressEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!m_list->isReorderable() || m_pressRow < 0 || !(event->buttons() & Qt::LeftButton)) {
            return;
        }
        if ((event->position().toPoint() - m_pressPos).manhattanLength() <
            QApplication::startDragDistance()) {
            return;
        }
        startDrag(std::exchange(m_pressRow, -1));
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        m_pressRow = -1;
        QWidget::mouseReleaseEvent(event);
    }

    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (m_list->draggedRow(event->mimeData())) {
            event->setDropAction(Qt::MoveAction);
            event->accept();
            showGap(event->position().toPoint());
        } else {
            event->ignore();
        }
    }

    void dragMoveEvent(QDragMoveEvent* event) override
    {
        if (!m_list->draggedRow(event->mimeData())) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::MoveAction);
        event->accept();
        showGap(event->position().toPoint());
        autoScroll(event->position().toPoint());
    }

    void dragLeaveEvent(QDragLeaveEvent*) override
    {
        gap.reset();
        update();
    }

    void dropEvent(QDropEvent* event) override
    {
        const std::optional<int> from = m_list->draggedRow(event->mimeData());
        gap.reset();
        update();
        if (!from) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::MoveAction);
        event->accept();
        m_list->dropRow(*from, gapAt(event->position().toPoint().y()));
    }

private:
    void showGap(const QPoint& pos)
    {
        const int next = gapAt(pos.y());
        if (gap != next) {
            gap = next;
            update();
        }
    }

    void autoScroll(const QPoint& pos)
    {
        QScrollBar* bar = m_list->verticalScrollBar();
        const int top = pos.y() - bar->value();
        if (top < autoScrollBand) {
            bar->setValue(bar->value() - 8);
        } else if (top > m_list->viewport()->height() - autoScrollBand) {
            bar->setValue(bar->value() + 8);
        }
    }

    void paintIndicator(QPainter& painter, int at)
    {
        if (rows.isEmpty()) {
            return;
        }
        const QRect first = rows.first()->geometry();
        qreal y = 0;
        if (at <= 0) {
            y = first.top() - 0.5;
        } else if (at >= rows.size()) {
            y = rows.last()->geometry().bottom() + 1.5;
        } else {
            y = rows.at(at)->geometry().top() - 0.5;
        }
        const QColor accent = Theme::accent(palette());
        painter.setPen(QPen(accent, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(first.left() + 12, y), QPointF(first.right() - 4, y));
        painter.setBrush(DS::canvas(palette()));
        painter.drawEllipse(QPointF(first.left() + 8, y), 3.5, 3.5);
    }

    void startDrag(int index)
    {
        if (index < 0 || index >= rows.size()) {
            return;
        }
        QWidget* row = rows.at(index);
        auto* drag = new QDrag(this);
        drag->setMimeData(m_list->rowMime(index).release());
        QPixmap picture = row->grab();
        drag->setPixmap(picture);
        drag->setHotSpot(m_pressPos - row->pos());
        // The row stays in place, dimmed, until it lands somewhere new.
        QPointer<QWidget> source = row;
        auto* dim = new QGraphicsOpacityEffect(row);
        dim->setOpacity(0.35);
        row->setGraphicsEffect(dim);
        drag->exec(Qt::MoveAction, Qt::MoveAction);
        if (source) {
            source->setGraphicsEffect(nullptr);
        }
        gap.reset();
        update();
    }

    FileList* m_list;
    QVBoxLayout* m_layout;
    int m_pressRow = -1;
    QPoint m_pressPos;
};

FileListRow::FileListRow(QWidget* parent) : QWidget(parent)
{
    FileListAccessible::provide();
}

FileList::FileList(bool reorderable, QWidget* parent)
    : QScrollArea(parent), m_reorderable(reorderable), m_column(new RowColumn(this))
{
    FileListAccessible::provide();
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(m_column);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    quietScrollBar(this);
    setAutoFillBackground(false);
}

void FileList::setRows(const QList<QWidget*>& rows)
{
    m_column->setRows(rows);
    setRemovable(m_removable);
    // The current row stays where it was, on the file that moved there or took a removed one's
    // place.
    setCurrent(std::min(m_current, count() - 1));
}

std::optional<int> FileList::currentRow() const
{
    return count() > 0 ? std::optional<int>(m_current) : std::nullopt;
}

void FileList::setRemovable(bool removable)
{
    m_removable = removable;
    for (QWidget* row : m_column->rows) {
        if (auto* fileRow = qobject_cast<FileRow*>(row)) {
            fileRow->setRemovable(removable);
        }
    }
}

void FileList::setCurrent(int index)
{
    m_current = std::max(index, 0);
    if (QWidget* shown = row(m_current)) {
        m_column->layout()->activate();
        ensureWidgetVisible(shown, 0, 8);
    }
    m_column->update();
    announceCurrent();
}

void FileList::announceCurrent()
{
    QWidget* current = row(m_current);
    if (current == m_announced) {
        return;
    }
    const QAccessible::State changed = [] {
        QAccessible::State state;
        state.selected = true;
        state.focused = true;
        return state;
    }();
    if (m_announced && m_column->rows.contains(m_announced)) {
        Accessible::stateChanged(m_announced, changed);
    }
    m_announced = current;
    if (!current) {
        return;
    }
    Accessible::stateChanged(current, changed);
    // A moved file's row is built anew with its new position in its name; landing on it says so.
    if (hasFocus()) {
        QAccessibleEvent focus(current, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void FileList::carryCurrent(int by)
{
    const int from = m_current;
    const int to = std::clamp(from + by, 0, count() - 1);
    if (!m_reorderable || to == from) {
        return;
    }
    // The file keeps the keyboard's attention at its new place.
    m_current = to;
    emit moved(from, to);
}

void FileList::removeCurrent()
{
    if (auto* fileRow = qobject_cast<FileRow*>(row(m_current)); fileRow && m_removable) {
        emit fileRow->removeRequested();
    }
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool carry = modifiers == Qt::AltModifier ||
                       modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
    const int by = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    const bool plain = modifiers == Qt::NoModifier;
    if (count() > 0 && by != 0 && (plain || carry)) {
        carry ? carryCurrent(by) : setCurrent(std::clamp(m_current + by, 0, count() - 1));
    } else if (count() > 0 && event->key() == Qt::Key_Delete && plain) {
        removeCurrent();
    } else {
        QScrollArea::keyPressEvent(event);
    }
}

void FileList::focusInEvent(QFocusEvent* event)
{
    QScrollArea::focusInEvent(event);
    m_column->update();
    // Coming into the list, a screen reader goes on to the row the keys act on; Qt announces the
    // list itself only once this returns.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus()) {
                m_announced.clear();
                announceCurrent();
            }
        },
        Qt::QueuedConnection);
}

void FileList::focusOutEvent(QFocusEvent* event)
{
    QScrollArea::focusOutEvent(event);
    m_column->update();
}

int FileList::count() const
{
    return static_cast<int>(m_column->rows.size());
}

QWidget* FileList::row(int index) const
{
    return m_column->rows.value(index);
}

std::unique_ptr<QMimeData> FileList::rowMime(int index) const
{
    auto mime = std::make_unique<QMimeData>();
    // The list's address tells a row of this list from a row of any other.
    const QByteArray payload =
        QByteArray::number(reinterpret_cast<quintptr>(this)) + ':' + QByteArray::number(index);
    mime->setData(rowFormat, payload);
    return mime;
}

std::optional<int> FileList::draggedRow(const QMimeData* mime) const
{
    if (!m_reorderable || !mime || !mime->hasFormat(rowFormat)) {
        return std::nullopt;
    }
    const QList<QByteArray> parts = mime->data(rowFormat).split(':');
    if (parts.size() != 2 || parts.at(0) != QByteArray::number(reinterpret_cast<quintptr>(this))) {
        return std::nullopt;
    }
    bool ok = false;
    const int index = parts.at(1).toInt(&ok);
    if (!ok || index < 0 || index >= count()) {
        return std::nullopt;
    }
    return index;
}

int FileList::gapAt(int y) const
{
    return m_column->gapAt(y);
}

std::optional<int> FileList::indicatedGap() const
{
    return m_column->gap;
}

void FileList::dropRow(int from, int gap)
{
    // A gap after the dragged row counts the row itself once too many.
    const int to = gap > from ? gap - 1 : gap;
    if (to != from) {
        m_current = to;
        emit moved(from, to);
    }
}
