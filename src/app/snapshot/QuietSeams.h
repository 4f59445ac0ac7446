#pragma once

#include "store/Dialogs.h"

// The harness runs unattended: no dialog waits for an answer and nothing opens on the desktop.

// Every dialog is cancelled at once.
class QuietDialogs : public Dialogs {
public:
    QStringList openPDFs(bool multiple) override;
    std::optional<QString> save(const QString& suggested, const QString& directory) override;
    std::optional<QString> folder(const QString& directory) override;
    std::optional<QString> password(const QString& path,
                                    const std::function<bool(const QString&)>& unlock) override;
    std::optional<QString> openImage() override;
};

// Shows and opens nothing.
class QuietReveal : public FileReveal {
public:
    void reveal(const QStringList& paths, Failed failed) override;
    void open(const QString& path, Failed failed) override;
};
