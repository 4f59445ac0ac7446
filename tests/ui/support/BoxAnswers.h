#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace BoxAnswers {

// Answers the next message box once it shows, from inside its own event loop.
inline void whenShown(const std::function<void(QMessageBox*)>& answer)
{
    QTimer::singleShot(0, [answer]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            whenShown(answer);
            return;
        }
        answer(box);
    });
}

// Clicks the button of the next message box whose object name is `button`.
inline void click(const QString& button)
{
    whenShown([button](QMessageBox* box) { box->findChild<QAbstractButton*>(button)->click(); });
}

} // namespace BoxAnswers
