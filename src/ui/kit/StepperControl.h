#pragma once

#include <QWidget>

// The platform's small up-and-down arrows that step a number within a range.
class StepperControl : public QWidget {
    Q_OBJECT
public:
    explicit StepperControl(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Shows a value (clamped into the range) without announcing it.
    void setValue(int value);
    int value() const { return m_value; }
    bool canStepUp() const { return isEnabled() && m_value < m_maximum; }
    bool canStepDown() const { return isEnabled() && m_value > m_minimum; }
    QRect upRect() const;
    QRect downRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // The user stepped to a new value.
    void stepped(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void step(int delta);

    int m_minimum = 1;
    int m_maximum = 1;
    int m_value = 1;
    int m_pressed = 0; // +1 up, -1 down
};
