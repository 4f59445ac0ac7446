#pragma once

#include <QWidget>

class Button;
class QAbstractButton;

// The sidebar's header: the mark with the name and version (opens About), and a settings link.
class BrandHeader : public QWidget {
    Q_OBJECT
public:
    // The focus ring around the mark and name, drawn inside room kept free for it.
    static constexpr int ringWidth = 2;

    explicit BrandHeader(const QString& version, QWidget* parent = nullptr);

signals:
    void aboutRequested();
    void settingsRequested();

private:
    QAbstractButton* m_about;
    Button* m_settings;
};
