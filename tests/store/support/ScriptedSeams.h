#pragma once

#include "store/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Dialogs that answer from queues filled by the test and record every call in
// order. An empty queue answers as a cancelled dialog would.
class ScriptedDialogs : public Dialogs {
public:
    QList<QStringList> openAnswers;
    QList<std::optional<QString>> saveAnswers;
    QList<std::optional<QString>> folderAnswers;
    QList<std::optional<QString>> imageAnswers;
    // One entry per typed attempt, across all prompts; none stands for the cancel button.
    QList<std::optional<QString>> passwordAnswers;

    // "openPDFs(multiple)", "openPDFs(single)", "save(<suggested>)", "folder()",
    // "password(<file name>)", "openImage()".
    QStringList calls;
    // The directory each save and folder panel started in, in call order.
    QStringList directories;
    // Every password tried, with whether unlock accepted it.
    QList<std::pair<QString, bool>> passwordAttempts;

    QStringList openPDFs(bool multiple) override;
    std::optional<QString> save(const QString& suggested, const QString& directory) override;
    std::optional<QString> folder(const QString& directory) override;
    std::optional<QString> password(const QString& path,
                                    const std::function<bool(const QString&)>& unlock) override;
    std::optional<QString> openImage() override;
};

// Records what it was asked to show or open instead of asking the desktop; with `fails` set it
// reports, as a desktop without a file manager or PDF viewer would, that nothing answered.
class ScriptedReveal : public FileReveal {
public:
    QList<QStringList> revealed;
    QStringList opened;
    bool fails = false;
    void reveal(const QStringList& paths, Failed failed) override
    {
        revealed.append(paths);
        if (fails) {
            failed();
        }
    }
    void open(const QString& path, Failed failed) override
    {
        opened.append(path);
        if (fails) {
            failed();
        }
    }
};
