#pragma once

#include "AppSection.h"

#include <QFrame>

class QVBoxLayout;
class Store;
struct HistoryItem;

// The tray's popup: the tools, the four newest results, and buttons to open the window,
// the settings, or quit. Rebuilt whenever the Store changes; closes when it loses focus.
class TrayPopup : public QFrame {
    Q_OBJECT
public:
    static constexpr int minimumWidth = 320;
    static constexpr int recentCount = 4;

    explicit TrayPopup(Store& store, QWidget* parent = nullptr);

signals:
    void toolChosen(AppSection section);
    void openRequested();
    void settingsRequested();
    void quitRequested();

private:
    void rebuild();
    QWidget* header();
    QWidget* tiles();
    QWidget* recent();
    QWidget* recentRow(const HistoryItem& item);
    QWidget* footer();

    Store& m_store;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_column;
};
