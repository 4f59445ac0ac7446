#pragma once

#include <QDialog>

class Store;

// The About window: the About view 560 points wide, closed by its button, Return or Escape.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int fixedWidth = 560;

    explicit AboutWindow(Store& store, QWidget* parent = nullptr);
};
