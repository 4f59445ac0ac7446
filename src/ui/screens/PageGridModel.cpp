#include "ui/screens/PageGridModel.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

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
    m_cells.clear();
    m_sourceNames.clear();
    m_selected.clear();
    endResetModel();
}

void PageGridModel::setCells(const QList<PDFEngine::OrganizedPage>& cells,
                             const QStringList& sourceNames)
{
    // Rows keep their place where they can: a turned page repaints, the view keeps its scroll.
    const bool sameCount = cells.size() == m_pages && !m_cells.isEmpty();
    if (!sameCount) {
        beginResetModel();
    }
    m_pages = static_cast<int>(cells.size());
    m_cells = cells;
    m_sourceNames = sourceNames;
    m_selected.clear();
    if (sameCount) {
        emit dataChanged(index(0), index(m_pages - 1));
    } else {
        endResetModel();
    }
}

PDFEngine::OrganizedPage PageGridModel::cell(int row) const
{
    if (m_cells.isEmpty()) {
        return {0, row, 0};
    }
    return m_cells.value(row);
}

void PageGridModel::setSelected(const QSet<int>& rows)
{
    const QSet<int> changed = (rows - m_selected) | (m_selected - rows);
    m_selected = rows;
    for (const int row : changed) {
        if (row >= 0 && row < m_pages) {
            const QModelIndex cell = index(row);
            emit dataChanged(cell, cell, {SelectedRole});
        }
    }
}

int PageGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_pages;
}

QString PageGridModel::fullCaption(int row) const
{
    const int source = cell(row).source;
    if (source <= 0 || source >= m_sourceNames.size()) {
        return caption(row);
    }
    return QCoreApplication::translate("PageGridModel", "%1 · %2")
        .arg(caption(row), m_sourceNames.at(source));
}

QString PageGridModel::accessibleText(int row) const
{
    const int turns = ((cell(row).quarterTurns % 4) + 4) % 4;
    QString text = fullCaption(row);
    if (turns != 0) {
        text = QCoreApplication::translate("PageGridModel", "%1, döndürülmüş %2°")
                   .arg(text, Formatting::count(qint64{turns} * 90, AppLanguages::locale()));
    }
    return text;
}

QVariant PageGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_pages) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole: return fullCaption(index.row());
    case Qt::AccessibleTextRole: return accessibleText(index.row());
    case SelectedRole: return m_selected.contains(index.row());
    default: return {};
    }
}

Qt::ItemFlags PageGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return m_draggable ? flags | Qt::ItemIsDragEnabled : flags;
}

QStringList PageGridModel::mimeTypes() const
{
    return {QString::fromLatin1(positionsMime)};
}

QMimeData* PageGridModel::mimeData(const QModelIndexList& indexes) const
{
    QList<int> rows;
    for (const QModelIndex& cell : indexes) {
        rows << cell.row();
    }
    std::sort(rows.begin(), rows.end());
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << rows;
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(positionsMime), bytes);
    return mime;
}

QList<int> PageGridModel::positions(const QMimeData* mime)
{
    QList<int> rows;
    if (mime && mime->hasFormat(QString::fromLatin1(positionsMime))) {
        QDataStream stream(mime->data(QString::fromLatin1(positionsMime)));
        stream >> rows;
    }
    return rows;
}
