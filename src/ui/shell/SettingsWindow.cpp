#include "ui/shell/SettingsWindow.h"

#include "core/Preferences.h"
#include "ui/kit/Accessible.h"
#include "ui/kit/Icons.h"
#include "ui/kit/Theme.h"
#include "ui/shell/AboutView.h"
#include "ui/shell/DataPane.h"
#include "ui/shell/GeneralPane.h"
#include "ui/shell/TabBarAccess.h"

#include <QKeyEvent>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QWidget* aboutPane(Store& store)
{
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(new AboutView(store, false));
    return scroll;
}

} // namespace

SettingsWindow::SettingsWindow(Store& store, QWidget* parent)
    : QWidget(parent, Qt::Window | fixedSizeHints), m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("settings"));
    // Before anything that names it, which makes its accessibility interface.
    Accessible::setRole(this, QAccessible::Window);
    TabBarAccess::install();
    setWindowTitle(tr("Ayarlar"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(fixedSize);

    for (SettingsPane pane : SettingsPanes::all) {
        QWidget* page = nullptr;
        switch (pane) {
        case SettingsPane::general: page = new GeneralPane(store); break;
        case SettingsPane::data: page = new DataPane(store); break;
        case SettingsPane::about: page = aboutPane(store); break;
        }
        page->setObjectName(SettingsPanes::rawValue(pane));
        m_tabs->addTab(page,
                       Icons::icon(SettingsPanes::symbol(pane),
                                   palette().color(QPalette::WindowText)),
                       SettingsPanes::title(pane));
    }
    m_tabs->tabBar()->setAccessibleName(tr("Ayarlar bölümleri"));
    m_tabs->setCurrentIndex(
        static_cast<int>(SettingsPanes::fromRawValue(Preferences::settingsPane())));
    connect(m_tabs, &QTabWidget::currentChanged, this,
            [this] { Preferences::setSettingsPane(SettingsPanes::rawValue(pane())); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_tabs);
}

SettingsPane SettingsWindow::pane() const
{
    return SettingsPanes::all.at(static_cast<std::size_t>(std::max(m_tabs->currentIndex(), 0)));
}

void SettingsWindow::setPane(SettingsPane pane)
{
    m_tabs->setCurrentIndex(static_cast<int>(pane));
}

void SettingsWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape closes it as it closes a dialog; no control in it has another use for the key.
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
