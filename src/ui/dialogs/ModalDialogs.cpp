#include "ui/dialogs/ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace {

// Without a window manager (and with some) nobody activates the window again when its dialog
// closes, and its shortcuts stayed dead until a click.
class DialogWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Hide) {
            return false;
        }
        const auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && dialog->parentWidget() &&
            (dialog->isModal() || dialog->windowModality() != Qt::NonModal)) {
            handBack(dialog->parentWidget()->window());
        }
        return false;
    }

private:
    static void handBack(QWidget* owner)
    {
        // Later, so that a dialog that follows at once (the next password attempt) keeps the
        // keyboard instead.
        QTimer::singleShot(0, owner, [owner = QPointer<QWidget>(owner)] {
            const QWidget* modal = QApplication::activeModalWidget();
            if (owner && owner->isVisible() && !owner->isMinimized() &&
                (modal == nullptr || modal == owner)) {
                owner->activateWindow();
            }
        });
    }
};

} // namespace

namespace ModalDialogs {

void install()
{
    qApp->installEventFilter(new DialogWatcher(qApp));
}

} // namespace ModalDialogs
