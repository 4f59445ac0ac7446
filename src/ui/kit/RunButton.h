#pragma once

#include "ui/kit/Button.h"

#include <QElapsedTimer>
#include <optional>

class QHBoxLayout;

// The run button of a tool page: prominent and large, with progress while its own tool runs;
// screen readers hear the percentage in its name and value.
class RunButton : public Button {
    Q_OBJECT
public:
    // A run shorter than this keeps the spinner: a percentage that flashes by says nothing.
    static constexpr int determinateAfterMs = 500;

    // `tool` is the key of the tool it runs.
    RunButton(QString tool, const QString& title, QWidget* parent = nullptr);
    // Adds the button to the end of a footer row, with its "Vazgeç" button before it: shown
    // while this tool runs, and pressed by Escape too.
    void addTo(QHBoxLayout& row);
    Button* cancelButton() const { return m_cancel; }
    // Whether the page's inputs allow a run.
    void setReady(bool ready);
    // The tool that is running, if any: every run button is disabled while one runs.
    void setBusyTool(const std::optional<QString>& busy);
    bool showsProgress() const { return isBusy(); }
    // How far the running tool has come; shown once the run has lasted a moment.
    void setProgress(qint64 done, qint64 total);
    // While its tool runs, "Vazgeç" takes the focus: the page hands it the focus of the
    // controls the run takes out of use. False when no run of this page is going.
    bool holdFocus(Qt::FocusReason reason);
    // Tab or Other: a focus passed on keeps the ring it had, shown when the keyboard brought it.
    static Qt::FocusReason focusReasonFrom(const QWidget& from);

signals:
    void runRequested();
    void cancelRequested();

private:
    void refresh();

    QString m_tool;
    Button* m_cancel = nullptr;
    bool m_ready = false;
    std::optional<QString> m_busy;
    qint64 m_done = 0;
    qint64 m_total = 0;
    QElapsedTimer m_running;
};
