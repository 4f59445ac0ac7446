#pragma once

#include <QMainWindow>
#include <QMap>

class QAction;
class QMenu;
class QStackedWidget;
class ShellWindows;
class Sidebar;
class Store;

// The main window: the sidebar of pages (the tools and the history), the selected page's screen,
// and the menus.
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

    // The key of the page shown.
    const QString& page() const { return m_page; }
    // The keys of its pages, in sidebar order.
    const QStringList& pages() const { return m_pages; }
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
    void showPage(const QString& page);
    void updateCounts();

    Store& m_store;
    Sidebar* m_sidebar;
    QStackedWidget* m_detail;
    ShellWindows* m_windows;
    QMap<QString, QWidget*> m_screens;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QAction* m_quit = nullptr;
    QStringList m_pages; // in sidebar order
    QString m_page;
};
