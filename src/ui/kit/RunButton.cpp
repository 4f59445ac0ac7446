#include "RunButton.h"

#include "Accessible.h"

#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QShortcut>
#include <QTimer>

namespace {

// A focus passed on keeps the ring it had: shown when the keyboard brought it.
Qt::FocusReason focusReasonFrom(const Button& from)
{
    return from.showsFocusRing() ? Qt::TabFocusReason : Qt::OtherFocusReason;
}

// The run button as a push button whose name and value carry the progress while its tool runs.
class RunButtonAccess : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit RunButtonAccess(RunButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name) {
            return QAccessibleWidget::text(kind);
        }
        QString name = button()->accessibleName();
        if (name.isEmpty()) {
            name = button()->text();
        }
        const QString percent = button()->busyPercent();
        return percent.isEmpty() ? name : RunButton::tr("%1, %2").arg(name, percent);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.defaultButton = button()->isDefault();
        state.busy = button()->isBusy();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
        } else if (button()->isEnabled()) {
            button()->click();
        }
    }

    // The percentage shown, 0 while none shows; the progress is the tool's to set.
    QVariant currentValue() const override
    {
        return RunButton::percentOf(button()->busyFraction());
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    RunButton* button() const { return static_cast<RunButton*>(widget()); }
};

} // namespace

RunButton::RunButton(AppSection section, const QString& title, QWidget* parent)
    : Button(title, Kind::prominent, parent), m_section(section)
{
    // Before anything that tells assistive technology of a change, which would make Qt's own.
    Accessible::provide("RunButton", [](QObject* object) -> QAccessibleInterface* {
        return new RunButtonAccess(static_cast<RunButton*>(object));
    });
    setControlSize(Size::large);
    setReservesProgress(true);
    setDefault(true);
    connect(this, &QPushButton::clicked, this, [this] { emit runRequested(m_section); });
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
    connect(m_cancel, &QAbstractButton::clicked, this, [this] { emit cancelRequested(m_section); });
    refresh();
}

void RunButton::setReady(bool ready)
{
    m_ready = ready;
    refresh();
}

void RunButton::setBusySection(std::optional<AppSection> busy)
{
    const bool mine = busy == m_section;
    if (mine && m_busy != m_section) {
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

void RunButton::refresh()
{
    const bool running = m_busy == m_section;
    // Qt hands the focus of a control that is disabled or hidden to the next one in the chain
    // (a row's remove button, where the next Space removes a file): during the run the focus
    // waits on "Vazgeç", and afterwards it comes back here.
    if (m_cancel && running && hasFocus()) {
        m_cancel->show();
        m_cancel->setFocus(focusReasonFrom(*this));
    }
    const bool handBack = m_cancel && !running && m_cancel->hasFocus();
    setEnabled(m_ready && !m_busy);
    setBusy(running);
    if (handBack) {
        isEnabled() ? setFocus(focusReasonFrom(*m_cancel)) : m_cancel->clearFocus();
    }
    if (m_cancel) {
        m_cancel->setVisible(isBusy());
    }
    const bool lasted = m_running.isValid() && m_running.elapsed() >= determinateAfterMs;
    const QString spoken = busyPercent();
    setBusyFraction(lasted && m_total > 0 ? std::optional<qreal>(qreal(m_done) / qreal(m_total))
                                          : std::nullopt);
    // Told as often as the shown count changes, not at every report.
    if (busyPercent() != spoken) {
        Accessible::valueChanged(this, percentOf(busyFraction()));
        Accessible::nameChanged(this);
    }
}
