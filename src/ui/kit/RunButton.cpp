#include "RunButton.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QTimer>

RunButton::RunButton(AppSection section, const QString& title, QWidget* parent)
    : Button(title, Kind::prominent, parent), m_section(section)
{
    setControlSize(Size::large);
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
    setEnabled(m_ready && !m_busy);
    setBusy(m_busy == m_section);
    if (m_cancel) {
        m_cancel->setVisible(isBusy());
    }
    const bool lasted = m_running.isValid() && m_running.elapsed() >= determinateAfterMs;
    setBusyFraction(lasted && m_total > 0 ? std::optional<qreal>(qreal(m_done) / qreal(m_total))
                                          : std::nullopt);
}
