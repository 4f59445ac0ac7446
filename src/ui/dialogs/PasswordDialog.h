#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;

// The password prompt: one attempt per dialog, with a fresh empty field each time.
class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    enum class Attempt { first, retry };

    PasswordDialog(const QString& path, Attempt attempt, QWidget* parent = nullptr);

    QString password() const;

    // Asks again after every refused password until `unlock` accepts one
    // (returned) or the user cancels (absent).
    static std::optional<QString> ask(const QString& path,
                                      const std::function<bool(const QString&)>& unlock,
                                      QWidget* parent = nullptr);

private:
    QLineEdit* m_field = nullptr;
};
