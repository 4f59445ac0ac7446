#include "ui/dialogs/FolderDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

FolderDialog::FolderDialog(QWidget* parent) : QFileDialog(parent)
{
    setObjectName(QStringLiteral("folder"));
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::Directory);
    setOption(QFileDialog::ShowDirsOnly, true);
    setLabelText(QFileDialog::Accept, QCoreApplication::translate("Dialogs", "Bu klasöre kaydet"));
}

QString FolderDialog::typedPath() const
{
    const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QString text = edit ? edit->text().trimmed() : QString();
    // Quoted names are the dialog's own echo of several selected entries, not typing.
    if (text.isEmpty() || text.contains(QLatin1Char('"'))) {
        return {};
    }
    if (text == QLatin1String("~") || text.startsWith(QLatin1String("~/"))) {
        text.replace(0, 1, QDir::homePath());
    }
    return QDir::cleanPath(directory().absoluteFilePath(text));
}

void FolderDialog::accept()
{
    // Qt answers from the list's selection first, and entries selected while a path was being
    // typed stay selected while the completion list holds the focus: Enter then chose one of
    // them (often the parent) instead of the typed folder.
    const QString path = typedPath();
    if (path.isEmpty()) {
        QFileDialog::accept();
        if (result() == QDialog::Accepted && !selectedFiles().isEmpty()) {
            m_chosen = selectedFiles().first();
        }
        return;
    }
    const QFileInfo info(path);
    if (info.isDir()) {
        choose(info.absoluteFilePath());
    } else if (info.exists()) {
        QMessageBox::warning(
            this, windowTitle(),
            QCoreApplication::translate("FolderDialog", "%1 bir klasör değil.").arg(path));
    } else if (confirmCreating(path)) {
        choose(path);
    }
}

// The nearest folder above path that exists must be one a folder can be made in; the folder
// itself is made only when a run has something to put in it.
bool FolderDialog::canCreate(const QString& path)
{
    QString above = QFileInfo(path).absolutePath();
    while (!QFileInfo::exists(above) && above != QDir::rootPath()) {
        above = QFileInfo(above).absolutePath();
    }
    const QFileInfo info(above);
    return info.isDir() && info.isWritable();
}

bool FolderDialog::confirmCreating(const QString& path)
{
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    QCoreApplication::translate("FolderDialog", "%1 klasörü yok.").arg(path),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("createFolder"));
    box.setInformativeText(
        QCoreApplication::translate("FolderDialog",
                                    "Klasör oluşturulsun ve dosyalar oraya kaydedilsin mi?"));
    QPushButton* create = box.addButton(QCoreApplication::translate("FolderDialog", "Oluştur"),
                                        QMessageBox::AcceptRole);
    create->setObjectName(QStringLiteral("create"));
    QPushButton* cancel = box.addButton(QCoreApplication::translate("FolderDialog", "Vazgeç"),
                                        QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    box.setDefaultButton(create);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() != create) {
        return false;
    }
    if (!canCreate(path)) {
        QMessageBox::warning(
            this, windowTitle(),
            QCoreApplication::translate("FolderDialog", "%1 klasörü oluşturulamadı.").arg(path));
        return false;
    }
    return true;
}

void FolderDialog::choose(const QString& path)
{
    m_chosen = path;
    // QFileDialog's own accept would judge the path field again, which is what went wrong.
    QDialog::accept(); // NOLINT(bugprone-parent-virtual-call)
}
