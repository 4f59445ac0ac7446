#pragma once

#include "Labels.h"

// A line that says what went wrong beside the control it is about (a rejected range, a wrong
// password): a screen reader speaks it when it appears and when its message changes.
class AlertLabel : public ToneLabel {
    Q_OBJECT
public:
    explicit AlertLabel(TextStyle style, Tone tone = Tone::down, QWidget* parent = nullptr);

    // Shows `message`, or hides the line for an empty one.
    void setMessage(const QString& message);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void announce();

    // The message last spoken: shown again unchanged (the page shown again) it is not repeated.
    QString m_spoken;
};
