#pragma once

#include "ui/kit/Labels.h"

// A line that says what went wrong beside the control it is about (a rejected range, a wrong
// password): a screen reader speaks it when it appears and when its message changes. A line
// that is a hint or a summary at other times is an alert only while its message is one.
class AlertLabel : public ToneLabel {
    Q_OBJECT
public:
    explicit AlertLabel(TextStyle style, Tone tone = Tone::down, QWidget* parent = nullptr);

    // Shows `message`, an alert unless `alert` is false, or hides the line for an empty one.
    void setMessage(const QString& message, bool alert = true);
    bool isAlert() const { return m_alert; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void announce();

    bool m_alert = false;
    // The alert last spoken: shown again unchanged (the page shown again) it is not repeated.
    QString m_spoken;
};
