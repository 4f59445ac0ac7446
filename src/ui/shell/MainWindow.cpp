#include "ui/shell/MainWindow.h"

#include "core/AppInfo.h"
#include "store/Store.h"
#include "store/ToolModel.h"
#include "tools/ToolTable.h"
#include "ui/kit/BrandHeader.h"
#include "ui/screens/HistoryScreen.h"
#include "ui/shell/CheckForUpdatesButton.h"
#include "ui/shell/Navigation.h"
#include "ui/shell/QuitGuard.h"
#include "ui/shell/ShellWindows.h"
#include "ui/shell/Sidebar.h"
#include "ui/shell/UpdateAvailableRow.h"
#include "ui/shell/WindowPresenter.h"
#include "ui/shell/WindowShortcuts.h"
#include "update/Updater.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QList<PageInfo> toolPages(const Store& store)
{
    QList<PageInfo> pages;
    for (const ToolModel* tool : store.tools()) {
        pages.append(tool->page());
    }
    return pages;
}

} // namespace

MainWindow::MainWindow(Store& store, QWidget* parent)
    : QMainWindow(parent), m_store(store),
      m_sidebar(new Sidebar(AppInfo::version(), toolPages(store), HistoryScreen::page(), this)),
      m_detail(new QStackedWidget(this)), m_windows(new ShellWindows(store, this))
{
    m_sidebar->setObjectName(QStringLiteral("sidebar"));
    setWindowTitle(QStringLiteral("Leaflow"));
    // The divider drags within the sidebar's own limits; the detail takes what the window gains.
    auto* content = new QSplitter(Qt::Horizontal, this);
    content->setObjectName(QStringLiteral("columns"));
    content->setMinimumSize(minimumContentSize);
    content->setChildrenCollapsible(false);
    content->setHandleWidth(1);
    content->addWidget(m_sidebar);
    content->addWidget(m_detail);
    content->setStretchFactor(1, 1);
    content->setSizes({Sidebar::idealWidth, defaultSize.width() - Sidebar::idealWidth});
    m_detail->setMinimumWidth(detailMinimumWidth);
    setCentralWidget(content);

    // Every screen is built up front, so switching sections never waits.
    QList<std::pair<QString, QWidget*>> screens;
    for (ToolModel* tool : store.tools()) {
        screens.append({tool->key(), ToolTable::makeScreen(*tool, m_store, m_detail)});
    }
    screens.append({HistoryScreen::page().key, new HistoryScreen(m_store, m_detail)});
    for (const auto& [key, screen] : screens) {
        screen->setObjectName(key);
        m_screens.insert(key, screen);
        m_pages.append(key);
        m_detail->addWidget(screen);
    }

    buildMenus();
    new WindowShortcuts(*this);
    m_sidebar->footer()->addWidget(new UpdateAvailableRow(
        Updater::shared(), [this] { openUpdateSettings(); }, m_sidebar));
    resize(defaultSize.width(), defaultSize.height() + menuBar()->sizeHint().height());

    connect(m_sidebar, &Sidebar::pageChosen, this, &Navigation::setCurrent);
    connect(&Navigation::shared(), &Navigation::changed, this, &MainWindow::showPage);
    connect(&m_store, &Store::pageWanted, this, &Navigation::setCurrent);
    connect(m_sidebar->header(), &BrandHeader::aboutRequested, m_windows, &ShellWindows::showAbout);
    connect(m_sidebar->header(), &BrandHeader::settingsRequested, m_windows,
            &ShellWindows::showSettings);
    connect(&m_store, &Store::changed, this, &MainWindow::updateCounts);
    connect(&m_store, &Store::probingChanged, this, [this] {
        m_store.isProbing() ? QApplication::setOverrideCursor(Qt::BusyCursor)
                            : QApplication::restoreOverrideCursor();
    });

    showPage(Navigation::current());
    updateCounts();

    WindowPresenter::shared().setWindow(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::showForExternalEvent()
{
    WindowPresenter::shared().showForExternalEvent();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Where the tray keeps the application, closing the window only hides it: the run goes on.
    if (QApplication::quitOnLastWindowClosed() && !QuitGuard::allowQuit(m_store, this)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(tr("Dosya"));
    QAction* add = m_fileMenu->addAction(tr("PDF ekle…"));
    add->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(add, &QAction::triggered, this, [this] {
        if (ToolModel* tool = m_store.tool(m_page)) {
            m_store.open(*tool);
        }
    });
    QAction* save = m_fileMenu->addAction(tr("Sonucu kaydet…"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(save, &QAction::triggered, this, [this] {
        if (ToolModel* tool = m_store.tool(m_page)) {
            m_store.run(*tool);
        }
    });
    m_fileMenu->addSeparator();
    // The gear's tip promises this shortcut.
    QAction* settings = m_fileMenu->addAction(tr("Ayarlar…"));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setMenuRole(QAction::PreferencesRole);
    connect(settings, &QAction::triggered, m_windows, &ShellWindows::showSettings);
    m_fileMenu->addSeparator();
    m_quit = m_fileMenu->addAction(tr("Çık"));
    m_quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_quit->setMenuRole(QAction::QuitRole);
    connect(
        m_quit, &QAction::triggered, this,
        [this] {
            if (QuitGuard::allowQuit(m_store, this)) {
                QApplication::quit();
            }
        },
        Qt::QueuedConnection);

    m_toolsMenu = menuBar()->addMenu(tr("Araçlar"));
    int digit = 1;
    QList<PageInfo> pages = toolPages(m_store);
    pages.append(HistoryScreen::page());
    for (const PageInfo& page : pages) {
        QAction* action = m_toolsMenu->addAction(page.title);
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + digit)));
        connect(action, &QAction::triggered, this,
                [key = page.key] { Navigation::setCurrent(key); });
        ++digit;
    }

    QMenu* help = menuBar()->addMenu(tr("Yardım"));
    QAction* about = help->addAction(tr("Leaflow hakkında"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, m_windows, &ShellWindows::showAbout);
    help->addAction(new CheckForUpdatesButton(
        Updater::shared(), [this] { openUpdateSettings(); }, help));
}

void MainWindow::openUpdateSettings()
{
    m_windows->showSettingsPane(SettingsPane::general);
}

void MainWindow::showPage(const QString& page)
{
    // A page this version does not have (a stored key from another) opens the first.
    m_page = m_screens.contains(page) ? page : m_pages.first();
    m_sidebar->setSelected(m_page);
    m_detail->setCurrentWidget(m_screens.value(m_page));
    m_store.setShownPage(m_page);
}

void MainWindow::updateCounts()
{
    for (const ToolModel* tool : m_store.tools()) {
        m_sidebar->setCount(tool->key(), tool->count());
    }
}
