#pragma once

#include <QString>

class QVBoxLayout;
class QWidget;
class ToneLabel;

// The building blocks the settings panes and the small windows share: grouped cards, notes
// under a setting, dividers.
namespace SettingsForm {

// A card in `pane`'s column, with an optional heading; returns the card's own column.
QVBoxLayout* group(QWidget* pane, QVBoxLayout* column, const QString& heading = {});
// A note under a setting: callout size, secondary colour, wrapping.
ToneLabel* note(const QString& text, QWidget* parent);
// A hairline across the width.
QWidget* divider(QWidget* parent);

} // namespace SettingsForm
