#include "TabBarAccess.h"

#include "Accessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTabBar>
#include <QWidget>

namespace {

// One tab, an item of its bar with no object of its own.
class TabAccess : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TabAccess(QTabBar* bar, int index) : m_bar(bar), m_index(index) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    bool isValid() const override { return m_bar && m_index < m_bar->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_bar ? m_bar->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_bar.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QString text(QAccessible::Text type) const override
    {
        if (!isValid()) {
            return {};
        }
        switch (type) {
        case QAccessible::Name: return m_bar->tabText(m_index).remove(QLatin1Char('&'));
        case QAccessible::Description: return m_bar->tabToolTip(m_index);
        default: return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        return isValid() ? m_bar->tabRect(m_index).translated(m_bar->mapToGlobal(QPoint()))
                         : QRect();
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const bool current = m_bar->currentIndex() == m_index;
        state.focusable = true;
        state.selectable = true;
        state.selected = current;
        state.focused = current && m_bar->hasFocus();
        state.invisible = !m_bar->isVisible() || !m_bar->isTabVisible(m_index);
        state.disabled = !m_bar->isTabEnabled(m_index);
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && isValid()) {
            m_bar->setCurrentIndex(m_index);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int index() const { return m_index; }

private:
    QPointer<QTabBar> m_bar;
    int m_index;
};

class BarAccess : public QAccessibleWidget {
public:
    explicit BarAccess(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
    ~BarAccess() override
    {
        for (const QAccessible::Id id : std::as_const(m_tabs)) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    BarAccess(const BarAccess&) = delete;
    BarAccess& operator=(const BarAccess&) = delete;

    int childCount() const override { return bar()->count(); }
    // Kept by the cache under a stable id, so a screen reader can hold on to a tab.
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= bar()->count()) {
            return nullptr;
        }
        if (const QAccessible::Id id = m_tabs.value(index)) {
            return QAccessible::accessibleInterface(id);
        }
        auto* tab = new TabAccess(bar(), index);
        m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (auto it = m_tabs.cbegin(); it != m_tabs.cend(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child) {
                return it.key();
            }
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const int index = bar()->tabAt(bar()->mapFromGlobal(QPoint(x, y)));
        return child(index);
    }
    QAccessibleInterface* focusChild() const override
    {
        return bar()->hasFocus() ? child(bar()->currentIndex()) : nullptr;
    }

private:
    QTabBar* bar() const { return static_cast<QTabBar*>(widget()); }

    mutable QHash<int, QAccessible::Id> m_tabs;
};

} // namespace

namespace TabBarAccess {

void install()
{
    Accessible::provide("QTabBar", [](QObject* object) {
        return new BarAccess(static_cast<QTabBar*>(object));
    });
}

} // namespace TabBarAccess
