#include "ModalScript.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

void ModalScript::start()
{
    arm();
}

void ModalScript::arm()
{
    QTimer::singleShot(0, [this]() {
        QWidget* modal = QApplication::activeModalWidget();
        // Between two windows there is none for a moment; keep looking.
        if (modal == nullptr || !modal->isVisible()) {
            arm();
            return;
        }
        Answer answer = m_answers.takeFirst();
        ++m_answered;
        if (!m_answers.isEmpty()) {
            arm();
        }
        answer(modal);
    });
}
