#include "ui/dialogs/QtDialogs.h"

#include "ui/dialogs/FolderDialog.h"
#include "ui/dialogs/PasswordDialog.h"

#include <QApplication>
#include <QImageReader>
#include <QMainWindow>
#include <QPointer>
#include <QSet>

namespace {

const QString pdfMimeType = QStringLiteral("application/pdf");

// Once a dialog closes, accepted or not, brings its window back in front with the keyboard on
// the control that opened it: some window managers left the window inactive, and Tab then moved
// a focus nobody could see.
class WindowReturn {
public:
    explicit WindowReturn(QWidget* window)
        : m_window(window), m_focus(window ? window->focusWidget() : nullptr)
    {
    }
    ~WindowReturn()
    {
        if (!m_window || !m_window->isVisible() || m_window->isMinimized()) {
            return;
        }
        m_window->raise();
        m_window->activateWindow();
        if (m_focus && m_focus->isVisible() && m_focus->isEnabled()) {
            m_focus->setFocus(Qt::OtherFocusReason);
        }
    }
    WindowReturn(const WindowReturn&) = delete;
    WindowReturn& operator=(const WindowReturn&) = delete;

    QWidget* window() const { return m_window; }

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
};

} // namespace

QtDialogs::QtDialogs(Style style, ParentWindow parent) : m_style(style), m_parent(std::move(parent))
{
}

QWidget* QtDialogs::parentWindow() const
{
    if (m_parent) {
        return m_parent();
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    // Without a window manager nothing may be active even while the window is in front; the
    // application's visible main window is then the one that asked, never the bare screen.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(window) && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

void QtDialogs::prepare(QFileDialog& dialog) const
{
    dialog.setModal(true);
    if (m_style == Style::qtWidgets) {
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    }
}

std::optional<QString> QtDialogs::firstSelected(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.first();
}

QStringList QtDialogs::openPDFs(bool multiple)
{
    const WindowReturn back(parentWindow());
    QFileDialog dialog(back.window());
    prepare(dialog);
    dialog.setObjectName(QStringLiteral("openPDFs"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setMimeTypeFilters({pdfMimeType});
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles();
}

std::optional<QString> QtDialogs::save(const QString& suggested, const QString& directory)
{
    const WindowReturn back(parentWindow());
    QFileDialog dialog(back.window());
    prepare(dialog);
    dialog.setObjectName(QStringLiteral("save"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setMimeTypeFilters({pdfMimeType});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // Overwriting an existing file is confirmed by the dialog itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setDirectory(directory);
    dialog.selectFile(suggested + QStringLiteral(".pdf"));
    return firstSelected(dialog);
}

std::optional<QString> QtDialogs::folder(const QString& directory)
{
    const WindowReturn back(parentWindow());
    FolderDialog dialog(back.window());
    prepare(dialog);
    dialog.setDirectory(directory);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.chosen();
}

std::optional<QString> QtDialogs::password(const QString& path,
                                           const std::function<bool(const QString&)>& unlock)
{
    const WindowReturn back(parentWindow());
    return PasswordDialog::ask(path, unlock, back.window());
}

QString QtDialogs::imageNameFilter()
{
    QStringList patterns;
    QSet<QString> seen;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString suffix = QString::fromLatin1(format).toLower();
        if (!seen.contains(suffix)) {
            seen.insert(suffix);
            patterns << QStringLiteral("*.") + suffix;
        }
    }
    return QCoreApplication::translate("Dialogs", "Görseller (%1)")
        .arg(patterns.join(QLatin1Char(' ')));
}

std::optional<QString> QtDialogs::openImage()
{
    const WindowReturn back(parentWindow());
    QFileDialog dialog(back.window());
    prepare(dialog);
    dialog.setObjectName(QStringLiteral("openImage"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(imageNameFilter());
    return firstSelected(dialog);
}
