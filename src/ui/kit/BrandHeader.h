#pragma once

#include <QWidget>

class Button;
class QAbstractButton;

// The sidebar's header: the mark with the name and version (opens About), and a settings link.
class BrandHeader : public QWidget {
    Q_OBJECT
public:
    explicit BrandHeader(const QString& version, QWidget* parent = nullptr);

signals:
    void aboutRequested();
    void settingsRequested();

private:
    QAbstractButton* m_about;
    Button* m_settings;
};
