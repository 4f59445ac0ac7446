#pragma once

#include <QWidget>

// The privacy statement with its shield: the documents never leave the computer, and the only
// connection is the update check where this build makes one.
class PrivacyNote : public QWidget {
    Q_OBJECT
public:
    explicit PrivacyNote(bool checksForUpdates, QWidget* parent = nullptr);
};
