#include "ui/screens/PageGridModel.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"

#include <QCoreApplication>

PageGridModel::PageGridModel(QObject* parent) : QAbstractListModel(parent) {}

QString PageGridModel::caption(int page)
{
    return QCoreApplication::translate("PageGridModel", "Sayfa %1")
        .arg(Formatting::count(page + 1, AppLanguages::locale()));
}

void PageGridModel::setPageCount(int pages)
{
    beginResetModel();
    m_pages = std::max(pages, 0);
    m_selected.clear();
    endResetModel();
}

void PageGridModel::setSelected(const QSet<int>& pages)
{
    const QSet<int> changed = (pages - m_selected) | (m_selected - pages);
    m_selected = pages;
    for (const int page : changed) {
        if (page >= 0 && page < m_pages) {
            const QModelIndex cell = index(page);
            emit dataChanged(cell, cell, {SelectedRole});
        }
    }
}

int PageGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_pages;
}

QVariant PageGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_pages) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return caption(index.row());
    case SelectedRole: return m_selected.contains(index.row());
    default: return {};
    }
}

Qt::ItemFlags PageGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
