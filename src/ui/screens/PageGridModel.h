#pragma once

#include "engine/include/Job.h"

#include <QAbstractListModel>
#include <QSet>
#include <QStringList>

// The pages of a grid as rows of a list: "Sayfa N" for the position, which page of which file the
// cell shows and how far it is turned, and whether it is marked or selected.
class PageGridModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { SelectedRole = Qt::UserRole + 1 };
    // What the drag of some cells carries: their positions, in order.
    static constexpr const char* positionsMime = "application/x-leaflow-page-positions";

    explicit PageGridModel(QObject* parent = nullptr);

    // A document of `pages` pages shown as they are, nothing marked.
    void setPageCount(int pages);
    // Cells taken from several files, each turned as it says; sourceNames name the files, and
    // cells of a file after the first carry its name in their caption.
    void setCells(const QList<PDFEngine::OrganizedPage>& cells, const QStringList& sourceNames);
    PDFEngine::OrganizedPage cell(int row) const;
    // Lets the cells be dragged (their positions travel as positionsMime).
    void setDraggable(bool draggable) { m_draggable = draggable; }
    // Marks exactly these zero-based rows; only rows whose mark changed are announced.
    void setSelected(const QSet<int>& rows);
    const QSet<int>& selected() const { return m_selected; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }

    // "Sayfa N" for the zero-based position.
    static QString caption(int page);
    // The caption with the name of the file the cell comes from, when it is not the first one.
    QString fullCaption(int row) const;
    // The positions a drag carries; none for other data.
    static QList<int> positions(const QMimeData* mime);

private:
    QString accessibleText(int row) const;

    int m_pages = 0;
    QList<PDFEngine::OrganizedPage> m_cells; // empty: every page of one file as it is
    QStringList m_sourceNames;
    QSet<int> m_selected;
    bool m_draggable = false;
};
