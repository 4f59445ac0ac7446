#include "ui/kit/DropZone.h"

#include "ui/kit/Button.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Theme.h"

#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr qreal lineWidth = 1.5;
constexpr int inner = 24;

} // namespace

DropZone::DropZone(const QString& icon, const QString& title, const QString& message,
                   QWidget* parent)
    : QWidget(parent), m_choose(new Button(tr("Dosya seç…"), Button::Kind::bordered, this))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(Metrics::pageSide + inner, inner, Metrics::pageSide + inner,
                               Metrics::dropZoneBottom + inner);
    column->setSpacing(12);
    column->addStretch(1);

    auto* symbol = new SymbolView(icon, 34, Tone::secondary, this);
    symbol->setWeight(SymbolWeight::light);
    symbol->setObjectName(QStringLiteral("icon"));
    column->addWidget(symbol, 0, Qt::AlignHCenter);

    auto* heading = Labels::text(title, TextStyle::title3, Tone::primary, this);
    heading->setFont(Theme::font(TextStyle::title3, QFont::Medium));
    heading->setAlignment(Qt::AlignCenter);
    heading->setObjectName(QStringLiteral("title"));
    column->addWidget(heading);

    auto* body = Labels::text(message, TextStyle::body, Tone::secondary, this);
    body->setAlignment(Qt::AlignCenter);
    body->setWordWrap(true);
    body->setObjectName(QStringLiteral("message"));
    column->addWidget(body);

    column->addWidget(m_choose, 0, Qt::AlignHCenter);
    column->addStretch(1);
    connect(m_choose, &QAbstractButton::clicked, this, &DropZone::chooseRequested);
}

QRectF DropZone::frameRect() const
{
    const qreal half = lineWidth / 2;
    return QRectF(rect()).adjusted(Metrics::pageSide + half, half, -Metrics::pageSide - half,
                                   -Metrics::dropZoneBottom - half);
}

void DropZone::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor line = Theme::primary(palette());
    line.setAlphaF(0.16F);
    QPen pen(line, lineWidth);
    // Qt measures dashes in line widths: 6 points on, 5 off.
    pen.setDashPattern({6 / lineWidth, 5 / lineWidth});
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(Shapes::continuousRect(frameRect(), Metrics::cardRadius));
}
