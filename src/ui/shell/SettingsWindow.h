#pragma once

#include "ui/shell/SettingsPane.h"

#include <QWidget>

class QTabWidget;
class Store;

// The settings window: general, data and About panes, the last one chosen remembered;
// every control edits its setting at once. Not modal, fixed 620 × 560.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize fixedSize{620, 560};
    // A window that cannot be resized offers no maximise button either (nor a minimise one).
    static constexpr Qt::WindowFlags fixedSizeHints =
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

    explicit SettingsWindow(Store& store, QWidget* parent = nullptr);

    SettingsPane pane() const;
    void setPane(SettingsPane pane);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTabWidget* m_tabs;
};
