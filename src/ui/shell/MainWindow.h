#pragma once

#include "AppSection.h"

#include <QMainWindow>
#include <QMap>

class QAction;
class QMenu;
class QStackedWidget;
class Sidebar;
class Store;

// The main window: the sidebar of sections, the selected section's screen, and the menus.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QSize defaultSize{1180, 780};
    static constexpr QSize minimumContentSize{760, 520};
    static constexpr int detailMinimumWidth = 540;

    explicit MainWindow(Store& store, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The latest main window, while it exists.
    static MainWindow* window();
    // Brings the main window to the front (opening it again if it was closed).
    static void showMain();
    // The same for files opened from outside; at most one delayed reopen per second.
    static void showForExternalEvent();

    AppSection section() const { return m_section; }
    Sidebar* sidebar() const { return m_sidebar; }
    QWidget* screen(AppSection section) const { return m_screens.value(section); }
    QWidget* currentScreen() const;

    QMenu* fileMenu() const { return m_fileMenu; }
    QMenu* toolsMenu() const { return m_toolsMenu; }
    // The help menu, added to the menu bar the first time it is asked for.
    QMenu* helpMenu();
    QAction* quitAction() const { return m_quit; }
    QAction* sectionAction(AppSection section) const { return m_sectionActions.value(section); }

signals:
    // The brand header's buttons; the about and settings windows answer them.
    void aboutRequested();
    void settingsRequested();

private:
    void buildMenus();
    void showSection(AppSection section);
    void updateCounts();

    Store& m_store;
    Sidebar* m_sidebar;
    QStackedWidget* m_detail;
    QMap<AppSection, QWidget*> m_screens;
    QMap<AppSection, QAction*> m_sectionActions;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_quit = nullptr;
    AppSection m_section = AppSection::merge;
};
