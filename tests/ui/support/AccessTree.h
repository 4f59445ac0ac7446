#pragma once

#include <QAccessible>
#include <QApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <functional>

// Reads a window the way a screen reader does, through Qt's accessibility interfaces: roles,
// names, states, the Tab order and the events announced.
namespace AccessTree {

inline QString name(QAccessibleInterface* node)
{
    return node ? node->text(QAccessible::Name) : QString();
}

inline QAccessibleInterface* of(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Every node under `root`, depth first, the root included.
inline void walk(QAccessibleInterface* root,
                 const std::function<void(QAccessibleInterface*)>& visit)
{
    if (!root) {
        return;
    }
    visit(root);
    for (int i = 0; i < root->childCount(); ++i) {
        walk(root->child(i), visit);
    }
}

// The first node under `root` with this role and name.
inline QAccessibleInterface* find(QObject* root, QAccessible::Role role, const QString& name)
{
    QAccessibleInterface* found = nullptr;
    walk(of(root), [&](QAccessibleInterface* node) {
        if (!found && node->role() == role && node->text(QAccessible::Name) == name) {
            found = node;
        }
    });
    return found;
}

// Every node under `root` with this role that is on screen.
inline QList<QAccessibleInterface*> all(QObject* root, QAccessible::Role role)
{
    QList<QAccessibleInterface*> found;
    walk(of(root), [&](QAccessibleInterface* node) {
        if (node->role() == role && !node->state().invisible) {
            found.append(node);
        }
    });
    return found;
}

// The node that has the keyboard focus: the focused widget, or its focused item (a list's row,
// a canvas's placement).
inline QAccessibleInterface* focused()
{
    QAccessibleInterface* node = of(QApplication::focusWidget());
    while (node) {
        QAccessibleInterface* inner = node->focusChild();
        if (!inner || inner == node) {
            break;
        }
        node = inner;
    }
    return node;
}

// The names of the nodes Tab lands on, `steps` presses from the current focus.
inline QStringList tabOrder(int steps)
{
    QStringList names;
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names.append(name(focused()));
    }
    return names;
}

// The accessibility events sent while it lives; makes Qt deliver them without a bridge.
class EventLog {
public:
    struct Entry {
        QAccessible::Event type;
        QObject* object;
        int child;
        QString name; // the node's name when the event was sent
    };

    EventLog()
    {
        current() = this;
        m_previous = QAccessible::installUpdateHandler(&EventLog::record);
        // Without a screen reader on the bus Qt drops every event before any handler sees it.
        if (QPlatformAccessibility* platform =
                QGuiApplicationPrivate::platformIntegration()->accessibility()) {
            platform->setActive(true);
        }
    }
    ~EventLog()
    {
        QAccessible::installUpdateHandler(m_previous);
        current() = nullptr;
    }
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    const QList<Entry>& entries() const { return m_entries; }
    void clear() { m_entries.clear(); }
    // The names of the nodes that sent an event of this type.
    QStringList names(QAccessible::Event type) const
    {
        QStringList found;
        for (const Entry& entry : m_entries) {
            if (entry.type == type) {
                found.append(entry.name);
            }
        }
        return found;
    }

private:
    static EventLog*& current()
    {
        static EventLog* log = nullptr;
        return log;
    }
    static void record(QAccessibleEvent* event)
    {
        if (EventLog* log = current()) {
            QAccessibleInterface* node = event->accessibleInterface();
            log->m_entries.append({event->type(), event->object(), event->child(), name(node)});
        }
    }

    QList<Entry> m_entries;
    QAccessible::UpdateHandler m_previous = nullptr;
};

} // namespace AccessTree
