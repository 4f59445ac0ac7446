#pragma once

#include "core/AppData.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the history shows for a record: its title, its outputs still on disk, and its tool's symbol
// and name.
class ToolModel;

namespace HistoryDisplay {

// The output paths, in order.
QStringList urls(const HistoryItem& item);
// No outputs: empty; one: its file name; several: the count and the first output's folder.
QString title(const HistoryItem& item);
// The outputs that exist now.
QStringList existing(const HistoryItem& item);
// The symbol of the record's tool; "doc" for a tool this version does not know.
QString symbol(const ToolModel* tool);
// The name of the record's tool; none for a tool this version does not know.
std::optional<QString> toolName(const ToolModel* tool);

} // namespace HistoryDisplay
