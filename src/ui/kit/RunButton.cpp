#include "ui/kit/RunButton.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/ButtonAccess.h"

#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QShortcut>
#include <QTimer>

namespace {

// The run button as a push button whose name carries the progress while its tool runs. It has
// no value interface: the bridge would offer Increase and Decrease on it, actions that do nothing.
class RunButtonAccess : public ButtonAccess {
public:
    explicit RunButtonAccess(RunButton* button) : ButtonAccess(button, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name) {
            return QAccessibleWidget::text(kind);
        }
        QString name = run()->accessibleName();
        if (name.isEmpty()) {
            name = run()->text();
        }
        const QString percent = run()->busyPercent();
        return percent.isEmpty() ? name : RunButton::tr("%1, %2").arg(name, percent);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.defaultButton = run()->isDefault();
        state.busy = run()->isBusy();
        return state;
    }

private:
    RunButton* run() const { return static_cast<RunButton*>(widget()); }
};

} // namespace

RunButton::RunButton(QString tool, const QString& title, QWidget* parent)
    : Button(title, Kind::prominent, parent), m_tool(std::move(tool))
{
    // Before anything that tells assistive technology of a change, which would make Qt's own.
    Accessible::provide("RunButton", [](QObject* object) -> QAccessibleInterface* {
        return new RunButtonAccess(static_cast<RunButton*>(object));
    });
    setControlSize(Size::large);
    setReservesProgress(true);
    setDefault(true);
    connect(this, &QPushButton::clicked, this, &RunButton::runRequested);
    refresh();
}

void RunButton::addTo(QHBoxLayout& row)
{
    row.addWidget(this);
    m_cancel = new Button(tr("Vazgeç"), Kind::bordered, parentWidget());
    m_cancel->setControlSize(Size::large);
    m_cancel->setAutoDefault(false);
    row.insertWidget(row.indexOf(this), m_cancel);
    // On the cancel button, the key works exactly while a run of this page can be stopped.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_cancel);
    connect(escape, &QShortcut::activated, m_cancel, &QAbstractButton::click);
    connect(m_cancel, &QAbstractButton::clicked, this, &RunButton::cancelRequested);
    refresh();
}

void RunButton::setReady(bool ready)
{
    m_ready = ready;
    refresh();
}

void RunButton::setBusyTool(const std::optional<QString>& busy)
{
    const bool mine = busy == m_tool;
    if (mine && m_busy != m_tool) {
        m_running.start();
        // Reports may pause (a long page); the bar still appears on time.
        QTimer::singleShot(determinateAfterMs, this, &RunButton::refresh);
    } else if (!mine) {
        m_running.invalidate();
        m_done = m_total = 0;
    }
    m_busy = busy;
    refresh();
}

void RunButton::setProgress(qint64 done, qint64 total)
{
    m_done = done;
    m_total = total;
    refresh();
}

Qt::FocusReason RunButton::focusReasonFrom(const QWidget& from)
{
    return from.property("focusRing").toBool() ? Qt::TabFocusReason : Qt::OtherFocusReason;
}

bool RunButton::holdFocus(Qt::FocusReason reason)
{
    if (!m_cancel || m_busy != m_tool) {
        return false;
    }
    m_cancel->setFocusProxy(nullptr);
    m_cancel->show();
    m_cancel->setFocus(reason);
    return true;
}

void RunButton::refresh()
{
    const bool running = m_busy == m_tool;
    // Disabling the focused button would pass the focus down the chain; during the run it
    // waits on "Vazgeç", and afterwards it comes back here. The window's focus counts while a
    // dialog (the save panel) is in front: it is where the keyboard will be once it closes.
    if (running && window()->focusWidget() == this) {
        holdFocus(focusReasonFrom(*this));
    }
    const bool handBack = m_cancel && !running && window()->focusWidget() == m_cancel;
    const Qt::FocusReason reason = m_cancel ? focusReasonFrom(*m_cancel) : Qt::OtherFocusReason;
    setEnabled(m_ready && !m_busy);
    setBusy(running);
    if (m_cancel) {
        // A page shown again gives the focus back to the control that last had it: once the
        // run is over, one left on "Vazgeç" comes here, or goes nowhere while this rests.
        const bool takesOver = !running && isEnabled();
        if (handBack || (!running && !takesOver)) {
            takesOver ? setFocus(reason) : m_cancel->clearFocus();
        }
        m_cancel->setFocusProxy(takesOver ? this : nullptr);
        m_cancel->setVisible(isBusy());
    }
    const bool lasted = m_running.isValid() && m_running.elapsed() >= determinateAfterMs;
    const QString spoken = busyPercent();
    setBusyFraction(lasted && m_total > 0 ? std::optional<qreal>(qreal(m_done) / qreal(m_total))
                                          : std::nullopt);
    // Told as often as the shown count changes, not at every report.
    if (busyPercent() != spoken) {
        Accessible::nameChanged(this);
    }
}
