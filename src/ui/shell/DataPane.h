#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QMessageBox;
class QPushButton;
class Store;
class ToneLabel;

// The data settings: where the data lives (with a way there), what it holds, and
// clearing the history after a confirmation.
class DataPane : public QWidget {
    Q_OBJECT
public:
    explicit DataPane(Store& store, QWidget* parent = nullptr);

private:
    void showCounts();
    void revealFolder();

    Store& m_store;
    QLabel* m_signatures;
    QLabel* m_history;
    QPushButton* m_clear = nullptr;
    ToneLabel* m_failure;
    QPointer<QMessageBox> m_confirmation;
};
