#include "ui/kit/RoundedField.h"

#include "ui/kit/Shapes.h"
#include "ui/kit/Theme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>

namespace {

constexpr qreal radius = 6;

} // namespace

RoundedField::RoundedField(QLineEdit* field, QWidget* parent) : QWidget(parent), m_field(field)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 3, 8, 3);
    row->addWidget(field);
    field->setFrame(false);
    // The field draws only its text; the rounded frame behind it is ours.
    QPalette clear = field->palette();
    clear.setColor(QPalette::Base, Qt::transparent);
    field->setPalette(clear);
    field->setAttribute(Qt::WA_MacShowFocusRect, false);
    field->installEventFilter(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

bool RoundedField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        update();
    }
    return false;
}

void RoundedField::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const bool dark = Theme::isDark(pal);
    const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const QPainterPath shape = Shapes::continuousRect(box, radius);
    painter.fillPath(shape, dark ? Theme::withAlpha(Qt::white, 0.06) : QColor(Qt::white));
    painter.setPen(QPen(Theme::outline(pal), 1));
    painter.drawPath(shape);
    if (m_field->hasFocus()) {
        painter.setPen(QPen(Theme::withAlpha(Theme::accent(pal), 0.55), 3));
        painter.drawPath(Shapes::continuousRect(box.adjusted(-0.5, -0.5, 0.5, 0.5), radius + 0.5));
    }
}
