#pragma once

#include "core/PageInfo.h"

#include <QMap>
#include <QWidget>

class BrandHeader;
class SidebarRow;
class QVBoxLayout;

// The main window's left column: brand header, the tools and the records, and the privacy line.
// The selected row holds the keyboard focus while the sidebar has it; Up and Down choose.
class Sidebar : public QWidget {
    Q_OBJECT
public:
    static constexpr int minimumWidth = 200;
    static constexpr int idealWidth = 220;
    static constexpr int maximumWidth = 280;

    // A row for each tool, in order, under "Araçlar", then the history's under "Kayıtlar".
    Sidebar(const QString& version, const QList<PageInfo>& tools, const PageInfo& history,
            QWidget* parent = nullptr);

    const QString& selected() const { return m_selected; }
    // Marks the row of `page`; emits nothing.
    void setSelected(const QString& page);
    void setCount(const QString& page, int count);

    SidebarRow* row(const QString& page) const;
    BrandHeader* header() const { return m_header; }
    // The slot under the privacy line, for a row that announces an available update.
    QVBoxLayout* footer() const { return m_footer; }

    QSize sizeHint() const override;

signals:
    // The user picked a page (click or arrow keys).
    void pageChosen(const QString& page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A titled group of rows: a heading, then a list named by it.
    QWidget* addGroup(const QString& title, QVBoxLayout* column);
    void addRow(const PageInfo& page, QWidget* group);
    QWidget* privacyLine();
    void setEmphasized(bool emphasized);

    BrandHeader* m_header;
    QList<SidebarRow*> m_rows; // in sidebar order
    QVBoxLayout* m_footer;
    QString m_selected;
};
