#pragma once

#include <QWidget>

class LanguagePicker;
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
    void showLevel();
    // The notice is shown only where a tray keeps the application after its window closes.
    void showNoticeGroup(bool trayAvailable);

    Store& m_store;
    // Made first: the Tab order is the order the controls were made in, and it is shown first.
    LanguagePicker* m_language;
    QCheckBox* m_reveal;
    QComboBox* m_level;
    ToneLabel* m_levelNote;
    QCheckBox* m_notice;
    QWidget* m_noticeGroup;
};
