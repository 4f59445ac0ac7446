#pragma once

#include <QWidget>

class Button;

// The empty state of a tool: symbol, title, message and a file button, framed by a dashed outline.
class DropZone : public QWidget {
    Q_OBJECT
public:
    DropZone(const QString& icon, const QString& title, const QString& message,
             QWidget* parent = nullptr);

    // The dashed frame, in this widget's coordinates.
    QRectF frameRect() const;

signals:
    void chooseRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Button* m_choose;
};
