#pragma once

#include <QString>
#include <array>

// The panes of the settings window, in tab order; the raw value is both the stored
// value under "settingsPane" and the tab's (Turkish source) title.
enum class SettingsPane { general, data, about };

namespace SettingsPanes {

inline constexpr std::array<SettingsPane, 3> all = {SettingsPane::general, SettingsPane::data,
                                                    SettingsPane::about};

QString rawValue(SettingsPane pane);
// Any other stored value reads as general.
SettingsPane fromRawValue(const QString& raw);
QString title(SettingsPane pane);
QString symbol(SettingsPane pane);

} // namespace SettingsPanes
