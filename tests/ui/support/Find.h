#pragma once

#include <QAbstractButton>
#include <QString>
#include <QWidget>

// Reaches a window's parts the way an assistive tool does: by object name, accessible name, or
// the text a button shows.
namespace Find {

// The first descendant of `root` of type T called `name`.
template <class T = QWidget>
T* named(const QObject* root, const QString& name)
{
    for (T* child : root->template findChildren<T*>()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        const auto* button = qobject_cast<const QAbstractButton*>(child);
        if (child->objectName() == name || (widget && widget->accessibleName() == name) ||
            (button && button->text() == name)) {
            return child;
        }
    }
    return nullptr;
}

} // namespace Find
