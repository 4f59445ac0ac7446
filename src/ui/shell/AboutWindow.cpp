#include "ui/shell/AboutWindow.h"

#include "ui/shell/AboutView.h"
#include "ui/shell/SettingsWindow.h"

#include <QVBoxLayout>

AboutWindow::AboutWindow(Store& store, QWidget* parent)
    : QDialog(parent, Qt::Dialog | SettingsWindow::fixedSizeHints)
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(tr("Leaflow hakkında"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* view = new AboutView(store, true, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    // As tall as its content at the fixed width; the dialog's Escape rejects it, and the
    // view's close button is the default one, so Return accepts it.
    setFixedWidth(fixedWidth);
    setFixedHeight(layout->heightForWidth(fixedWidth) > 0 ? layout->heightForWidth(fixedWidth)
                                                          : sizeHint().height());
    connect(view, &AboutView::closeRequested, this, &QDialog::accept);
}
