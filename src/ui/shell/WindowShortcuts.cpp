#include "ui/shell/WindowShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <algorithm>

WindowShortcuts::WindowShortcuts(QMainWindow& window) : QObject(&window), m_window(window)
{
    qApp->installEventFilter(this);
}

bool WindowShortcuts::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != &m_window) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!isWindowShortcut(QKeySequence(key->keyCombination()))) {
        return false;
    }
    // An ignored override lets the key go on to the shortcut instead of the focused widget.
    event->ignore();
    return true;
}

bool WindowShortcuts::isWindowShortcut(const QKeySequence& pressed) const
{
    const QList<QAction*> actions = m_window.menuBar()->findChildren<QAction*>();
    return std::any_of(actions.begin(), actions.end(), [&pressed](const QAction* action) {
        const QList<QKeySequence> shortcuts = action->shortcuts();
        return action->isEnabled() && shortcuts.contains(pressed);
    });
}
