#include "core/AppData.h"

void AppData::recordRun(const HistoryItem& item)
{
    history.prepend(item);
    if (history.size() > historyLimit) {
        history.resize(historyLimit);
    }
}
