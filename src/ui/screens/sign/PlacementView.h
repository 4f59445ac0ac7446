#pragma once

#include "core/Placement.h"

#include <QAbstractButton>
#include <QPointF>
#include <QRectF>
#include <QUuid>
#include <QWidget>
#include <optional>

class QKeyEvent;

class SignTool;
class Store;
class PlacementView;

// The round accent handle at a selected placement's bottom-right corner; dragging it resizes.
class ResizeHandle : public QWidget {
    Q_OBJECT
public:
    static constexpr qreal side = 13;
    static constexpr qreal border = 1.5;
    static constexpr qreal offset = 6;    // beyond the frame's corner, right and down
    static constexpr qreal threshold = 1; // points of travel before a drag resizes

    explicit ResizeHandle(PlacementView* placement);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PlacementView* m_placement;
    std::optional<QPointF> m_press;
    std::optional<QRectF> m_start;
};

// The red disc with a white cross that takes a selected placement off the page.
class RemoveButton : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr qreal side = 15;
    static constexpr qreal offset = 7; // beyond the frame's corner, right and up

    explicit RemoveButton(QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// One signature placed on the page view: its preview multiplied onto the page,
// and, while selected, a dashed outline, the resize handle and the remove button.
// Dragging the body moves it; both gestures go through the Store's arithmetic.
// It takes the keyboard focus too: the arrows move it, + and - resize it, Delete
// removes it, and its accessible name tells where on the page it lies.
class PlacementView : public QWidget {
    Q_OBJECT
public:
    static constexpr qreal moveThreshold = 2; // points of travel before a drag moves
    // A key press moves or resizes by this fraction of the page, ten times that with Shift:
    // a whole percent, so every press changes what a screen reader speaks.
    static constexpr qreal step = 0.01;
    static constexpr qreal bigStep = 0.1;
    // How far an arrow key moves, as a fraction of the page; none for another key.
    static std::optional<QPointF> arrowMove(const QKeyEvent& event);
    // Room around the frame for the handle and the remove button.
    static constexpr int margin = 10;

    PlacementView(SignTool& tool, const Placement& placement, QWidget* parent);

    const QUuid& placementId() const { return m_placement.id; }
    const Placement& placement() const { return m_placement; }
    // Shows `placement`, the page's `number`th, on a page drawn at `page` (page coordinates
    // of the parent).
    void present(const Placement& placement, const QRectF& page, bool selected, int number);
    QAbstractButton* removeButton() const { return m_remove; }

    bool isSelected() const { return m_selected; }
    // The signature's frame, in the parent's coordinates.
    QRectF frame() const { return m_frame; }
    QSizeF pageSize() const { return m_page.size(); }
    SignTool& tool() const { return m_tool; }

signals:
    // The user pressed on the placement; the page view takes keyboard focus.
    void activated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QRectF localFrame() const { return m_frame.translated(-pos()); }
    void layoutControls();
    // The name a screen reader speaks: which signature, where and how wide, in percent.
    void describe(bool moved, bool wasSelected);

    SignTool& m_tool;
    Store& m_store;
    Placement m_placement;
    QRectF m_page;
    QRectF m_frame;
    bool m_selected = false;
    int m_number = 0;
    ResizeHandle* m_handle;
    RemoveButton* m_remove;
    std::optional<QPointF> m_press;
    std::optional<QRectF> m_start;
};
