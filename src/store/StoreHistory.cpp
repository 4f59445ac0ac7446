#include "Panels.h"
#include "Store.h"

#include <QFileInfo>

void Store::clearHistory()
{
    // A failure to show records' files goes with the records.
    removeError(AppSection::history);
    AppData data = m_data;
    data.history.clear();
    setData(data, AppSection::history);
}

void Store::reveal(const QStringList& paths, AppSection section)
{
    if (paths.isEmpty()) {
        return;
    }
    // A click that does nothing tells the user nothing; the folder lets them go there themselves.
    m_reveal.reveal(paths, [store = QPointer<Store>(this), section, paths] {
        if (store) {
            store->setError(section, revealFailure(paths));
        }
    });
}

QString Store::revealFailure(const QStringList& paths)
{
    QStringList folders;
    for (const QString& path : paths) {
        const QString folder = QFileInfo(path).absolutePath();
        if (!folders.contains(folder)) {
            folders << folder;
        }
    }
    return tr("Dosya yöneticisi açılamadı. Konum: %1").arg(folders.join(QStringLiteral(" · ")));
}

void Store::openOutput(const QString& path, AppSection section)
{
    m_reveal.open(path, [store = QPointer<Store>(this), section, path] {
        if (store) {
            store->setError(section, tr("PDF görüntüleyici açılamadı. Dosya: %1").arg(path));
        }
    });
}
