#pragma once

#include <QList>
#include <QString>

using PageGroup = QList<int>; // zero-based, ascending, consecutive
using Grouping = QList<PageGroup>;

// "5" for [4], "3-7" for [2..6], "" for an empty group: how a group names its file.
QString groupLabel(const PageGroup& group);

// What a split would write: its page groups, or the message saying why it cannot.
struct SplitPlan {
    Grouping groups;
    QString error; // empty when the groups are good
};
