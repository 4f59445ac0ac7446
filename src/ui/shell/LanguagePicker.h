#pragma once

#include "core/AppLanguage.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;

// The interface-language choice: stored at once, in force after a restart, which the
// row under it offers while the choice differs from the language this run started in.
class LanguagePicker : public QWidget {
    Q_OBJECT
public:
    // False when the new process could not be started: this one goes on and says so.
    using Relaunch = std::function<bool()>;

    explicit LanguagePicker(QWidget* parent = nullptr);

    // What "Yeniden aç" does; set once by the application (a new process replacing this one).
    static void setRelaunch(Relaunch relaunch);

    AppLanguage choice() const;
    bool offersRestart() const;

private:
    void choose(int index);

    QComboBox* m_picker;
    QWidget* m_restartRow;
    QLabel* m_failure;
    AppLanguage m_initial;
};
