#include "ui/kit/Accessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

namespace {

// The property a widget's own role is kept in by setRole.
constexpr const char* roleProperty = "leaflowAccessibleRole";

QHash<QString, Accessible::Creator>& creators()
{
    static QHash<QString, Accessible::Creator> table;
    return table;
}

// Qt asks once per class name, from the object's own class up to QObject, until one answers.
QAccessibleInterface* factory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && className == QLatin1String(widget->metaObject()->className())) {
        const QVariant role = widget->property(roleProperty);
        if (role.isValid()) {
            return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
        }
    }
    const auto creator = creators().constFind(className);
    return creator == creators().cend() ? nullptr : (*creator)(object);
}

void installOnce()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

namespace Accessible {

void provide(const char* className, const Creator& create)
{
    installOnce();
    creators().insert(QLatin1String(className), create);
}

void setRole(QWidget* widget, QAccessible::Role role)
{
    installOnce();
    widget->setProperty(roleProperty, static_cast<int>(role));
}

void alert(QWidget* message)
{
    if (!message->isVisible()) {
        return;
    }
    QAccessibleEvent shown(message, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    QAccessibleEvent alerted(message, QAccessible::Alert);
    QAccessible::updateAccessibility(&alerted);
}

void nameChanged(QWidget* widget)
{
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void valueChanged(QWidget* widget, const QVariant& value)
{
    QAccessibleValueChangeEvent event(widget, value);
    QAccessible::updateAccessibility(&event);
}

void stateChanged(QWidget* widget, QAccessible::State changed, int child)
{
    QAccessibleStateChangeEvent event(widget, changed);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

void focusMoved(QWidget* widget, int child)
{
    QAccessibleEvent event(widget, QAccessible::Focus);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

ItemCache::~ItemCache()
{
    for (const QAccessible::Id id : std::as_const(m_ids)) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QAccessibleInterface* ItemCache::item(int index, const std::function<QAccessibleInterface*()>& make)
{
    if (!m_ids.contains(index)) {
        m_ids.insert(index, QAccessible::registerAccessibleInterface(make()));
    }
    return QAccessible::accessibleInterface(m_ids.value(index));
}

int ItemCache::indexOf(const QAccessibleInterface* item) const
{
    for (auto it = m_ids.cbegin(); it != m_ids.cend(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == item) {
            return it.key();
        }
    }
    return -1;
}

} // namespace Accessible
