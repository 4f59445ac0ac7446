#include "ui/shell/QuitGuard.h"

#include "store/Store.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace QuitGuard {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("QuitGuard", text);
}

} // namespace

bool allowQuit(Store& store, QWidget* parent)
{
    if (!store.busy()) {
        return true;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Leaflow"), tr("Bir işlem sürüyor."),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("quitDuringRun"));
    box.setInformativeText(tr("Çıkarsan işlem durdurulur ve hiçbir dosya kaydedilmez."));
    QPushButton* quit = box.addButton(tr("Durdur ve çık"), QMessageBox::DestructiveRole);
    quit->setObjectName(QStringLiteral("quit"));
    QPushButton* keep = box.addButton(tr("Sürdür"), QMessageBox::RejectRole);
    keep->setObjectName(QStringLiteral("keep"));
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    // The run may have ended on its own while the question was open.
    if (box.clickedButton() != quit) {
        return false;
    }
    store.cancelRun();
    return true;
}

} // namespace QuitGuard
