#pragma once

#include "core/PageInfo.h"

#include <QAbstractButton>

class Badge;
class SymbolView;
class ToneLabel;

// One page in the sidebar: its symbol and title, and a count badge when the count is not 0.
// To assistive technology it is a list item named by its title and count; the selected row is
// the sidebar's one stop in the Tab order, and the arrow keys go on to the sidebar.
class SidebarRow : public QAbstractButton {
    Q_OBJECT
public:
    explicit SidebarRow(const PageInfo& page, QWidget* parent = nullptr);

    const QString& key() const { return m_page.key; }

    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }
    // Drawn in the accent colour while the sidebar has the keyboard focus.
    void setEmphasized(bool emphasized);

    void setCount(int count);
    int count() const { return m_count; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyColors();
    void describe();

    PageInfo m_page;
    SymbolView* m_symbol;
    ToneLabel* m_title;
    Badge* m_badge;
    int m_count = 0;
    bool m_selected = false;
    bool m_emphasized = false;
    bool m_hovered = false;
};
