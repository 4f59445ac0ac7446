#pragma once

#include <QObject>
#include <QString>

// The page the main window shows, by key ("merge", "history"…), kept in the settings key
// "section" so the next start opens it; every write is announced, so windows follow a choice
// made anywhere (the sidebar, the menus, the tray).
class Navigation : public QObject {
    Q_OBJECT

public:
    static Navigation& shared();

    // The stored page; empty when none is stored. The window falls back to its first page for a
    // key it does not know.
    static QString current();
    static void setCurrent(const QString& page);

signals:
    void changed(const QString& page);

private:
    Navigation() = default;
};
