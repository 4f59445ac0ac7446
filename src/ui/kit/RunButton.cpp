#include "RunButton.h"

RunButton::RunButton(AppSection section, const QString& title, QWidget* parent)
    : Button(title, Kind::prominent, parent), m_section(section)
{
    setControlSize(Size::large);
    setDefault(true);
    connect(this, &QPushButton::clicked, this, [this] { emit runRequested(m_section); });
    refresh();
}

void RunButton::setReady(bool ready)
{
    m_ready = ready;
    refresh();
}

void RunButton::setBusySection(std::optional<AppSection> busy)
{
    m_busy = busy;
    refresh();
}

void RunButton::refresh()
{
    setEnabled(m_ready && !m_busy);
    setBusy(m_busy == m_section);
}
