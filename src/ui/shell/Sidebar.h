#pragma once

#include "AppSection.h"

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

    explicit Sidebar(const QString& version, QWidget* parent = nullptr);

    AppSection selected() const { return m_selected; }
    // Marks the row of `section`; emits nothing.
    void setSelected(AppSection section);
    void setCount(AppSection section, int count);

    SidebarRow* row(AppSection section) const { return m_rows.value(section); }
    BrandHeader* header() const { return m_header; }
    // The slot under the privacy line, for a row that announces an available update.
    QVBoxLayout* footer() const { return m_footer; }

    QSize sizeHint() const override;

signals:
    // The user picked a section (click or arrow keys).
    void sectionChosen(AppSection section);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A titled group of rows: a heading, then a list named by it.
    QWidget* addGroup(const QString& title, QVBoxLayout* column);
    void addRow(AppSection section, QWidget* group);
    QWidget* privacyLine();
    void setEmphasized(bool emphasized);

    BrandHeader* m_header;
    QMap<AppSection, SidebarRow*> m_rows;
    QVBoxLayout* m_footer;
    AppSection m_selected = AppSection::merge;
};
