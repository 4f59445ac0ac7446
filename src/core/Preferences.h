#pragma once

#include <QObject>
#include <QString>

// The settings a user changes in more than one place (see Settings), read from the settings file
// each time and announced when changed, so every control showing one follows at once.
class Preferences : public QObject {
    Q_OBJECT
public:
    static Preferences& shared();

    static bool revealAfter();
    static void setRevealAfter(bool on);
    static bool noticeMuted();
    static void setNoticeMuted(bool muted);
    // The stored raw value of the last settings pane; empty when none is stored.
    static QString settingsPane();
    static void setSettingsPane(const QString& raw);
    // The folder a tool (by its raw section name) last saved into; empty when none is stored.
    static QString saveFolder(const QString& tool);
    static void setSaveFolder(const QString& tool, const QString& folder);

signals:
    void revealAfterChanged(bool on);
    void noticeMutedChanged(bool muted);

private:
    Preferences() = default;
};
