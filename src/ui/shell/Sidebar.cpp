#include "ui/shell/Sidebar.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/BrandHeader.h"
#include "ui/kit/Labels.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Theme.h"
#include "ui/shell/SidebarRow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

namespace {

constexpr int sideInset = 18; // where titles and the privacy line start

QColor blend(const QColor& base, const QColor& over, qreal amount)
{
    return QColor::fromRgbF(
        static_cast<float>(base.redF() + (over.redF() - base.redF()) * amount),
        static_cast<float>(base.greenF() + (over.greenF() - base.greenF()) * amount),
        static_cast<float>(base.blueF() + (over.blueF() - base.blueF()) * amount));
}

} // namespace

Sidebar::Sidebar(const QString& version, const QList<PageInfo>& tools, const PageInfo& history,
                 QWidget* parent)
    : QWidget(parent), m_header(new BrandHeader(version, this)), m_footer(new QVBoxLayout)
{
    setMinimumWidth(minimumWidth);
    setMaximumWidth(maximumWidth);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 12, 0, 12);
    column->setSpacing(0);

    auto* headerRow = new QHBoxLayout;
    // The header's button keeps room for its focus ring; the mark stays where the titles start.
    const int ringRoom = BrandHeader::ringWidth + 2;
    headerRow->setContentsMargins(sideInset - 2 - ringRoom, 0, 12, 10 - ringRoom);
    headerRow->addWidget(m_header);
    column->addLayout(headerRow);

    QWidget* toolGroup = addGroup(tr("Araçlar"), column);
    for (const PageInfo& tool : tools) {
        addRow(tool, toolGroup);
    }
    column->addSpacing(10);
    addRow(history, addGroup(tr("Kayıtlar"), column));
    column->addStretch(1);

    m_footer->setContentsMargins(sideInset, 8, 12, 0);
    m_footer->setSpacing(6);
    m_footer->addWidget(privacyLine());
    column->addLayout(m_footer);

    setSelected(m_rows.first()->key());
}

QWidget* Sidebar::addGroup(const QString& title, QVBoxLayout* column)
{
    auto* heading = Labels::text(title, TextStyle::subheadline, Tone::secondary, this);
    heading->setFont(Theme::font(TextStyle::subheadline, QFont::DemiBold));
    heading->setContentsMargins(sideInset, 6, 0, 4);
    Accessible::setRole(heading, QAccessible::Heading);
    heading->setAccessibleName(title);
    column->addWidget(heading);

    auto* group = new QWidget(this);
    Accessible::setRole(group, QAccessible::List);
    group->setAccessibleName(title);
    auto* list = new QVBoxLayout(group);
    list->setContentsMargins(0, 0, 0, 0);
    list->setSpacing(1);
    column->addWidget(group);
    return group;
}

void Sidebar::addRow(const PageInfo& page, QWidget* group)
{
    auto* row = new SidebarRow(page, group);
    m_rows.append(row);
    group->layout()->addWidget(row);
    row->installEventFilter(this);
    connect(row, &QAbstractButton::clicked, this, [this, key = page.key] {
        emit pageChosen(key);
        if (SidebarRow* selected = this->row(m_selected)) {
            selected->setFocus(Qt::MouseFocusReason);
        }
    });
}

QWidget* Sidebar::privacyLine()
{
    auto* line = new QWidget(this);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(5);
    auto* symbol = new SymbolView(QStringLiteral("lock.shield"), 12, Tone::secondary, line);
    row->addWidget(symbol, 0, Qt::AlignTop);
    // At the narrowest sidebar a longer translation goes on to a second line rather than being cut.
    auto* text =
        Labels::text(tr("Belgeler bu Mac'te kalır"), TextStyle::caption, Tone::secondary, line);
    text->setObjectName(QStringLiteral("privacy"));
    text->setWordWrap(true);
    row->addWidget(text, 1);
    return line;
}

SidebarRow* Sidebar::row(const QString& page) const
{
    const auto found = std::find_if(m_rows.cbegin(), m_rows.cend(),
                                    [&page](const SidebarRow* row) { return row->key() == page; });
    return found == m_rows.cend() ? nullptr : *found;
}

void Sidebar::setSelected(const QString& page)
{
    m_selected = page;
    const QWidget* focus = focusWidget();
    const bool focused = focus && focus->hasFocus() && isAncestorOf(focus);
    for (SidebarRow* each : m_rows) {
        each->setSelected(each->key() == page);
    }
    // The focus follows the choice, so a screen reader speaks the page just chosen.
    if (SidebarRow* chosen = row(page); chosen && focused) {
        chosen->setFocus(Qt::OtherFocusReason);
    }
}

void Sidebar::setCount(const QString& page, int count)
{
    if (SidebarRow* target = row(page)) {
        target->setCount(count);
    }
}

QSize Sidebar::sizeHint() const
{
    return {idealWidth, QWidget::sizeHint().height()};
}

void Sidebar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& p = palette();
    const bool dark = Theme::isDark(p);
    const QColor canvas = DS::canvas(p);
    painter.fillRect(rect(),
                     dark ? blend(canvas, Qt::black, 0.22) : blend(canvas, Qt::white, 0.35));
    // A dark divider reads as an edge on both sides of a dark sidebar; a light one as a seam.
    QColor edge = dark ? QColor(Qt::black) : Theme::primary(p);
    edge.setAlphaF(dark ? 0.5F : 0.1F);
    painter.fillRect(QRect(width() - 1, 0, 1, height()), edge);
}

void Sidebar::keyPressEvent(QKeyEvent* event)
{
    const auto index = static_cast<int>(
        std::distance(m_rows.cbegin(), std::find(m_rows.cbegin(), m_rows.cend(), row(m_selected))));
    int next = index;
    switch (event->key()) {
    case Qt::Key_Up: next = qMax(0, index - 1); break;
    case Qt::Key_Down: next = qMin(static_cast<int>(m_rows.size()) - 1, index + 1); break;
    case Qt::Key_Home: next = 0; break;
    case Qt::Key_End: next = static_cast<int>(m_rows.size()) - 1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    if (next != index) {
        emit pageChosen(m_rows.at(next)->key());
    }
}

bool Sidebar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        setEmphasized(event->type() == QEvent::FocusIn);
    }
    return QWidget::eventFilter(watched, event);
}

void Sidebar::setEmphasized(bool emphasized)
{
    for (SidebarRow* row : std::as_const(m_rows)) {
        row->setEmphasized(emphasized);
    }
}
