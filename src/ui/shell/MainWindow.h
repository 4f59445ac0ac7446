#pragma once

#include "AppSection.h"

#include <QMainWindow>
#include <QMap>

class QAction;
class QMenu;
class QStackedWidget;
class ShellWindows;
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

    // Brings the main window forward for files opened from outside; at most one delayed
    // reopen per second.
    static void showForExternalEvent();

    AppSection section() const { return m_section; }
    // The About and settings windows this window opens.
    ShellWindows& windows() const { return *m_windows; }
    Store& store() const { return m_store; }

protected:
    // Where closing the window quits the application, a run in progress is asked about first.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // The general settings, where the update status and its answers are.
    void openUpdateSettings();
    void showSection(AppSection section);
    void updateCounts();

    Store& m_store;
    Sidebar* m_sidebar;
    QStackedWidget* m_detail;
    ShellWindows* m_windows;
    QMap<AppSection, QWidget*> m_screens;
    QMap<AppSection, QAction*> m_sectionActions;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QAction* m_quit = nullptr;
    AppSection m_section = AppSection::merge;
};
