#include "ui/screens/sign/PlacementView.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "store/Store.h"
#include "tools/sign/SignTool.h"
#include "ui/kit/Accessible.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Icons.h"
#include "ui/kit/Theme.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

namespace {

// The signature the placement shows, when the library still holds it.
const SavedSignature* signatureOf(const Store& store, const QUuid& id)
{
    const auto& all = store.data().signatures;
    const auto found = std::find_if(all.cbegin(), all.cend(),
                                    [&id](const SavedSignature& s) { return s.id == id; });
    return found == all.cend() ? nullptr : &*found;
}

qreal travelled(QPointF delta)
{
    return std::hypot(delta.x(), delta.y());
}

// A placement as a screen reader meets it: a picture on the page that can be selected, whose
// bounds are the signature's own frame rather than the widget with its room for the controls.
class PlacementAccessible : public QAccessibleWidget {
public:
    explicit PlacementAccessible(PlacementView* view)
        : QAccessibleWidget(view, QAccessible::Graphic)
    {
    }

    QRect rect() const override
    {
        const auto* view = static_cast<PlacementView*>(widget());
        const QRect frame = view->frame().toAlignedRect();
        return {view->parentWidget()->mapToGlobal(frame.topLeft()), frame.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.selected = static_cast<PlacementView*>(widget())->isSelected();
        return state;
    }
};

} // namespace

ResizeHandle::ResizeHandle(PlacementView* placement) : QWidget(placement), m_placement(placement)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::SizeFDiagCursor);
    setAccessibleName(tr("Boyutlandır"));
    resize(qCeil(side), qCeil(side));
}

void ResizeHandle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(0, 0, side, side);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(disc);
    painter.setBrush(Theme::accent(palette()));
    painter.drawEllipse(disc.adjusted(border, border, -border, -border));
}

void ResizeHandle::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_press = event->globalPosition();
    m_start.reset();
    emit m_placement->activated();
}

void ResizeHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_press) {
        return;
    }
    const QPointF delta = event->globalPosition() - *m_press;
    if (!m_start) {
        if (travelled(delta) < threshold) {
            return;
        }
        m_start = m_placement->placement().rect;
    }
    const QSizeF page = m_placement->pageSize();
    m_placement->tool().resizePlacement(m_placement->placementId(), *m_start,
                                        QPointF(delta.x() / std::max<qreal>(page.width(), 1),
                                                delta.y() / std::max<qreal>(page.height(), 1)));
}

void ResizeHandle::mouseReleaseEvent(QMouseEvent*)
{
    m_press.reset();
    m_start.reset();
}

RemoveButton::RemoveButton(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::ArrowCursor);
    // Reached by Tab from its placement; a click still leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    tip(this, tr("İmzayı sayfadan kaldır"));
    resize(sizeHint());
}

QSize RemoveButton::sizeHint() const
{
    return {qCeil(side), qCeil(side)};
}

void RemoveButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(0, 0, side, side);
    // The symbol's cross is cut out of its disc: white beneath it makes the
    // two-colour form, a white cross on the red disc.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(disc.adjusted(2.5, 2.5, -2.5, -2.5));
    if (isDown()) {
        painter.setOpacity(0.7);
    }
    painter.drawPixmap(QPointF(0, 0), Icons::pixmap(QStringLiteral("xmark.circle.fill"),
                                                    DS::paperDown(), side, devicePixelRatioF()));
}

PlacementView::PlacementView(SignTool& tool, const Placement& placement, QWidget* parent)
    : QWidget(parent), m_tool(tool), m_store(tool.store()), m_placement(placement),
      m_handle(new ResizeHandle(this)), m_remove(new RemoveButton(this))
{
    Accessible::provide("PlacementView", [](QObject* object) -> QAccessibleInterface* {
        return new PlacementAccessible(static_cast<PlacementView*>(object));
    });
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::OpenHandCursor);
    setAccessibleDescription(
        tr("Ok tuşları imzayı taşır, Shift ile daha çok. + ve - boyutlandırır, Delete kaldırır."));
    connect(m_remove, &QAbstractButton::clicked, this,
            [this] { m_tool.removePlacement(m_placement.id); });
}

void PlacementView::present(const Placement& placement, const QRectF& page, bool selected,
                            int number)
{
    const bool moved = placement.rect != m_placement.rect;
    const bool wasSelected = m_selected;
    m_number = number;
    m_placement = placement;
    m_page = page;
    m_selected = selected;
    const QRectF& r = placement.rect;
    m_frame = QRectF(page.x() + r.x() * page.width(), page.y() + r.y() * page.height(),
                     r.width() * page.width(), r.height() * page.height());
    setGeometry(m_frame.toAlignedRect().adjusted(-margin, -margin, margin, margin));
    layoutControls();
    show();
    update();
    describe(moved, wasSelected);
}

void PlacementView::describe(bool moved, bool wasSelected)
{
    const QLocale locale = AppLanguages::locale();
    const QString number = Formatting::count(m_number, locale);
    const SavedSignature* signature = signatureOf(m_store, m_placement.signatureID);
    const QString which = signature ? tr("%1. imza (%2)").arg(number, signature->name)
                                    : tr("%1. imza").arg(number);
    const QRectF& r = m_placement.rect;
    const QString name = tr("%1: soldan %2, üstten %3, genişlik %4")
                             .arg(which, Formatting::percent(r.x(), locale),
                                  Formatting::percent(r.y(), locale),
                                  Formatting::percent(r.width(), locale));
    // Setting the name tells a screen reader on the placement, which then speaks where it went.
    if (name != accessibleName()) {
        setAccessibleName(name);
    }
    const QString remove = tr("%1. imzayı sayfadan kaldır").arg(number);
    if (remove != m_remove->accessibleName()) {
        m_remove->setAccessibleName(remove);
    }
    if (moved) {
        QAccessibleEvent event(this, QAccessible::LocationChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (wasSelected != m_selected) {
        QAccessible::State changed;
        changed.selected = true;
        Accessible::stateChanged(this, changed);
    }
}
void PlacementView::layoutControls()
{
    const QRectF local = localFrame();
    const qreal handleSide = ResizeHandle::side;
    const QPointF handleAt(local.right() + ResizeHandle::offset - handleSide,
                           local.bottom() + ResizeHandle::offset - handleSide);
    m_handle->move(handleAt.toPoint());
    const QPointF removeAt(local.right() + RemoveButton::offset - RemoveButton::side,
                           local.top() - RemoveButton::offset);
    m_remove->move(removeAt.toPoint());
    m_handle->setVisible(m_selected);
    m_remove->setVisible(m_selected);

    // Only the frame and the visible controls take the mouse: the margin
    // around them belongs to the page and to the placements beneath.
    QRegion region(local.toAlignedRect());
    if (m_selected) {
        region += m_handle->geometry();
        region += m_remove->geometry();
    }
    setMask(region);
}

void PlacementView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF local = localFrame();
    if (const SavedSignature* signature = signatureOf(m_store, m_placement.signatureID)) {
        const QImage preview = m_store.signatureImage(*signature);
        if (!preview.isNull()) {
            // White paper of a scanned signature leaves the page beneath visible.
            painter.save();
            painter.setCompositionMode(QPainter::CompositionMode_Multiply);
            painter.drawImage(local, preview);
            painter.restore();
        }
    }
    if (m_selected) {
        // Crisp on the pixel grid: an antialiased one-point dash at a fractional
        // position would smear into two faint lines.
        const QRect edge(qRound(local.left()), qRound(local.top()),
                         qMax(1, qRound(local.width())) - 1, qMax(1, qRound(local.height())) - 1);
        QPen dashed(Theme::accent(palette()), 1);
        dashed.setDashPattern({4, 3});
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(dashed);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(edge);
    }
}

void PlacementView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_press = event->globalPosition();
    m_start.reset();
    emit activated();
}

void PlacementView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_press) {
        return;
    }
    const QPointF delta = event->globalPosition() - *m_press;
    if (!m_start) {
        if (travelled(delta) < moveThreshold) {
            return;
        }
        m_start = m_placement.rect;
        setCursor(Qt::ClosedHandCursor);
        m_tool.setSelectedPlacement(m_placement.id);
    }
    m_tool.movePlacement(m_placement.id, *m_start,
                         QPointF(delta.x() / std::max<qreal>(m_page.width(), 1),
                                 delta.y() / std::max<qreal>(m_page.height(), 1)));
}

void PlacementView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_press && !m_start && event->button() == Qt::LeftButton) {
        m_tool.setSelectedPlacement(m_placement.id);
    }
    if (m_start) {
        setCursor(Qt::OpenHandCursor);
    }
    m_press.reset();
    m_start.reset();
}

void PlacementView::focusInEvent(QFocusEvent* event)
{
    // A click selects on release, as before; reaching the placement by keyboard selects it,
    // so its remove button comes next in the Tab order.
    if (event->reason() != Qt::MouseFocusReason) {
        m_tool.setSelectedPlacement(m_placement.id);
    }
    QWidget::focusInEvent(event);
}

std::optional<QPointF> PlacementView::arrowMove(const QKeyEvent& event)
{
    const qreal by = event.modifiers().testFlag(Qt::ShiftModifier) ? bigStep : step;
    switch (event.key()) {
    case Qt::Key_Left: return QPointF(-by, 0);
    case Qt::Key_Right: return QPointF(by, 0);
    case Qt::Key_Up: return QPointF(0, -by);
    case Qt::Key_Down: return QPointF(0, by);
    default: return std::nullopt;
    }
}

void PlacementView::keyPressEvent(QKeyEvent* event)
{
    const qreal by = event->modifiers().testFlag(Qt::ShiftModifier) ? bigStep : step;
    const QRectF rect = m_placement.rect; // the Store's update replaces m_placement
    if (const std::optional<QPointF> move = arrowMove(*event)) {
        m_tool.movePlacement(m_placement.id, rect, *move);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: m_tool.resizePlacement(m_placement.id, rect, {by, 0}); break;
    case Qt::Key_Minus: m_tool.resizePlacement(m_placement.id, rect, {-by, 0}); break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: m_tool.removePlacement(m_placement.id); break;
    default: QWidget::keyPressEvent(event);
    }
}
