#include "store/Dialogs.h"
#include "store/Store.h"

#include <QFileInfo>

namespace {

const QString historyPage = QStringLiteral("history");

} // namespace

void Store::clearHistory()
{
    // A failure to show records' files goes with the records.
    removeError(historyPage);
    AppData data = m_data;
    data.history.clear();
    setData(data, historyPage);
}

void Store::reveal(const QStringList& paths, const QString& page)
{
    if (paths.isEmpty()) {
        return;
    }
    // A click that does nothing tells the user nothing; the folder lets them go there themselves.
    m_reveal.reveal(paths, [store = QPointer<Store>(this), page, paths] {
        if (store) {
            store->setError(page, revealFailure(paths));
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

void Store::openOutput(const QString& path, const QString& page)
{
    m_reveal.open(path, [store = QPointer<Store>(this), page, path] {
        if (store) {
            store->setError(page, tr("PDF görüntüleyici açılamadı. Dosya: %1").arg(path));
        }
    });
}
