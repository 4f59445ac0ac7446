#include "ui/shell/TrayPresence.h"

#include "store/Dialogs.h"
#include "store/Store.h"
#include "ui/kit/Icons.h"
#include "ui/shell/BackgroundNotice.h"
#include "ui/shell/Navigation.h"
#include "ui/shell/Notifier.h"
#include "ui/shell/Presence.h"
#include "ui/shell/ShellWindows.h"
#include "ui/shell/TrayPopup.h"
#include "ui/shell/TrayWatch.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QSystemTrayIcon>
#include <utility>

namespace {

constexpr int gap = 4;

} // namespace

TrayPresence::TrayPresence(Store& store, ShellWindows& windows, Notifier& notifier,
                           Action showWindow, Action quit, QObject* parent)
    : QObject(parent), m_store(store), m_windows(windows), m_notifier(notifier),
      m_showWindow(std::move(showWindow)), m_quit(std::move(quit)),
      m_notice(new BackgroundNotice(
          {}, [this] { return m_icon ? m_icon->geometry() : QRect(); }, this))
{
    followRuns();
}

TrayPresence::~TrayPresence()
{
    if (m_popup) {
        m_popup->deleteLater();
    }
}

bool TrayPresence::setTrayAvailable(bool available)
{
    // Without a tray the application would be left running out of reach.
    QApplication::setQuitOnLastWindowClosed(!available);
    if (!available) {
        const bool hadIcon = m_icon != nullptr;
        delete m_icon;
        m_icon = nullptr;
        delete m_presence;
        m_presence = nullptr;
        m_notice->hide();
        if (hadIcon && !Presence::hasAppWindow()) {
            m_showWindow();
        }
        return false;
    }
    if (!m_icon) {
        // Dialogs are drawn in either shade; a mid grey reads on both.
        m_icon =
            new QSystemTrayIcon(Icons::icon(QStringLiteral("doc.text"), QColor(0x9a, 0x9a, 0x9a)),
                                this);
        m_icon->setToolTip(QStringLiteral("Leaflow"));
        connect(m_icon, &QSystemTrayIcon::activated, this, [this] { openPopup(); });
        m_icon->show();
        m_presence = new Presence(*m_notice, this);
        m_presence->start();
    }
    return true;
}

void TrayPresence::follow(TrayWatch& watch)
{
    connect(&watch, &TrayWatch::availableChanged, this, &TrayPresence::setTrayAvailable);
    setTrayAvailable(watch.available());
}

void TrayPresence::followRuns()
{
    connect(&m_store, &Store::busyChanged, this, [this] {
        const std::optional<QString> ended = std::exchange(m_running, m_store.busy());
        if (!ended || m_running || Presence::hasAppWindow()) {
            return;
        }
        // A cancelled run leaves no banner, and nothing to tell.
        if (const std::optional<Banner> banner = m_store.banner(*ended)) {
            m_notifier.notify(banner->text, QString(), [this, page = *ended] {
                Navigation::setCurrent(page);
                m_showWindow();
            });
        }
    });
}

void TrayPresence::reveal(const QStringList& paths)
{
    // The popup is gone and the window may be closed: the failure is told through the desktop.
    m_store.fileReveal().reveal(paths, [notifier = &m_notifier, paths] {
        notifier->notify(Store::revealFailure(paths), QString(), {});
    });
}

void TrayPresence::openPopup()
{
    if (!m_popup) {
        m_popup = new TrayPopup(m_store);
        m_popup->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_popup, &TrayPopup::toolChosen, this, [this](const QString& tool) {
            Navigation::setCurrent(tool);
            m_showWindow();
        });
        connect(m_popup, &TrayPopup::openRequested, this, [this] { m_showWindow(); });
        connect(m_popup, &TrayPopup::settingsRequested, &m_windows, &ShellWindows::showSettings);
        connect(m_popup, &TrayPopup::quitRequested, this, [this] { m_quit(); });
        connect(m_popup, &TrayPopup::revealRequested, this, &TrayPresence::reveal);
    } else {
        m_popup->refresh();
    }
    const QRect icon = m_icon ? m_icon->geometry() : QRect();
    const QPoint pointer = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(icon.isEmpty() ? pointer : icon.center());
    screen = screen ? screen : QGuiApplication::primaryScreen();
    if (screen) {
        m_popup->move(popupPlace(screen->availableGeometry(), m_popup->size(), icon, pointer));
    }
    m_popup->show();
    m_popup->activateWindow();
}

QPoint TrayPresence::popupPlace(const QRect& screen, const QSize& size, const QRect& icon,
                                const QPoint& pointer)
{
    // Without the icon's place, the corner of the screen nearest the pointer stands in for it.
    const QRect anchor = icon.isEmpty() ? QRect(pointer, QSize(1, 1)) : icon;
    const bool below = anchor.center().y() < screen.center().y();
    int x = 0;
    int y = 0;
    if (icon.isEmpty()) {
        x = anchor.center().x() < screen.center().x() ? screen.left() + gap
                                                      : screen.right() + 1 - size.width() - gap;
        y = below ? screen.top() + gap : screen.bottom() + 1 - size.height() - gap;
    } else {
        x = anchor.center().x() - size.width() / 2;
        y = below ? anchor.bottom() + 1 + gap : anchor.top() - size.height() - gap;
    }
    x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    y = std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

TrayPopup* TrayPresence::popup() const
{
    return m_popup;
}
