#include "PlaceholderDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PlaceholderDialog::PlaceholderDialog(Kind kind, QWidget* parent) : QDialog(parent)
{
    const bool about = kind == Kind::about;
    setObjectName(about ? QStringLiteral("about") : QStringLiteral("settings"));
    setWindowTitle(about ? tr("Leaflow hakkında") : tr("Ayarlar"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* name = new QLabel(tr("Leaflow %1").arg(QCoreApplication::applicationVersion()), this);
    name->setObjectName(QStringLiteral("name"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* message = new QLabel(
        about ? tr("Bilgisayarında çalışan PDF araç kutusu. Dosyaların hiçbir yere gönderilmez.")
              : tr("Ayarlar bir sonraki sürümde burada olacak."),
        this);
    message->setObjectName(QStringLiteral("message"));
    message->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("Tamam"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(message);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PlaceholderDialog* PlaceholderDialog::openOver(QWidget* parent, Kind kind)
{
    auto* dialog = new PlaceholderDialog(kind, parent);
    dialog->open();
    return dialog;
}
