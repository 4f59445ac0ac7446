#include "BackgroundNotice.h"

#include "NoticePanel.h"
#include "Preferences.h"

#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>

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
    QScreen* screen = QGuiApplication::primaryScreen();
    if (m_shown || Preferences::noticeMuted() || !screen) {
        return;
    }
    m_shown = true;
    hide();
    auto* panel = new NoticePanel;
    m_panel = panel;
    connect(panel, &NoticePanel::dismissed, this, &BackgroundNotice::hide);
    connect(panel, &NoticePanel::muted, this, [this] {
        Preferences::setNoticeMuted(true);
        hide();
    });
    const QRect tray = m_tray ? m_tray() : QRect();
    panel->move(placement(screen->availableGeometry(), panel->size(), tray));
    panel->setWindowOpacity(0);
    panel->show();
    fade(panel, 1);
    const quint64 generation = ++m_generation;
    m_schedule(hideAfterMs, [this, generation] {
        if (generation == m_generation) {
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
    // The panel's own shadow room stands between the card and the edge already.
    const bool right = tray.isEmpty() || tray.center().x() >= screen.center().x();
    const bool top = tray.isEmpty() || tray.center().y() < screen.center().y();
    const int x = right ? screen.right() + 1 - size.width() - margin + NoticePanel::shadowRoom
                        : screen.left() + margin - NoticePanel::shadowRoom;
    const int y = top ? screen.top() + margin - NoticePanel::shadowRoom
                      : screen.bottom() + 1 - size.height() - margin + NoticePanel::shadowRoom;
    return {x, y};
}
