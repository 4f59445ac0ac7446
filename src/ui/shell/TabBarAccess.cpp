#include "ui/shell/TabBarAccess.h"

#include "ui/kit/Accessible.h"

#include <QAccessibleWidget>
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
    int childCount() const override { return bar()->count(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= bar()->count()) {
            return nullptr;
        }
        return m_tabs.item(index, [&] { return new TabAccess(bar(), index); });
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return m_tabs.indexOf(child);
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

    mutable Accessible::ItemCache m_tabs;
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
