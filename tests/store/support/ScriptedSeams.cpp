#include "ScriptedSeams.h"

#include <QFileInfo>

namespace {

template <typename T>
T takeOr(QList<T>& queue, T fallback)
{
    return queue.isEmpty() ? fallback : queue.takeFirst();
}

} // namespace

QStringList ScriptedDialogs::openPDFs(bool multiple)
{
    calls.append(multiple ? QStringLiteral("openPDFs(multiple)")
                          : QStringLiteral("openPDFs(single)"));
    return takeOr(openAnswers, QStringList{});
}

std::optional<QString> ScriptedDialogs::save(const QString& suggested, const QString& directory)
{
    calls.append(QStringLiteral("save(%1)").arg(suggested));
    directories.append(directory);
    return takeOr(saveAnswers, std::optional<QString>{});
}

std::optional<QString> ScriptedDialogs::folder(const QString& directory)
{
    calls.append(QStringLiteral("folder()"));
    directories.append(directory);
    return takeOr(folderAnswers, std::optional<QString>{});
}

std::optional<QString> ScriptedDialogs::password(const QString& path,
                                                 const std::function<bool(const QString&)>& unlock)
{
    calls.append(QStringLiteral("password(%1)").arg(QFileInfo(path).fileName()));
    for (;;) {
        std::optional<QString> typed = takeOr(passwordAnswers, std::optional<QString>{});
        if (!typed) {
            return std::nullopt;
        }
        const bool accepted = unlock(*typed);
        passwordAttempts.append({*typed, accepted});
        if (accepted) {
            return typed;
        }
    }
}

std::optional<QString> ScriptedDialogs::openImage()
{
    calls.append(QStringLiteral("openImage()"));
    return takeOr(imageAnswers, std::optional<QString>{});
}
