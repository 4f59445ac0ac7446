#include "ui/shell/BackgroundNotice.h"

#include "core/Preferences.h"
#include "ui/shell/NoticePanel.h"

#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace {

void fade(QWidget* panel, qreal to, const std::function<void()>& done = {})
{
    auto* animation = new QPropertyAnimation(panel, "windowOpacity", panel);
    animation->setDuration(BackgroundNotice::fadeMs);
    animation->setEndValue(to);
    if (done) {
        QObject::connect(animation, &QPropertyAnimation::finished, panel, done);
    }
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace

BackgroundNotice::BackgroundNotice(Schedule schedule, TrayGeometry tray, QObject* parent)
    : QObject(parent), m_schedule(std::move(schedule)), m_tray(std::move(tray))
{
    if (!m_schedule) {
        m_schedule = [this](int ms, std::function<void()> work) {
            QTimer::singleShot(ms, this, std::move(work));
        };
    }
}

void BackgroundNotice::show()
{
    // Without a screen this attempt is skipped, and a later one may still show it.
    const QRect tray = m_tray ? m_tray() : QRect();
    QScreen* screen = tray.isEmpty() ? nullptr : QGuiApplication::screenAt(tray.center());
    screen = screen ? screen : QGuiApplication::primaryScreen();
    if (m_shown || Preferences::noticeMuted() || !screen) {
        return;
    }
    m_shown = true;
    hide();
    auto* panel = new NoticePanel;
    m_panel = panel;
    m_panels.add(panel);
    connect(panel, &NoticePanel::dismissed, this, &BackgroundNotice::hide);
    connect(panel, &NoticePanel::muted, this, [this] {
        Preferences::setNoticeMuted(true);
        hide();
    });
    panel->move(placement(screen->availableGeometry(), panel->size(), tray));
    panel->setWindowOpacity(0);
    panel->show();
    fade(panel, 1);
    connect(panel, &NoticePanel::left, this, &BackgroundNotice::hideLater);
    hideLater();
}

void BackgroundNotice::hideLater()
{
    const quint64 generation = ++m_generation;
    m_schedule(hideAfterMs, [this, generation] {
        // Someone reading it or reaching for its buttons keeps it; leaving starts the wait anew.
        if (generation == m_generation && m_panel && !m_panel->hovered()) {
            hide();
        }
    });
}

NoticePanel* BackgroundNotice::panel() const
{
    return m_panel;
}

void BackgroundNotice::hide()
{
    ++m_generation;
    if (!m_panel) {
        return;
    }
    NoticePanel* panel = m_panel;
    m_panel.clear();
    fade(panel, 0, [panel] { panel->close(); });
}

QPoint BackgroundNotice::placement(const QRect& screen, const QSize& size, const QRect& tray)
{
    // The panel's transparent shadow room already parts the card from the edges and the icon.
    const auto inside = [&screen, &size](int x, int y) {
        return QPoint(std::clamp(x, screen.left(),
                                 std::max(screen.left(), screen.right() + 1 - size.width())),
                      std::clamp(y, screen.top(),
                                 std::max(screen.top(), screen.bottom() + 1 - size.height())));
    };
    if (tray.isEmpty()) {
        return inside(screen.right() + 1 - size.width(), screen.top());
    }
    // The icon's panel runs along the screen edge nearest to it; the notice goes beside the icon
    // on the screen's side, centred on it as far as the screen allows.
    const QPoint centre = tray.center();
    const int toTop = centre.y() - screen.top();
    const int toBottom = screen.bottom() - centre.y();
    const int toLeft = centre.x() - screen.left();
    const int toRight = screen.right() - centre.x();
    const int nearest = std::min({toTop, toBottom, toLeft, toRight});
    if (nearest == toTop || nearest == toBottom) {
        const int x = centre.x() - size.width() / 2;
        return inside(x, nearest == toTop ? tray.bottom() + 1 : tray.top() - size.height());
    }
    const int y = centre.y() - size.height() / 2;
    return inside(nearest == toLeft ? tray.right() + 1 : tray.left() - size.width(), y);
}
