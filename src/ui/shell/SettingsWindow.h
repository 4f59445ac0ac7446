#pragma once

#include "SettingsPane.h"

#include <QWidget>

class QTabWidget;
class Store;

// The settings window: general, data and About panes, the last one chosen remembered;
// every control edits its setting at once. Not modal, fixed 620 × 560.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize fixedSize{620, 560};

    explicit SettingsWindow(Store& store, QWidget* parent = nullptr);

    SettingsPane pane() const;
    void setPane(SettingsPane pane);

private:
    QTabWidget* m_tabs;
};
