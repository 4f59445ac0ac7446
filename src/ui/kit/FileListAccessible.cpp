#include "ui/kit/FileListAccessible.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/FileList.h"

#include <QAccessibleWidget>
#include <utility>

namespace {

// The list the row is in, if it is in one yet.
FileList* listOf(const QWidget* row)
{
    for (QWidget* above = row->parentWidget(); above; above = above->parentWidget()) {
        if (auto* list = qobject_cast<FileList*>(above)) {
            return list;
        }
    }
    return nullptr;
}

// The list's children are its rows alone: the viewport and scroll bars around them say nothing.
class ListInterface : public QAccessibleWidget {
public:
    explicit ListInterface(FileList* list) : QAccessibleWidget(list, QAccessible::List) {}

    FileList* list() const { return static_cast<FileList*>(widget()); }

    int childCount() const override { return list()->count(); }

    QAccessibleInterface* child(int index) const override
    {
        QWidget* row = list()->row(index);
        return row ? QAccessible::queryAccessibleInterface(row) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int index = 0; index < list()->count(); ++index) {
            if (child && child->object() == list()->row(index)) {
                return index;
            }
        }
        return -1;
    }

    // With the keyboard in the list, the current row is where it acts.
    QAccessibleInterface* focusChild() const override
    {
        const std::optional<int> current = list()->currentRow();
        if (list()->hasFocus() && current) {
            return child(*current);
        }
        return QAccessibleWidget::focusChild();
    }
};

class RowInterface : public QAccessibleWidget {
public:
    explicit RowInterface(QWidget* row) : QAccessibleWidget(row, QAccessible::ListItem) {}

    QAccessibleInterface* parent() const override
    {
        FileList* list = listOf(widget());
        return list ? QAccessible::queryAccessibleInterface(list) : QAccessibleWidget::parent();
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.focusable = true;
        if (const FileList* list = listOf(widget());
            list && list->currentRow() && list->row(*list->currentRow()) == widget()) {
            state.selected = true;
            state.focused = list->hasFocus();
        }
        return state;
    }
};

} // namespace

namespace FileListAccessible {

void provide()
{
    static bool provided = false;
    if (std::exchange(provided, true)) {
        return;
    }
    Accessible::provide("FileList", [](QObject* object) -> QAccessibleInterface* {
        return new ListInterface(static_cast<FileList*>(object));
    });
    Accessible::provide("FileListRow", [](QObject* object) -> QAccessibleInterface* {
        return new RowInterface(static_cast<QWidget*>(object));
    });
}

} // namespace FileListAccessible
