#pragma once

#include <QWidget>

// The privacy statement with its shield: the documents never leave the computer.
class PrivacyNote : public QWidget {
    Q_OBJECT
public:
    explicit PrivacyNote(QWidget* parent = nullptr);
};
