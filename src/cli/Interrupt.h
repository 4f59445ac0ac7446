#pragma once

#include <QObject>

class QSocketNotifier;

// The exit status of a program ended with Ctrl+C, by the usual shell convention (128 + SIGINT).
inline constexpr int interruptedStatus = 130;

// Turns Ctrl+C (SIGINT) into a signal on the event loop: the handler only
// writes a byte to a pipe, which the loop reads. While one exists, SIGINT no
// longer ends the program at once, so a running job can be cancelled cleanly.
class Interrupt : public QObject {
    Q_OBJECT

public:
    explicit Interrupt(QObject* parent = nullptr);
    ~Interrupt() override; // gives SIGINT back its previous handling

signals:
    void interrupted();

private:
    QSocketNotifier* m_notifier = nullptr; // child object
};
