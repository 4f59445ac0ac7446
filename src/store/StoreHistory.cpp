#include "Panels.h"
#include "Store.h"

void Store::clearHistory()
{
    AppData data = m_data;
    data.history.clear();
    setData(data);
}

void Store::reveal(const QStringList& paths)
{
    if (!paths.isEmpty()) {
        m_reveal.reveal(paths);
    }
}
