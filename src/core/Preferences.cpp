#include "Preferences.h"

#include <QSettings>

namespace {

const QString revealKey = QStringLiteral("revealAfter");
const QString mutedKey = QStringLiteral("backgroundNoticeMuted");
const QString paneKey = QStringLiteral("settingsPane");

QString saveFolderKey(const QString& tool)
{
    return QStringLiteral("saveFolder/") + tool;
}

} // namespace

Preferences& Preferences::shared()
{
    static Preferences preferences;
    return preferences;
}

bool Preferences::revealAfter()
{
    return QSettings().value(revealKey, false).toBool();
}

void Preferences::setRevealAfter(bool on)
{
    if (on == revealAfter()) {
        return;
    }
    QSettings().setValue(revealKey, on);
    emit shared().revealAfterChanged(on);
}

bool Preferences::noticeMuted()
{
    return QSettings().value(mutedKey, false).toBool();
}

void Preferences::setNoticeMuted(bool muted)
{
    if (muted == noticeMuted()) {
        return;
    }
    QSettings().setValue(mutedKey, muted);
    emit shared().noticeMutedChanged(muted);
}

QString Preferences::settingsPane()
{
    return QSettings().value(paneKey).toString();
}

void Preferences::setSettingsPane(const QString& raw)
{
    QSettings().setValue(paneKey, raw);
}

QString Preferences::saveFolder(const QString& tool)
{
    return QSettings().value(saveFolderKey(tool)).toString();
}

void Preferences::setSaveFolder(const QString& tool, const QString& folder)
{
    QSettings().setValue(saveFolderKey(tool), folder);
}
