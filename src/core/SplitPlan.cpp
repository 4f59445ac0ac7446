#include "core/SplitPlan.h"

QString groupLabel(const PageGroup& group)
{
    if (group.isEmpty()) {
        return {};
    }
    if (group.first() == group.last()) {
        return QString::number(group.first() + 1);
    }
    return QStringLiteral("%1-%2").arg(group.first() + 1).arg(group.last() + 1);
}
