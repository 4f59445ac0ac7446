#pragma once

#include <QObject>
#include <QObjectCleanupHandler>
#include <QPointer>
#include <QRect>
#include <functional>

class NoticePanel;

// The notice that tells where the application went when its last window closed: at most
// once per launch, never when muted, faded in and out, beside the tray icon; gone by itself
// six seconds after it appeared or the pointer left it, never while the pointer is on it.
class BackgroundNotice : public QObject {
    Q_OBJECT
public:
    // Runs `work` on the main thread after `ms` milliseconds; replaced in tests.
    using Schedule = std::function<void(int ms, std::function<void()> work)>;
    // Where the tray icon sits on screen; an empty rectangle when the desktop does not say.
    using TrayGeometry = std::function<QRect()>;

    static constexpr int hideAfterMs = 6000;
    static constexpr int fadeMs = 200;

    explicit BackgroundNotice(Schedule schedule = {}, TrayGeometry tray = {},
                              QObject* parent = nullptr);

    // Shows the notice if it is due: not yet shown this launch, not muted, a screen to show on.
    void show();
    // Fades out the notice on screen, if any, and cancels its automatic hide.
    void hide();

    // The notice on screen (fading in or shown); null once hiding has begun.
    NoticePanel* panel() const;

    // The top-left corner for a panel of `size` wholly inside `screen`: next to the tray icon
    // at `tray`, on the screen's side of it, or in the top-right corner when its place is
    // unknown (empty).
    static QPoint placement(const QRect& screen, const QSize& size, const QRect& tray);

private:
    void hideLater();

    Schedule m_schedule;
    TrayGeometry m_tray;
    QPointer<NoticePanel> m_panel;
    // A panel is a window of its own, owned by no widget: any still open, shown or fading
    // out, goes with this notice rather than outliving it.
    QObjectCleanupHandler m_panels;
    quint64 m_generation = 0; // a newer show or hide makes a pending automatic hide stale
    bool m_shown = false;
};
