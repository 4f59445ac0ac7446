#include "ui/shell/SidebarRow.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/Badge.h"
#include "ui/kit/ButtonAccess.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Theme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr int rowHeight = 28;
constexpr int insetX = 10;  // from the sidebar's edges to the row's highlight
constexpr int paddingX = 8; // inside the highlight
constexpr qreal radius = 6;
constexpr qreal symbolSide = 15;

// A row as a list item: its parts (symbol, title, badge) are spoken in its name, not as children.
class RowAccess : public ButtonAccess {
public:
    explicit RowAccess(SidebarRow* row) : ButtonAccess(row, QAccessible::ListItem) {}

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.selected = static_cast<SidebarRow*>(button())->isSelected();
        // Every row takes the focus from the arrow keys, though only the selected one from Tab.
        state.focusable = true;
        return state;
    }
};

} // namespace

SidebarRow::SidebarRow(const PageInfo& page, QWidget* parent)
    : QAbstractButton(parent), m_page(page),
      m_symbol(new SymbolView(page.symbol, symbolSide, Tone::accent, this)),
      m_title(Labels::text(page.title, TextStyle::body, Tone::primary, this)),
      m_badge(new Badge(QStringLiteral("0"), QColor(), {}, this))
{
    Accessible::provide("SidebarRow",
                        [](QObject* row) { return new RowAccess(static_cast<SidebarRow*>(row)); });
    setText(page.title);
    describe();
    setCheckable(false);
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::ArrowCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_symbol->setFrameSize(QSize(20, 20));
    m_badge->hide();
    for (QWidget* part : {static_cast<QWidget*>(m_symbol), static_cast<QWidget*>(m_title),
                          static_cast<QWidget*>(m_badge)}) {
        part->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(insetX + paddingX - 2, 0, insetX + paddingX - 4, 0);
    row->setSpacing(7);
    row->addWidget(m_symbol);
    row->addWidget(m_title, 1);
    row->addWidget(m_badge, 0, Qt::AlignVCenter);
    applyColors();
}

void SidebarRow::setSelected(bool selected)
{
    if (selected != m_selected) {
        m_selected = selected;
        applyColors();
        QAccessible::State changed;
        changed.selected = true;
        Accessible::stateChanged(this, changed);
    }
    setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
}

void SidebarRow::setEmphasized(bool emphasized)
{
    if (emphasized != m_emphasized) {
        m_emphasized = emphasized;
        applyColors();
    }
}

void SidebarRow::setCount(int count)
{
    m_count = count;
    m_badge->setText(QString::number(count));
    m_badge->setVisible(count != 0);
    describe();
}

void SidebarRow::describe()
{
    const QString& title = m_page.title;
    setAccessibleName(m_count == 0 ? title : tr("%1, %n dosya", nullptr, m_count).arg(title));
}

QSize SidebarRow::sizeHint() const
{
    return {QAbstractButton::sizeHint().width(), rowHeight};
}

void SidebarRow::applyColors()
{
    const QPalette& p = palette();
    const bool filled = m_selected && m_emphasized;
    if (filled) {
        m_symbol->setColor(Qt::white);
        m_title->setColor(Qt::white);
        m_badge->setTint(Qt::white);
    } else {
        m_symbol->setTone(Tone::accent);
        m_title->setTone(Tone::primary);
        m_badge->setTint(Theme::secondary(p));
    }
    update();
}

void SidebarRow::paintEvent(QPaintEvent*)
{
    if (!m_selected && !m_hovered && !isDown()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& p = palette();
    const bool dark = Theme::isDark(p);
    QColor fill;
    if (m_selected && m_emphasized) {
        fill = Theme::accentFill(p);
    } else if (m_selected) {
        fill = Theme::withAlpha(Theme::primary(p), dark ? 0.14 : 0.1);
    } else {
        fill = Theme::withAlpha(Theme::primary(p), dark ? 0.07 : 0.05);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const QRectF area = QRectF(rect()).adjusted(insetX, 1, -insetX, -1);
    painter.drawPath(Shapes::continuousRect(area, radius));
}

void SidebarRow::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    m_hovered = true;
    update();
}

void SidebarRow::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    m_hovered = false;
    update();
}

void SidebarRow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: click(); break;
    // The sidebar moves between its rows; a plain button would move the focus instead.
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End: event->ignore(); break;
    default: QAbstractButton::keyPressEvent(event);
    }
}

void SidebarRow::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        applyColors();
    }
}
