#include "app/snapshot/SnapshotCapture.h"

#include "core/Settings.h"
#include "store/Store.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/Navigation.h"
#include "ui/shell/ShellWindows.h"
#include "ui/shell/TrayPopup.h"

#include "ui/shell/AboutWindow.h"
#include "ui/shell/SettingsWindow.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace Snapshot {

namespace {

// The first visible, titled window that is not a panel, dialog or popup.
QMainWindow* findMainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QMainWindow*>(widget);
        if (window && window->isVisible() && window->windowType() == Qt::Window &&
            !window->windowFlags().testFlag(Qt::FramelessWindowHint)) {
            return window;
        }
    }
    return nullptr;
}

// Walks through the sections one timer step at a time, so the event loop keeps
// painting and answering between them.
class Capture : public QObject {
public:
    Capture(QString folder, std::optional<QString> remembered)
        : QObject(qApp), m_folder(std::move(folder)), m_remembered(std::move(remembered))
    {
    }

    void start()
    {
        QTimer::singleShot(settleMs, this, [this] { next(); });
    }

private:
    void next()
    {
        auto* main = qobject_cast<MainWindow*>(findMainWindow());
        if (!main || m_index >= static_cast<std::size_t>(main->pages().size())) {
            nextWindow();
            return;
        }
        const QString page = main->pages().at(static_cast<qsizetype>(m_index));
        Navigation::setCurrent(page);
        QMainWindow* window = findMainWindow();
        if (!window) {
            ++m_index;
            next();
            return;
        }
        prepare(window);
        QTimer::singleShot(settleMs, this, [this, page] {
            if (QMainWindow* shown = findMainWindow()) {
                const QString name = page + QStringLiteral(".png");
                render(shown).save(QDir(m_folder).filePath(name), "PNG");
            }
            ++m_index;
            next();
        });
    }

    static void prepare(QMainWindow* window)
    {
        const int menu = window->menuWidget() ? window->menuWidget()->sizeHint().height() : 0;
        window->resize(qRound(contentWidth()), contentHeight + menu);
        if (QScreen* screen = window->screen()) {
            QRect frame = window->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            window->move(frame.topLeft());
        }
        window->show();
        window->raise();
        window->activateWindow();
        if (QWidget* focused = window->focusWidget()) {
            focused->clearFocus();
        }
        // A pointer resting on the window would leave a hover highlight in the picture.
        QCursor::setPos(window->frameGeometry().bottomRight() + QPoint(40, 40));
    }

    // After the sections: the settings window, the About window and the tray's popup, each
    // on its own picture.
    void nextWindow()
    {
        auto* main = qobject_cast<MainWindow*>(findMainWindow());
        const std::array<QString, 3> names = {QStringLiteral("settings"), QStringLiteral("about"),
                                              QStringLiteral("tray")};
        if (!main || m_window >= names.size()) {
            finish();
            return;
        }
        QWidget* shown = nullptr;
        switch (m_window) {
        case 0:
            main->windows().showSettings();
            shown = main->windows().settings();
            break;
        case 1:
            main->windows().showAbout();
            shown = main->windows().about();
            break;
        default: {
            // The popup shows a run in progress. It is the last picture, so no other one shows
            // the run, which never starts; finish() takes the mark away.
            // The popup is drawn as the tray opens it: its own top-level popup window, laid
            // out once shown.
            main->store().markBusyForPicture(QStringLiteral("compress"));
            auto* popup = new TrayPopup(main->store());
            popup->setAttribute(Qt::WA_DeleteOnClose);
            popup->show();
            shown = popup;
        }
        }
        const QPointer<QWidget> window = shown;
        const QString name = names.at(m_window) + QStringLiteral(".png");
        QTimer::singleShot(settleMs, this, [this, window, name] {
            if (window) {
                render(window).save(QDir(m_folder).filePath(name), "PNG");
                window->close();
            }
            ++m_window;
            nextWindow();
        });
    }

    void finish()
    {
        if (auto* main = qobject_cast<MainWindow*>(findMainWindow())) {
            main->store().markBusyForPicture(std::nullopt);
        }
        Settings::section.restore(m_remembered);
        QCoreApplication::quit();
    }

    QString m_folder;
    std::optional<QString> m_remembered;
    size_t m_index = 0;
    size_t m_window = 0;
};

} // namespace

QString captureFolder()
{
    return qEnvironmentVariable("LEAFLOW_SNAPSHOT");
}

bool darkRequested()
{
    return qEnvironmentVariableIsSet("LEAFLOW_SNAPSHOT_DARK");
}

double contentWidth()
{
    bool ok = false;
    const double width = qEnvironmentVariable("LEAFLOW_SNAPSHOT_WIDTH").trimmed().toDouble(&ok);
    // A window cannot be zero or fewer points wide, nor infinitely wide.
    return ok && width > 0 && std::isfinite(width) ? width : defaultWidth;
}

QImage render(QWidget* window)
{
    constexpr qreal ratio = 2;
    QImage image(window->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    window->render(&image);
    return image;
}

void startCapture(const QString& folder)
{
    QDir().mkpath(folder);
    const std::optional<QString> remembered = Settings::section.stored();
    (new Capture(folder, remembered))->start();
}

} // namespace Snapshot
