#include "ui/shell/Presence.h"

#include "ui/shell/BackgroundNotice.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

bool counts(const QWidget* widget)
{
    // A message box only says something about a window or the tray; it is no place to work in.
    if (!widget->isWindow() || !widget->isVisible() ||
        widget->windowFlags().testFlag(Qt::FramelessWindowHint) ||
        qobject_cast<const QMessageBox*>(widget)) {
        return false;
    }
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

} // namespace

Presence::Presence(BackgroundNotice& notice, QObject* parent) : QObject(parent), m_notice(notice) {}

void Presence::start()
{
    if (m_started) {
        return;
    }
    m_started = true;
    qApp->installEventFilter(this);
}

bool Presence::hasAppWindow(const QWidget* excluded)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [excluded](const QWidget* window) {
        return window != excluded && counts(window);
    });
}

void Presence::update(const QWidget* excluded)
{
    const bool has = hasAppWindow(excluded);
    if (has == m_has) {
        return;
    }
    m_has = has;
    if (has) {
        m_notice.hide();
    } else {
        m_notice.show();
    }
}

bool Presence::eventFilter(QObject* watched, QEvent* event)
{
    // Every event of the application passes here: the cheap test first.
    const QEvent::Type type = event->type();
    if (type != QEvent::Hide && type != QEvent::Show && type != QEvent::WindowActivate) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !widget->isWindow()) {
        return false;
    }
    if (type == QEvent::Hide) {
        // Still listed while its hiding is under way; look again once it is done.
        QTimer::singleShot(0, this, [this] { update(); });
    } else {
        update();
    }
    return false;
}
