#include "MainWindow.h"

#include "AppInfo.h"
#include "BrandHeader.h"
#include "CheckForUpdatesButton.h"
#include "QuitGuard.h"
#include "ScreenFactory.h"
#include "SectionCounts.h"
#include "SectionText.h"
#include "ShellWindows.h"
#include "Sidebar.h"
#include "Store.h"
#include "UpdateAvailableRow.h"
#include "Updater.h"
#include "WindowPresenter.h"
#include "WindowShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

MainWindow::MainWindow(Store& store, QWidget* parent)
    : QMainWindow(parent), m_store(store), m_sidebar(new Sidebar(AppInfo::version(), this)),
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
    for (AppSection section : AppSections::all) {
        QWidget* screen = makeScreen(section, m_store, m_detail);
        screen->setObjectName(AppSections::rawValue(section));
        m_screens.insert(section, screen);
        m_detail->addWidget(screen);
    }

    buildMenus();
    new WindowShortcuts(*this);
    m_sidebar->footer()->addWidget(new UpdateAvailableRow(
        Updater::shared(), [this] { openUpdateSettings(); }, m_sidebar));
    resize(defaultSize.width(), defaultSize.height() + menuBar()->sizeHint().height());

    connect(m_sidebar, &Sidebar::sectionChosen, this, &AppSections::setCurrent);
    connect(&AppSections::changes(), &SectionChanges::changed, this, &MainWindow::showSection);
    connect(m_sidebar->header(), &BrandHeader::aboutRequested, m_windows, &ShellWindows::showAbout);
    connect(m_sidebar->header(), &BrandHeader::settingsRequested, m_windows,
            &ShellWindows::showSettings);
    connect(&m_store, &Store::changed, this, &MainWindow::updateCounts);
    connect(&m_store, &Store::probingChanged, this, [this] {
        m_store.isProbing() ? QApplication::setOverrideCursor(Qt::BusyCursor)
                            : QApplication::restoreOverrideCursor();
    });

    showSection(AppSections::current());
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
    connect(add, &QAction::triggered, this, [this] { m_store.open(AppSections::current()); });
    QAction* save = m_fileMenu->addAction(tr("Sonucu kaydet…"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(save, &QAction::triggered, this, [this] { m_store.run(AppSections::current()); });
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
    for (AppSection section : AppSections::all) {
        QAction* action = m_toolsMenu->addAction(SectionText::title(section));
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + digit)));
        connect(action, &QAction::triggered, this, [section] { AppSections::setCurrent(section); });
        m_sectionActions.insert(section, action);
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

void MainWindow::showSection(AppSection section)
{
    m_section = section;
    m_sidebar->setSelected(section);
    if (QWidget* screen = m_screens.value(section)) {
        m_detail->setCurrentWidget(screen);
    }
}

void MainWindow::updateCounts()
{
    for (AppSection section : AppSections::all) {
        m_sidebar->setCount(section, sectionCount(m_store, section));
    }
}
