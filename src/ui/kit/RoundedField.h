#pragma once

#include <QWidget>

class QLineEdit;

// A text field in a rounded border on the control background, with an accent ring while focused.
class RoundedField : public QWidget {
    Q_OBJECT
public:
    // Takes the field as its child.
    explicit RoundedField(QLineEdit* field, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLineEdit* m_field;
};
