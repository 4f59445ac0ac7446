#pragma once

#include <QPointer>
#include <QWidget>

class QPainter;
class QPropertyAnimation;

// The one floating window that shows hover tips: never activated, never focused, never hit by the
// mouse.
class TipPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal fade READ fade WRITE setFade)
public:
    static TipPanel* shared();

    // Shows the bubble for `text` at the pointer's current position.
    void showText(const QString& text);
    // Shows the bubble as if the pointer were at `pointer` (screen coordinates).
    void showText(const QString& text, QPoint pointer);
    // Hides the bubble at once.
    void orderOut();

    QString text() const { return m_text; }
    bool arrowUp() const { return m_arrowUp; }
    // Where the desktop cannot blend windows, the tip is a plain square panel without arrow or
    // shadow, whose every pixel is drawn, instead of a bubble in a clear window.
    bool isOpaque() const { return m_opaque; }
    // The window size the bubble needs for `text`, shadow margin included.
    QSize fittingSize(const QString& text) const;
    // The width the text is wrapped to (never more than the bubble's limit).
    qreal textWidth(const QString& text) const;

    // The fade-in, drawn by the panel itself so it works where windows have no opacity.
    qreal fade() const { return m_fadeLevel; }
    void setFade(qreal level);

signals:
    void shown(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TipPanel();

    void paintBubble(QPainter& painter);
    void paintPanel(QPainter& painter);

    QString m_text;
    bool m_arrowUp = true;
    bool m_opaque = false;
    qreal m_fadeLevel = 1.0;
    QPropertyAnimation* m_fade;
};
