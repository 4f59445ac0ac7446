#include "ui/kit/TabOrder.h"

#include <QLayout>
#include <QScrollArea>
#include <QSet>
#include <QWidget>

namespace {

void visit(QWidget& widget, QList<QWidget*>& found);

void collectLaidOut(const QLayout& layout, QList<QWidget*>& found, QSet<const QWidget*>& placed)
{
    for (int index = 0; index < layout.count(); ++index) {
        QLayoutItem* item = layout.itemAt(index);
        if (QWidget* widget = item->widget()) {
            placed.insert(widget);
            visit(*widget, found);
        } else if (const QLayout* inner = item->layout()) {
            collectLaidOut(*inner, found, placed);
        }
    }
}

// The widget's children that are laid out, in their layout's order; then the others.
void collect(const QWidget& widget, QList<QWidget*>& found)
{
    QSet<const QWidget*> placed;
    if (const QLayout* layout = widget.layout()) {
        collectLaidOut(*layout, found, placed);
    }
    // Children outside any layout (a scroll area's viewport, a control's own parts) come after.
    for (QObject* child : widget.children()) {
        auto* inner = qobject_cast<QWidget*>(child);
        if (inner && !inner->isWindow() && !placed.contains(inner)) {
            visit(*inner, found);
        }
    }
}

void visit(QWidget& widget, QList<QWidget*>& found)
{
    // A control that hands its focus to a part of it comes first: Qt moves them together.
    if (widget.focusPolicy() & Qt::TabFocus) {
        found.append(&widget);
    }
    collect(widget, found);
}

} // namespace

namespace TabOrder {

void followLayout(const QWidget& root)
{
    QList<QWidget*> order;
    collect(root, order);
    for (qsizetype index = 1; index < order.size(); ++index) {
        QWidget::setTabOrder(order.at(index - 1), order.at(index));
    }
}

void reveal(QWidget* widget)
{
    for (QWidget* outer = widget ? widget->parentWidget() : nullptr; outer;
         outer = outer->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(outer)) {
            area->ensureWidgetVisible(widget);
        }
    }
}

} // namespace TabOrder
