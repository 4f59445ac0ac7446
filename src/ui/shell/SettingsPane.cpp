#include "ui/shell/SettingsPane.h"

#include <QCoreApplication>

namespace SettingsPanes {

QString rawValue(SettingsPane pane)
{
    switch (pane) {
    case SettingsPane::general: return QStringLiteral("Genel");
    case SettingsPane::data: return QStringLiteral("Veri");
    case SettingsPane::about: return QStringLiteral("Hakkında");
    }
    return {};
}

SettingsPane fromRawValue(const QString& raw)
{
    for (SettingsPane pane : all) {
        if (rawValue(pane) == raw) {
            return pane;
        }
    }
    return SettingsPane::general;
}

QString title(SettingsPane pane)
{
    switch (pane) {
    case SettingsPane::general: return QCoreApplication::translate("SettingsWindow", "Genel");
    case SettingsPane::data: return QCoreApplication::translate("SettingsWindow", "Veri");
    case SettingsPane::about: return QCoreApplication::translate("SettingsWindow", "Hakkında");
    }
    return {};
}

QString symbol(SettingsPane pane)
{
    switch (pane) {
    case SettingsPane::general: return QStringLiteral("gearshape");
    case SettingsPane::data: return QStringLiteral("externaldrive");
    case SettingsPane::about: return QStringLiteral("info.circle");
    }
    return {};
}

} // namespace SettingsPanes
