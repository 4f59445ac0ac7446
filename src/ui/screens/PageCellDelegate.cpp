#include "ui/screens/PageCellDelegate.h"

#include "ui/kit/Icons.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/Theme.h"
#include "ui/screens/PageGrid.h"
#include "ui/screens/PageGridModel.h"

#include <QPainter>

namespace {

constexpr int halfGap = PageGrid::gap / 2;
constexpr qreal plateInset = 5; // the hover plate and focus ring reach this far past the page
constexpr qreal plateRadius = 7;
constexpr int markBorder = 2;
constexpr qreal selectionTint = 0.16;

// Draws the page's image into paper turned by quarterTurns (paper is already the turned shape).
void drawTurned(QPainter& painter, const QRectF& paper, const QImage& image, int quarterTurns)
{
    const int turns = ((quarterTurns % 4) + 4) % 4;
    if (turns == 0) {
        painter.drawImage(paper, image);
        return;
    }
    const QSizeF upright = turns % 2 != 0 ? paper.size().transposed() : paper.size();
    painter.save();
    painter.translate(paper.center());
    painter.rotate(90.0 * turns);
    painter.drawImage(QRectF(QPointF(-upright.width() / 2, -upright.height() / 2), upright), image);
    painter.restore();
}

} // namespace

PageCellDelegate::PageCellDelegate(PageGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

QSize PageCellDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return m_grid.cellSize() + QSize(PageGrid::gap, PageGrid::gap);
}

QRectF PageCellDelegate::pageRect(const QRect& box, QSizeF page) const
{
    const qreal aspect = page.width() / std::max<qreal>(page.height(), 1);
    QSizeF size(box.height() * aspect, box.height());
    if (size.width() > box.width()) {
        size = QSizeF(box.width(), box.width() / aspect);
    }
    const qreal left = std::round(box.center().x() + 0.5 - size.width() / 2);
    const qreal top = std::round(box.center().y() + 0.5 - size.height() / 2);
    return {left, top, std::round(size.width()), std::round(size.height())};
}

const QPixmap& PageCellDelegate::markPixmap(qreal ratio) const
{
    if (m_mark.isNull() || !qFuzzyCompare(m_mark.devicePixelRatio(), ratio)) {
        // A white trash on a red disc: the symbol's trash is cut out of its disc, so white
        // beneath it shows through. White alone would vanish on the pale red of a marked page.
        QPixmap mark(QSize(markSymbol, markSymbol) * ratio);
        mark.setDevicePixelRatio(ratio);
        mark.fill(Qt::transparent);
        QPainter painter(&mark);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(0, 0, markSymbol, markSymbol).adjusted(4, 4, -4, -4));
        painter.drawPixmap(QPointF(0, 0), Icons::pixmap(QStringLiteral("trash.circle.fill"),
                                                        DS::paperDown(), markSymbol, ratio));
        painter.end();
        m_mark = mark;
    }
    return m_mark;
}

void PageCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    const int page = index.row();
    const bool selected = index.data(PageGridModel::SelectedRole).toBool();
    const bool hovered = option.state.testFlag(QStyle::State_MouseOver);
    const bool focused = option.state.testFlag(QStyle::State_HasFocus) && m_grid.showsFocusRing();
    const QPalette& palette = option.palette;

    const QRect cell(option.rect.topLeft() + QPoint(halfGap, halfGap), m_grid.cellSize());
    const QRect box = m_grid.thumbBox().translated(cell.topLeft());
    const QRectF paper = pageRect(box, m_grid.pageSize(page));

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);

    const QRectF plate = paper.adjusted(-plateInset, -plateInset, plateInset, plateInset);
    if (hovered && !selected) {
        painter->fillPath(Shapes::continuousRect(plate, plateRadius),
                          Theme::withAlpha(Theme::primary(palette),
                                           Theme::isDark(palette) ? 0.08 : 0.05));
    }

    // A soft lift under the sheet, as paper lying on the page.
    const bool dark = Theme::isDark(palette);
    painter->fillRect(paper.adjusted(-0.5, 0.5, 0.5, 1.5), QColor(0, 0, 0, dark ? 70 : 14));
    painter->fillRect(paper.adjusted(0, 0, 0, 0.75), QColor(0, 0, 0, dark ? 50 : 12));

    painter->fillRect(paper, DS::paper());
    if (const std::optional<QImage> image = m_grid.thumbnail(page)) {
        drawTurned(*painter, paper, *image, m_grid.pageModel()->cell(page).quarterTurns);
    }

    if (selected && m_grid.picking() == PageGrid::Picking::selection) {
        painter->fillRect(paper, Theme::withAlpha(Theme::accent(palette), selectionTint));
        painter->setPen(QPen(Theme::accent(palette), markBorder));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(paper.adjusted(markBorder / 2.0, markBorder / 2.0, -markBorder / 2.0,
                                         -markBorder / 2.0));
    } else if (selected) {
        painter->fillRect(paper, Theme::withAlpha(DS::paperDown(), markOpacity));
        const qreal ratio = painter->device()->devicePixelRatioF();
        const QPixmap& mark = markPixmap(ratio);
        const QPointF centre = paper.center() - QPointF(markSymbol / 2.0, markSymbol / 2.0);
        painter->drawPixmap(centre, mark);
        painter->setPen(QPen(DS::paperDown(), markBorder));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(paper.adjusted(markBorder / 2.0, markBorder / 2.0, -markBorder / 2.0,
                                         -markBorder / 2.0));
    } else {
        painter->setPen(QPen(DS::paperEdge(), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(paper.adjusted(0.5, 0.5, -0.5, -0.5));
    }

    if (focused) {
        painter->setPen(QPen(Theme::withAlpha(Theme::accent(palette), 0.75), 2.5));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(Shapes::continuousRect(plate, plateRadius));
    }

    const QRect caption = m_grid.captionBox().translated(cell.topLeft());
    painter->setFont(Theme::monospacedDigits(Theme::font(TextStyle::caption)));
    painter->setPen(Theme::secondary(palette));
    const QString text = index.data(Qt::DisplayRole).toString();
    painter->drawText(caption, Qt::AlignHCenter | Qt::AlignTop,
                      painter->fontMetrics().elidedText(text, Qt::ElideMiddle, caption.width()));
    painter->restore();
}
