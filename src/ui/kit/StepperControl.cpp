#include "ui/kit/StepperControl.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/Theme.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpressionValidator>
#include <QWheelEvent>

namespace {

constexpr int arrowsWidth = 15;
constexpr int controlHeight = 24;
constexpr int arrowsGap = 4;    // between the field and the arrows
constexpr int fieldPadding = 6; // digits to the field's rounded edge
constexpr int wheelNotch = 120; // one step of a mouse wheel, in eighths of a degree

// A small open chevron pointing up (or down) centred in box.
QPainterPath chevron(const QRectF& box, bool up)
{
    const QPointF centre = box.center();
    const qreal halfWidth = 3.2;
    const qreal halfHeight = 1.8;
    const qreal tip = up ? -halfHeight : halfHeight;
    QPainterPath path;
    path.moveTo(centre.x() - halfWidth, centre.y() - tip);
    path.lineTo(centre.x(), centre.y() + tip);
    path.lineTo(centre.x() + halfWidth, centre.y() - tip);
    return path;
}

// The control as a spin box whose value a screen reader reads and sets.
class StepperAccess : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit StepperAccess(StepperControl* control)
        : QAccessibleWidget(control, QAccessible::SpinBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? QString::number(stepper()->value())
                                          : QAccessibleWidget::text(kind);
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QStringList actionNames() const override
    {
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == increaseAction() || action == decreaseAction()) {
            if (stepper()->isEnabled()) {
                stepper()->enter(stepper()->value() + (action == increaseAction() ? 1 : -1));
            }
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    QVariant currentValue() const override { return stepper()->value(); }
    void setCurrentValue(const QVariant& value) override
    {
        if (stepper()->isEnabled()) {
            stepper()->enter(value.toInt());
        }
    }
    QVariant maximumValue() const override { return stepper()->maximum(); }
    QVariant minimumValue() const override { return stepper()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    StepperControl* stepper() const { return static_cast<StepperControl*>(widget()); }
};

} // namespace

StepperControl::StepperControl(QWidget* parent) : QWidget(parent), m_field(new QLineEdit(this))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Digits only: a number out of the range is still typed, and clamped when it is taken.
    m_field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), this));
    m_field->setFrame(false);
    m_field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_field->setFont(Theme::monospacedDigits(Theme::font(TextStyle::body)));
    m_field->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette clear = m_field->palette();
    clear.setColor(QPalette::Base, Qt::transparent);
    m_field->setPalette(clear);
    m_field->installEventFilter(this);
    setFocusPolicy(Qt::WheelFocus);
    setFocusProxy(m_field);
    Accessible::provide("StepperControl", [](QObject* object) -> QAccessibleInterface* {
        return new StepperAccess(static_cast<StepperControl*>(object));
    });
    connect(m_field, &QLineEdit::returnPressed, this, &StepperControl::commit);
    // What follows the number shows it while it is typed; the field keeps the digits as typed
    // (a 0 on its way to 05, 99 past the maximum) until Enter or leaving it.
    connect(m_field, &QLineEdit::textEdited, this, [this] {
        if (const std::optional<int> typed = typedValue()) {
            change(*typed);
        }
    });
    showValue();
}

void StepperControl::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    m_value = std::clamp(m_value, m_minimum, m_maximum);
    showValue(true);
    updateGeometry();
    update();
}

void StepperControl::setValue(int value)
{
    const int previous = std::exchange(m_value, std::clamp(value, m_minimum, m_maximum));
    showValue(true);
    update();
    if (m_value != previous) {
        Accessible::valueChanged(this, m_value);
    }
}

void StepperControl::enter(int value)
{
    change(std::clamp(value, m_minimum, m_maximum));
    showValue();
}

std::optional<int> StepperControl::typedValue() const
{
    bool ok = false;
    const qlonglong typed = m_field->text().toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return static_cast<int>(std::clamp<qlonglong>(typed, m_minimum, m_maximum));
}

int StepperControl::fieldWidth() const
{
    const int digits = std::max<int>(2, static_cast<int>(QString::number(m_maximum).size()));
    // The line edit keeps a little room of its own around the text and for the cursor.
    return m_field->fontMetrics().horizontalAdvance(QString(digits + 1, u'0')) + 2 * fieldPadding;
}

QRectF StepperControl::fieldBox() const
{
    return QRectF(0, 0, fieldWidth(), controlHeight).adjusted(1.5, 1.5, -1.5, -1.5);
}

QSize StepperControl::sizeHint() const
{
    return {fieldWidth() + arrowsGap + arrowsWidth, controlHeight};
}

QRect StepperControl::upRect() const
{
    return {fieldWidth() + arrowsGap, 0, arrowsWidth, controlHeight / 2};
}

QRect StepperControl::downRect() const
{
    return {fieldWidth() + arrowsGap, controlHeight / 2, arrowsWidth, controlHeight / 2};
}

void StepperControl::showValue(bool keepTyped)
{
    const QString text = QString::number(m_value);
    if (m_field->text() != text && !(keepTyped && typedValue() == m_value)) {
        m_field->setText(text);
    }
    m_field->setGeometry(
        fieldBox().adjusted(fieldPadding - 1, 1, -(fieldPadding - 1), -1).toRect());
}

void StepperControl::change(int value)
{
    if (value == m_value) {
        return;
    }
    m_value = value;
    update();
    Accessible::valueChanged(this, m_value);
    emit stepped(m_value);
}

void StepperControl::commit()
{
    if (const std::optional<int> typed = typedValue()) {
        change(*typed);
    }
    showValue();
}

void StepperControl::step(int delta)
{
    commit(); // a number typed just before counts as the start
    change(
        static_cast<int>(std::clamp<qlonglong>(qlonglong(m_value) + delta, m_minimum, m_maximum)));
    showValue();
}

void StepperControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const bool dark = Theme::isDark(pal);
    const QColor text = Theme::primary(pal);

    const QRectF field = fieldBox();
    const QPainterPath fieldShape = Shapes::continuousRect(field, 5);
    painter.fillPath(fieldShape, dark ? Theme::withAlpha(Qt::white, 0.06) : QColor(Qt::white));
    painter.setPen(QPen(Theme::outline(pal), 1));
    painter.drawPath(fieldShape);
    if (m_field->hasFocus()) {
        painter.setPen(QPen(Theme::withAlpha(Theme::accent(pal), 0.55), 3));
        painter.drawPath(Shapes::continuousRect(field.adjusted(-0.5, -0.5, 0.5, 0.5), 5.5));
    }

    const QRectF body = QRectF(upRect().united(downRect())).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = Shapes::continuousRect(body, 4.5);
    if (!dark) {
        painter.fillPath(shape.translated(0, 0.5), Theme::withAlpha(Qt::black, 0.08));
    }
    painter.fillPath(shape, dark ? QColor(0x4a, 0x4a, 0x4d) : QColor(Qt::white));
    if (m_pressed != 0) {
        painter.save();
        painter.setClipRect(m_pressed > 0 ? upRect() : downRect());
        painter.fillPath(shape, Theme::withAlpha(text, 0.12));
        painter.restore();
    }
    painter.setPen(QPen(Theme::outline(pal), 1));
    painter.drawPath(shape);
    painter.setPen(QPen(Theme::withAlpha(text, 0.1), 1));
    painter.drawLine(QPointF(body.left() + 2.5, controlHeight / 2.0),
                     QPointF(body.right() - 2.5, controlHeight / 2.0));

    auto arrow = [&](const QRect& box, bool up, bool active) {
        QPen pen(active ? Theme::withAlpha(text, 0.85) : Theme::disabled(pal), 1.4);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(chevron(QRectF(box).translated(0, up ? 1 : -1), up));
    };
    arrow(upRect(), true, canStepUp());
    arrow(downRect(), false, canStepDown());
}

void StepperControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (upRect().contains(pos) && canStepUp()) {
        m_pressed = 1;
    } else if (downRect().contains(pos) && canStepDown()) {
        m_pressed = -1;
    }
    update();
}

void StepperControl::mouseReleaseEvent(QMouseEvent* event)
{
    const int pressed = std::exchange(m_pressed, 0);
    const QPoint pos = event->position().toPoint();
    if (pressed > 0 && upRect().contains(pos)) {
        step(1);
    } else if (pressed < 0 && downRect().contains(pos)) {
        step(-1);
    }
    update();
}

bool StepperControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_field) {
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        update();
    } else if (event->type() == QEvent::FocusOut) {
        // Leaving the field for another control takes the number; the window losing the
        // keyboard (another window, or this one closing) leaves it as typed.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason) {
            commit();
        }
        update();
    } else if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Plus: step(1); return true;
        case Qt::Key_Down:
        case Qt::Key_Minus: step(-1); return true;
        default: break;
        }
    }
    return false;
}

void StepperControl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Plus: step(1); break;
    case Qt::Key_Down:
    case Qt::Key_Minus: step(-1); break;
    default: QWidget::keyPressEvent(event);
    }
}

void StepperControl::wheelEvent(QWheelEvent* event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    m_wheel += event->angleDelta().y();
    const int steps = m_wheel / wheelNotch;
    m_wheel -= steps * wheelNotch;
    if (steps != 0) {
        step(steps);
    }
    event->accept();
}

void StepperControl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        update();
    }
    QWidget::changeEvent(event);
}
