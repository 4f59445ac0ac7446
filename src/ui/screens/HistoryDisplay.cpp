#include "ui/screens/HistoryDisplay.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "store/ToolModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace HistoryDisplay {

QStringList urls(const HistoryItem& item)
{
    return item.outputs;
}

QString title(const HistoryItem& item)
{
    if (item.outputs.isEmpty()) {
        return {};
    }
    const QFileInfo first(item.outputs.first());
    if (item.outputs.size() == 1) {
        return first.fileName();
    }
    return QCoreApplication::translate("HistoryDisplay", "%1 dosya · %2")
        .arg(Formatting::count(item.outputs.size(), AppLanguages::locale()),
             first.absoluteDir().dirName());
}

QStringList existing(const HistoryItem& item)
{
    QStringList present;
    for (const QString& path : item.outputs) {
        if (QFileInfo::exists(path)) {
            present << path;
        }
    }
    return present;
}

QString symbol(const ToolModel* tool)
{
    return tool ? tool->symbol() : QStringLiteral("doc");
}

std::optional<QString> toolName(const ToolModel* tool)
{
    return tool ? std::optional<QString>(tool->title()) : std::nullopt;
}

} // namespace HistoryDisplay
