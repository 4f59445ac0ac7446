#pragma once

#include <QAbstractButton>
#include <QString>
#include <QWidget>

// Reaches a window's parts as an assistive tool does: object name, accessible name, button text.
namespace Find {

// Whether `object` is called `name` by any of those three.
inline bool called(const QObject* object, const QString& name)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    const auto* button = qobject_cast<const QAbstractButton*>(object);
    return object->objectName() == name || (widget && widget->accessibleName() == name) ||
           (button && button->text() == name);
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
