#pragma once

#include <QString>

// What the window shows of a page: its key (a tool's, or "history"), title, subtitle and symbol.
struct PageInfo {
    QString key;
    QString title;
    QString subtitle;
    QString symbol;
};
