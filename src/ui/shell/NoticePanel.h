#pragma once

#include <QWidget>

// The floating notice shown when the last window closes and the application stays in the
// tray: where it went, and two buttons. Never takes the focus.
class NoticePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int contentWidth = 330;
    static constexpr int shadowRoom = 12;

    explicit NoticePanel(QWidget* parent = nullptr);

    // The pointer is over the panel (its buttons included).
    bool hovered() const { return m_hovered; }

signals:
    void dismissed(); // "Tamam"
    void muted();     // "Bir daha gösterme"
    void left();      // the pointer moved off the panel

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_hovered = false;
};
