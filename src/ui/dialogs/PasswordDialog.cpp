#include "ui/dialogs/PasswordDialog.h"

#include "ui/kit/AlertLabel.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PasswordDialog::PasswordDialog(const QString& path, Attempt attempt, QWidget* parent)
    : QDialog(parent)
{
    setModal(true);
    const QString name = QFileInfo(path).fileName();
    // The title and the field say which file, for a screen reader that starts at either.
    setWindowTitle(tr("Parola gerekli: %1").arg(name));

    auto* message = new QLabel(tr("%1 parola korumalı").arg(name), this);
    message->setObjectName(QStringLiteral("message"));
    QFont bold = message->font();
    bold.setBold(true);
    message->setFont(bold);

    QLabel* informative = nullptr;
    if (attempt == Attempt::first) {
        informative = new QLabel(tr("Parolayı gir. Parola yalnız bu oturumda kullanılır ve "
                                    "kaydedilmez. Çıktı dosyası parolasız olur."),
                                 this);
        informative->setWordWrap(true);
    } else {
        // Spoken as the dialog opens again, or the user would hear the same prompt as before.
        auto* refused = new AlertLabel(TextStyle::body, Tone::primary, this);
        refused->setWordWrap(true);
        refused->setMessage(tr("Parola yanlış. Yeniden dene."));
        informative = refused;
    }
    informative->setObjectName(QStringLiteral("informative"));

    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("password"));
    m_field->setEchoMode(QLineEdit::Password);
    m_field->setAccessibleName(tr("%1 için parola").arg(name));
    m_field->setFixedSize(260, 24);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* open = buttons->addButton(tr("Aç"), QDialogButtonBox::AcceptRole);
    open->setObjectName(QStringLiteral("open"));
    open->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("Vazgeç"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(informative);
    layout->addWidget(m_field);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Typing goes into the field as soon as the dialog shows.
    m_field->setFocus(Qt::OtherFocusReason);
}

QString PasswordDialog::password() const
{
    return m_field->text();
}

std::optional<QString> PasswordDialog::ask(const QString& path,
                                           const std::function<bool(const QString&)>& unlock,
                                           QWidget* parent)
{
    for (Attempt attempt = Attempt::first;; attempt = Attempt::retry) {
        PasswordDialog dialog(path, attempt, parent);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        QString candidate = dialog.password();
        if (unlock(candidate)) {
            return candidate;
        }
    }
}
