#pragma once

#include <QList>
#include <QString>
#include <functional>

class QWidget;

// Answers the application's next modal windows in turn, from inside their own
// event loops, the way a user would.
class ModalScript {
public:
    using Answer = std::function<void(QWidget* modal)>;

    void then(Answer answer) { m_answers << std::move(answer); }
    // Starts watching; each answer runs once the next modal window is showing.
    void start();
    int answered() const { return m_answered; }

private:
    void arm();

    QList<Answer> m_answers;
    int m_answered = 0;
};
