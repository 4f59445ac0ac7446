#pragma once

#include <QString>

class QVBoxLayout;
class QWidget;
class ToneLabel;

// The building blocks the settings panes share: grouped cards and notes under a setting.
namespace SettingsForm {

// A card in `pane`'s column, with an optional heading; returns the card's own column.
QVBoxLayout* group(QWidget* pane, QVBoxLayout* column, const QString& heading = {});
// A note under a setting: callout size, secondary colour, wrapping.
ToneLabel* note(const QString& text, QWidget* parent);

} // namespace SettingsForm
