#include "ui/kit/Card.h"

#include "ui/kit/Shapes.h"
#include "ui/kit/Theme.h"

#include <QPainter>
#include <QVBoxLayout>

Card::Card(int padding, QWidget* parent) : QFrame(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->setSpacing(0);
}

void Card::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = Shapes::continuousRect(frame, Metrics::cardRadius);
    painter.fillPath(shape, DS::surface(palette()));
    painter.setPen(QPen(DS::hairline(palette()), 1));
    painter.drawPath(shape);
}

Card* surface(QWidget* content, int padding)
{
    auto* card = new Card(padding);
    card->layout()->addWidget(content);
    return card;
}
