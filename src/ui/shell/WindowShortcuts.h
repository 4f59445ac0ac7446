#pragma once

#include <QObject>

class QKeySequence;
class QMainWindow;

// Gives a window's menu shortcuts precedence over the text field that has
// the focus in it: on X11 keymaps a line edit claims Ctrl+E as "end of line", which End does
// as well, and the menu's "Sonucu kaydet…" never saw the key.
class WindowShortcuts : public QObject {
    Q_OBJECT
public:
    // Watches key presses inside `window` for as long as the window lives.
    explicit WindowShortcuts(QMainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isWindowShortcut(const QKeySequence& pressed) const;

    QMainWindow& m_window;
};
