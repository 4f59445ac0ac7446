#include "core/Preferences.h"

#include "core/Settings.h"

Preferences& Preferences::shared()
{
    static Preferences preferences;
    return preferences;
}

bool Preferences::revealAfter()
{
    return Settings::revealAfter.value();
}

void Preferences::setRevealAfter(bool on)
{
    if (on == revealAfter()) {
        return;
    }
    Settings::revealAfter.set(on);
    emit shared().revealAfterChanged(on);
}

bool Preferences::noticeMuted()
{
    return Settings::noticeMuted.value();
}

void Preferences::setNoticeMuted(bool muted)
{
    if (muted == noticeMuted()) {
        return;
    }
    Settings::noticeMuted.set(muted);
    emit shared().noticeMutedChanged(muted);
}

QString Preferences::settingsPane()
{
    return Settings::settingsPane.value();
}

void Preferences::setSettingsPane(const QString& raw)
{
    Settings::settingsPane.set(raw);
}

QString Preferences::saveFolder(const QString& tool)
{
    return Settings::saveFolder[tool].value();
}

void Preferences::setSaveFolder(const QString& tool, const QString& folder)
{
    Settings::saveFolder[tool].set(folder);
}
