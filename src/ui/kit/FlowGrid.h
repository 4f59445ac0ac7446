#pragma once

#include <QLayout>
#include <QList>
#include <QRectF>
#include <optional>

// A layout of equal columns: as many as fit at `minimum` width, stretched to fill, rows as tall as their tallest item.
class FlowGrid : public QLayout {
    Q_OBJECT
public:
    struct Columns {
        int count = 1;
        qreal cellWidth = 0;
    };

    FlowGrid(qreal minimum, qreal spacing, QWidget* parent = nullptr);
    ~FlowGrid() override;

    qreal minimum() const { return m_minimum; }
    qreal gridSpacing() const { return m_spacing; }

    // The columns for `width` and `items` subviews.
    static Columns columns(qreal width, int items, qreal minimum, qreal spacing);
    // The grid's size for a proposed width, or for its natural width when there is none.
    QSizeF measure(std::optional<qreal> proposedWidth) const;
    // The frame of every visible item inside `bounds`, in item order.
    QList<QRectF> place(const QRectF& bounds) const;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    void setGeometry(const QRect& rect) override;

private:
    QList<QLayoutItem*> visibleItems() const;
    // The height of each row when every cell is `cellWidth` wide.
    QList<qreal> rowHeights(const QList<QLayoutItem*>& items, const Columns& columns) const;

    QList<QLayoutItem*> m_items;
    qreal m_minimum;
    qreal m_spacing;
};
