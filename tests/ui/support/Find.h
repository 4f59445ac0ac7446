#pragma once

#include <QAbstractButton>
#include <QString>
#include <QWidget>

// Reaches a window's parts the way an assistive tool does: by object name, accessible name, or
// the text a button shows.
namespace Find {

template <class T>
bool called(const T* object, const QString& name)
{
    if (object->objectName() == name) {
        return true;
    }
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (widget && widget->accessibleName() == name) {
        return true;
    }
    const auto* button = qobject_cast<const QAbstractButton*>(object);
    return button && button->text() == name;
}

// The first descendant of `root` of type T called `name`.
template <class T = QWidget>
T* named(const QObject* root, const QString& name)
{
    for (T* child : root->template findChildren<T*>()) {
        if (called(child, name)) {
            return child;
        }
    }
    return nullptr;
}

} // namespace Find
