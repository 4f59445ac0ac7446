#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace BoxAnswers {

// Answers the next modal window of type T from inside its own event loop, once it shows.
template <class T = QWidget>
void whenShown(const std::function<void(T*)>& answer)
{
    QTimer::singleShot(0, [answer]() {
        auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (modal == nullptr || !modal->isVisible()) {
            whenShown<T>(answer);
            return;
        }
        answer(modal);
    });
}

// Clicks the button of the next message box whose object name is `button`.
inline void click(const QString& button)
{
    whenShown<QMessageBox>(
        [button](QMessageBox* box) { box->findChild<QAbstractButton*>(button)->click(); });
}

} // namespace BoxAnswers
