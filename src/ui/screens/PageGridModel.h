#pragma once

#include <QAbstractListModel>
#include <QSet>

// The pages of one document as rows of a list: "Sayfa N" and whether the page is marked for
// deletion.
class PageGridModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { SelectedRole = Qt::UserRole + 1 };

    explicit PageGridModel(QObject* parent = nullptr);

    // A document of `pages` pages, nothing marked.
    void setPageCount(int pages);
    // Marks exactly these zero-based pages; only rows whose mark changed are announced.
    void setSelected(const QSet<int>& pages);
    const QSet<int>& selected() const { return m_selected; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // "Sayfa N" for the zero-based page.
    static QString caption(int page);

private:
    int m_pages = 0;
    QSet<int> m_selected;
};
