#pragma once

#include <QFrame>

class QVBoxLayout;
class Store;
struct HistoryItem;

// The tray's popup: the tools, the four newest results, and buttons to open the window,
// the settings, or quit. Rebuilt whenever the Store changes and each time it opens (files
// go and dates age meanwhile); closes when it loses focus.
class TrayPopup : public QFrame {
    Q_OBJECT
public:
    static constexpr int minimumWidth = 320;
    static constexpr int recentCount = 4;

    static constexpr int tileMinimum = 86;

    explicit TrayPopup(Store& store, QWidget* parent = nullptr);

    // Builds the content afresh (which outputs still exist, how long ago) and takes its size.
    void refresh();

signals:
    void toolChosen(const QString& tool);
    void openRequested();
    void settingsRequested();
    void quitRequested();
    // A recent record's magnifier: show these existing outputs in the file manager.
    void revealRequested(const QStringList& paths);

private:
    QWidget* header();
    QWidget* tiles();
    QWidget* recent();
    QWidget* recentRow(const HistoryItem& item);
    QWidget* footer();

    Store& m_store;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_column;
};
