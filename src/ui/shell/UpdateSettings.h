#pragma once

#include "ui/kit/Theme.h"

#include <QWidget>

class Button;
class QCheckBox;
class QProgressBar;
class SymbolView;
class ToneLabel;
class Updater;

// The settings pane's update group: the automatic-check toggle, this version with the update
// status, the action the status allows, and what the check reads from where.
class UpdateSettings : public QWidget {
    Q_OBJECT
public:
    static constexpr int progressWidth = 90;

    explicit UpdateSettings(Updater& updater, QWidget* parent = nullptr);

private:
    QWidget* actionArea();
    void refresh();
    void showStatus(const QString& text, const QString& symbol, Tone tone);

    Updater& m_updater;
    QCheckBox* m_automatic;
    SymbolView* m_statusSymbol;
    ToneLabel* m_status;
    Button* m_check;
    QProgressBar* m_busy;
    Button* m_later;
    Button* m_install;
    QProgressBar* m_progress;
    Button* m_cancel;
};
