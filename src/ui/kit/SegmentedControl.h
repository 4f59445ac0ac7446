#pragma once

#include <QStringList>
#include <QWidget>

// A row of mutually exclusive choices drawn as one rounded control, shown at its natural width.
// Screen readers meet a group of radio buttons, named by the label whose buddy it is.
class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    explicit SegmentedControl(QStringList titles, QWidget* parent = nullptr);

    int count() const { return static_cast<int>(m_titles.size()); }
    QString title(int index) const { return m_titles.value(index); }
    int currentIndex() const { return m_current; }
    // Shows a choice without announcing it (the bound value changed elsewhere).
    void setCurrentIndex(int index);
    // Picks a choice as the user does (a click, an arrow key, a screen reader's press).
    void choose(int index);
    // The area of one choice, in this widget's coordinates.
    QRect segmentRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // The user picked a choice.
    void activated(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int segmentAt(const QPoint& pos) const;
    int segmentWidth() const;

    QStringList m_titles;
    int m_current = 0;
    int m_hovered = -1;
    int m_pressed = -1;
    bool m_keyboardFocus = false;
};
