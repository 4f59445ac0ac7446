#pragma once

#include <QAbstractButton>
#include <functional>

class ToneLabel;
class Updater;

// The sidebar's line under the privacy note while a new version waits for an answer; it takes
// no space otherwise. Clicking it opens the general settings, where the answer is given.
class UpdateAvailableRow : public QAbstractButton {
    Q_OBJECT
public:
    UpdateAvailableRow(Updater& updater, std::function<void()> openSettings,
                       QWidget* parent = nullptr);

    QString label() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();

    Updater& m_updater;
    ToneLabel* m_label;
};
