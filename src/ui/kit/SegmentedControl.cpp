#include "ui/kit/SegmentedControl.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/Theme.h"

#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {

constexpr int controlHeight = 24;
constexpr int inset = 2;        // between the track and the chosen segment
constexpr int sidePadding = 14; // around the widest title
constexpr qreal trackRadius = 7;
constexpr qreal thumbRadius = 5.5;

// One choice, as a radio button of the control's group.
class SegmentItem : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    SegmentItem(SegmentedControl* control, int index) : m_control(control), m_index(index) {}

    bool isValid() const override { return m_control && m_index < m_control->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        return m_control ? m_control->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_control);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? m_control->title(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        const QRect box = m_control->segmentRect(m_index);
        return {m_control->mapToGlobal(box.topLeft()), box.size()};
    }
    QAccessible::Role role() const override { return QAccessible::RadioButton; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.checkable = true;
        state.checked = m_index == m_control->currentIndex();
        state.focused = state.checked && m_control->hasFocus();
        state.disabled = !m_control->isEnabled();
        state.invisible = !m_control->isVisible();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    // Both pick the choice: focusing a radio button of a group chooses it.
    void doAction(const QString& action) override
    {
        if (!m_control->isEnabled() || !actionNames().contains(action)) {
            return;
        }
        if (action == setFocusAction()) {
            m_control->setFocus(Qt::OtherFocusReason);
        }
        m_control->choose(m_index);
    }

private:
    QPointer<SegmentedControl> m_control;
    int m_index;
};

// The control as a group holding its choices; they live as long as it does.
class SegmentedGroup : public QAccessibleWidget {
public:
    explicit SegmentedGroup(SegmentedControl* control)
        : QAccessibleWidget(control, QAccessible::Grouping)
    {
    }
    int childCount() const override { return control()->count(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        return m_items.item(index, [&] { return new SegmentItem(control(), index); });
    }
    int indexOfChild(const QAccessibleInterface* item) const override
    {
        return m_items.indexOf(item);
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int index = 0; index < childCount(); ++index) {
            if (child(index)->rect().contains(x, y)) {
                return child(index);
            }
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        return control()->hasFocus() ? child(control()->currentIndex()) : nullptr;
    }

private:
    SegmentedControl* control() const { return static_cast<SegmentedControl*>(widget()); }

    mutable Accessible::ItemCache m_items;
};

} // namespace

SegmentedControl::SegmentedControl(QStringList titles, QWidget* parent)
    : QWidget(parent), m_titles(std::move(titles))
{
    setFont(Theme::font(TextStyle::body));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Accessible::provide("SegmentedControl", [](QObject* object) -> QAccessibleInterface* {
        return new SegmentedGroup(static_cast<SegmentedControl*>(object));
    });
}

void SegmentedControl::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == m_current) {
        return;
    }
    const int previous = std::exchange(m_current, index);
    update();
    QAccessible::State checked;
    checked.checked = true;
    Accessible::stateChanged(this, checked, previous);
    Accessible::stateChanged(this, checked, index);
    if (hasFocus()) {
        Accessible::focusMoved(this, index);
    }
}

int SegmentedControl::segmentWidth() const
{
    // Equal segments, as wide as the widest title needs, like the platform's picker.
    const QFontMetrics semibold(Theme::font(TextStyle::body, QFont::DemiBold));
    int widest = 0;
    for (const QString& title : m_titles) {
        widest = std::max(widest, semibold.horizontalAdvance(title));
    }
    return widest + 2 * sidePadding;
}

QSize SegmentedControl::sizeHint() const
{
    return {segmentWidth() * std::max(count(), 1) + 2 * inset, controlHeight};
}

QRect SegmentedControl::segmentRect(int index) const
{
    const int each = segmentWidth();
    return {inset + index * each, inset, each, controlHeight - 2 * inset};
}

int SegmentedControl::segmentAt(const QPoint& pos) const
{
    for (int index = 0; index < count(); ++index) {
        if (segmentRect(index).adjusted(0, -inset, 0, inset).contains(pos)) {
            return index;
        }
    }
    return -1;
}

void SegmentedControl::choose(int index)
{
    if (index < 0 || index >= count()) {
        return;
    }
    const bool changed = index != m_current;
    setCurrentIndex(index);
    if (changed) {
        emit activated(index);
    }
}

void SegmentedControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const bool dark = Theme::isDark(pal);
    const QColor text = Theme::primary(pal);
    const QRectF track =
        QRectF(0, 0, sizeHint().width(), controlHeight).adjusted(0.5, 0.5, -0.5, -0.5);

    painter.fillPath(Shapes::continuousRect(track, trackRadius),
                     Theme::withAlpha(text, dark ? 0.10 : 0.06));
    painter.setPen(QPen(Theme::outline(pal), 1));
    painter.drawPath(Shapes::continuousRect(track, trackRadius));

    // Dividers between two choices that are both unchosen.
    painter.setPen(QPen(Theme::withAlpha(text, dark ? 0.16 : 0.14), 1));
    for (int index = 1; index < count(); ++index) {
        if (index == m_current || index - 1 == m_current) {
            continue;
        }
        const qreal x = segmentRect(index).left() + 0.5;
        painter.drawLine(QPointF(x, 6), QPointF(x, controlHeight - 6));
    }

    for (int index = 0; index < count(); ++index) {
        const QRectF box = QRectF(segmentRect(index)).adjusted(0.5, 0.5, -0.5, -0.5);
        if (index == m_current) {
            const QPainterPath thumb = Shapes::continuousRect(box, thumbRadius);
            if (!dark) {
                painter.fillPath(thumb.translated(0, 0.5), Theme::withAlpha(Qt::black, 0.10));
            }
            painter.fillPath(thumb, dark ? QColor(0x63, 0x63, 0x66) : QColor(Qt::white));
            painter.setPen(QPen(Theme::withAlpha(Qt::black, dark ? 0.25 : 0.08), 0.75));
            painter.drawPath(thumb);
            if (m_keyboardFocus && hasFocus()) {
                painter.setPen(QPen(Theme::withAlpha(Theme::accent(pal), 0.7), 2));
                painter.drawPath(
                    Shapes::continuousRect(box.adjusted(-1, -1, 1, 1), thumbRadius + 1));
            }
        } else if (index == m_pressed || index == m_hovered) {
            painter.fillPath(Shapes::continuousRect(box, thumbRadius),
                             Theme::withAlpha(text, index == m_pressed ? 0.10 : 0.05));
        }
        painter.setFont(
            Theme::font(TextStyle::body, index == m_current ? QFont::Medium : QFont::Normal));
        QColor ink = text;
        if (!isEnabled()) {
            ink = Theme::disabled(pal);
        } else if (index != m_current) {
            ink = Theme::withAlpha(text, dark ? 0.82 : 0.78);
        }
        painter.setPen(ink);
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, m_titles.at(index));
    }
}

void SegmentedControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = segmentAt(event->position().toPoint());
    m_keyboardFocus = false;
    update();
}

void SegmentedControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int released = segmentAt(event->position().toPoint());
    const int pressed = std::exchange(m_pressed, -1);
    if (released >= 0 && released == pressed) {
        choose(released);
    }
    update();
}

void SegmentedControl::mouseMoveEvent(QMouseEvent* event)
{
    const int hovered = segmentAt(event->position().toPoint());
    if (hovered != m_hovered) {
        m_hovered = hovered;
        update();
    }
}

void SegmentedControl::leaveEvent(QEvent* event)
{
    m_hovered = -1;
    update();
    QWidget::leaveEvent(event);
}

void SegmentedControl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: choose(m_current - 1); break;
    case Qt::Key_Right: choose(m_current + 1); break;
    default: QWidget::keyPressEvent(event); return;
    }
    m_keyboardFocus = true;
    update();
}

void SegmentedControl::focusInEvent(QFocusEvent* event)
{
    m_keyboardFocus = event->reason() == Qt::TabFocusReason ||
                      event->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(event);
    // The focus rests on the chosen segment, as in a group of radio buttons; Qt announces the
    // control's own focus after this handler, so the segment's follows from the event loop.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus()) {
                Accessible::focusMoved(this, m_current);
            }
        },
        Qt::QueuedConnection);
}

void SegmentedControl::focusOutEvent(QFocusEvent* event)
{
    m_keyboardFocus = false;
    update();
    QWidget::focusOutEvent(event);
}
