#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class Store;
class ToneLabel;

// The general settings: language, reveal after a run, the compression level, the
// background notice and updates.
class GeneralPane : public QWidget {
    Q_OBJECT
public:
    explicit GeneralPane(Store& store, QWidget* parent = nullptr);

private:
    void addLevelGroup(QWidget* pane);
    void showLevel();

    Store& m_store;
    QCheckBox* m_reveal;
    QComboBox* m_level;
    ToneLabel* m_levelNote;
    QCheckBox* m_notice;
};
