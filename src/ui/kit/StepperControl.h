#pragma once

#include <QWidget>
#include <optional>

class QLineEdit;

// A number within a range: a small field that takes typed digits, and the platform's up-and-down
// arrows beside it; the arrow keys and the mouse wheel step it too. Screen readers meet a spin box
// with its value, named by the caller or by the label whose buddy it is.
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
    // Takes a value as the user gives it (clamped, shown and announced), as a screen reader does.
    void enter(int value);
    bool canStepUp() const { return isEnabled() && m_value < m_maximum; }
    bool canStepDown() const { return isEnabled() && m_value > m_minimum; }
    // The field the digits are typed into; it holds the keyboard focus for the control.
    QLineEdit* field() const { return m_field; }
    QRect upRect() const;
    QRect downRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // The user stepped or typed a new value.
    void stepped(int value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void step(int delta);
    // Takes the typed number, clamped into the range; an empty field gets the value back.
    void commit();
    // The field's number clamped into the range; none while it holds no digits.
    std::optional<int> typedValue() const;
    void change(int value);
    // Writes the value into the field, unless keepTyped and the digits there already mean it.
    void showValue(bool keepTyped = false);
    int fieldWidth() const;
    QRectF fieldBox() const;

    QLineEdit* m_field;
    int m_minimum = 1;
    int m_maximum = 1;
    int m_value = 1;
    int m_pressed = 0; // +1 up, -1 down
    int m_wheel = 0;   // wheel travel not yet turned into steps, in eighths of a degree
};
