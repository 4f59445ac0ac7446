#pragma once

#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <memory>
#include <optional>

class QMimeData;
class RowColumn;

// A row of a FileList. Assistive technology reads it as one item of the list, by its accessible
// name, which the row keeps saying everything it shows.
class FileListRow : public QWidget {
    Q_OBJECT
public:
    explicit FileListRow(QWidget* parent = nullptr);
};

// A list of file rows on the page's own background, with hairlines between rows;
// rows can optionally be dragged to a new place. From the keyboard, ↑ and ↓ choose the current
// row (ringed while the list has the focus), Alt+↑/↓ or Ctrl+Shift+↑/↓ carry it, Delete removes it.
// A screen reader hears the list by its accessible name (the screen's), and each row it lands on.
class FileList : public QScrollArea {
    Q_OBJECT
public:
    explicit FileList(bool reorderable, QWidget* parent = nullptr);

    // Replaces the rows; the list takes ownership.
    void setRows(const QList<QWidget*>& rows);
    int count() const;
    QWidget* row(int index) const;
    bool isReorderable() const { return m_reorderable; }
    // The row the keys act on; none while the list is empty.
    std::optional<int> currentRow() const;
    // Whether the rows' files may be removed now (not while their tool runs).
    void setRemovable(bool removable);

    // The drag data that carries row `index` of this list.
    std::unique_ptr<QMimeData> rowMime(int index) const;
    // The row a drag carries, when it comes from this list.
    std::optional<int> draggedRow(const QMimeData* mime) const;
    // Where a row dropped at y (in the rows' coordinates) goes in, as a gap between rows (0…count).
    int gapAt(int y) const;
    // The gap the indicator shows during a drag; none otherwise.
    std::optional<int> indicatedGap() const;

signals:
    // Row `from` should end up at position `to` (QList::move semantics).
    void moved(int from, int to);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class RowColumn;
    void dropRow(int from, int gap);
    void setCurrent(int index);
    void carryCurrent(int by);
    void removeCurrent();
    // Tells assistive technology which row is current now, when another (or a rebuilt) one is.
    void announceCurrent();

    bool m_reorderable;
    bool m_removable = true;
    int m_current = 0;
    QPointer<QWidget> m_announced;
    RowColumn* m_column;
};
