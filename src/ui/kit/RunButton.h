#pragma once

#include "AppSection.h"
#include "Button.h"

#include <optional>

// The run button of a tool page: prominent and large, with progress while its own tool runs.
class RunButton : public Button {
    Q_OBJECT
public:
    RunButton(AppSection section, const QString& title, QWidget* parent = nullptr);

    AppSection section() const { return m_section; }
    // Whether the page's inputs allow a run.
    void setReady(bool ready);
    // The tool that is running, if any: every run button is disabled while one runs.
    void setBusySection(std::optional<AppSection> busy);
    bool showsProgress() const { return isBusy(); }

signals:
    void runRequested(AppSection section);

private:
    void refresh();

    AppSection m_section;
    bool m_ready = false;
    std::optional<AppSection> m_busy;
};
