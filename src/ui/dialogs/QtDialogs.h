#pragma once

#include "store/Dialogs.h"

#include <QFileDialog>
#include <functional>

class QWidget;

// The application's file dialogs and password prompt, shown modally over the
// window that is active when they are asked for (the visible main window when none is).
class QtDialogs : public Dialogs {
public:
    using ParentWindow = std::function<QWidget*()>;

    enum class Style { native, qtWidgets };

    // The Qt-drawn style keeps the dialogs inspectable where no platform dialog exists (tests).
    explicit QtDialogs(Style style = Style::native, ParentWindow parent = {});

    QStringList openPDFs(bool multiple) override;
    std::optional<QString> save(const QString& suggested, const QString& directory) override;
    std::optional<QString> folder(const QString& directory) override;
    std::optional<QString> password(const QString& path,
                                    const std::function<bool(const QString&)>& unlock) override;
    std::optional<QString> openImage() override;

    // The name filter of the image picker: every format this Qt build can decode.
    static QString imageNameFilter();

private:
    QWidget* parentWindow() const;
    void prepare(QFileDialog& dialog) const;
    static std::optional<QString> firstSelected(QFileDialog& dialog);

    Style m_style;
    ParentWindow m_parent;
};
