#pragma once

#include <QFrame>

// The card surface: content padded on the control background, in a rounded rectangle with a
// hairline border.
class Card : public QFrame {
    Q_OBJECT
public:
    explicit Card(int padding, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Puts `content` on a card padded by `padding`; the card becomes its parent.
Card* surface(QWidget* content, int padding);
