#pragma once

#include <QAccessible>
#include <QHash>
#include <QString>

#include <functional>

class QAccessibleInterface;
class QObject;
class QWidget;

// How the kit's custom-drawn widgets describe themselves to assistive technology.
namespace Accessible {

using Creator = std::function<QAccessibleInterface*(QObject*)>;

// Serves `create` for objects of the class named `className` (and its subclasses, unless they
// have their own). A widget class calls this from its constructor, so the window and the tests
// describe it the same way without a central list; later calls for the same class do nothing.
void provide(const char* className, const Creator& create);

// Gives a plain widget a role of its own (an alert, a list, a group) with the accessible name
// the widget carries; for widgets that need nothing more than that. Both this and provide must
// come before anything names the widget: naming it makes Qt build and keep its own interface.
void setRole(QWidget* widget, QAccessible::Role role);

// Tells assistive technology that `message`, which should carry the alert role, has just
// appeared or changed: screen readers speak an alert as it shows, wherever the focus is.
void alert(QWidget* message);

// Tells assistive technology that `widget`'s name, value or state changed, so that a screen
// reader on it speaks the new one; `child` names one of its items instead (a segment, a row).
void nameChanged(QWidget* widget);
void valueChanged(QWidget* widget, const QVariant& value);
void stateChanged(QWidget* widget, QAccessible::State changed, int child = -1);
// Tells assistive technology that the keyboard focus is now on the widget's item `child`.
void focusMoved(QWidget* widget, int child);

// The items of a custom-drawn widget's interface (segments, tabs), made on first request and
// kept by Qt's cache under stable ids, so that a screen reader can hold on to one; they go with
// the interface that owns them.
class ItemCache {
public:
    ItemCache() = default;
    ~ItemCache();
    ItemCache(const ItemCache&) = delete;
    ItemCache& operator=(const ItemCache&) = delete;

    // The item at `index`, made by `make` the first time it is asked for.
    QAccessibleInterface* item(int index, const std::function<QAccessibleInterface*()>& make);
    // Where `item` is, or -1 for an item this cache did not make.
    int indexOf(const QAccessibleInterface* item) const;

private:
    QHash<int, QAccessible::Id> m_ids;
};

} // namespace Accessible
