#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The modal dialogs the Store asks the user through. The application installs
// the Qt dialogs; tests install scripted answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // PDF files to open; empty when cancelled.
    virtual QStringList openPDFs(bool multiple) = 0;
    // Where to save, starting in directory with the name field preset to suggested + ".pdf";
    // absent when cancelled.
    virtual std::optional<QString> save(const QString& suggested, const QString& directory) = 0;
    // A folder to write into, starting in directory; absent when cancelled. It may not exist yet
    // when the user agreed to have it made: the run makes it once it has something to put in it.
    virtual std::optional<QString> folder(const QString& directory) = 0;
    // Asks until unlock accepts a password (returned) or the user cancels (absent).
    virtual std::optional<QString> password(const QString& path,
                                            const std::function<bool(const QString&)>& unlock) = 0;
    // An image file for a signature; absent when cancelled.
    virtual std::optional<QString> openImage() = 0;
};

// Shows files in the file manager, or opens one.
class FileReveal {
public:
    // Told, possibly later, that neither a file manager nor a folder handler answered.
    using Failed = std::function<void()>;

    virtual ~FileReveal() = default;
    virtual void reveal(const QStringList& paths, Failed failed) = 0;
    // Opens the file in the desktop's default application for it.
    virtual void open(const QString& path, Failed failed) = 0;
};
