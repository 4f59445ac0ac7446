#include "ui/screens/sign/InkPicker.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/ButtonAccess.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Theme.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>

namespace {

constexpr qreal trackRadius = 6;

// The rounded track the segments sit in.
class Track : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor fill = Theme::primary(palette());
        fill.setAlphaF(Theme::isDark(palette()) ? 0.1F : 0.06F);
        QColor edge = Theme::primary(palette());
        edge.setAlphaF(0.12F);
        painter.setPen(QPen(edge, 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), trackRadius,
                                trackRadius);
    }
};

// One choice of two: a radio button to assistive technology, not the check box Qt makes of a
// checkable button.
class SegmentAccess : public ButtonAccess {
public:
    explicit SegmentAccess(InkSegment* segment) : ButtonAccess(segment, QAccessible::RadioButton) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? button()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }
};

QString inkTitle(InkColor ink)
{
    switch (ink) {
    case InkColor::blue: return InkPicker::tr("Mavi");
    case InkColor::black: break;
    }
    return InkPicker::tr("Siyah");
}

} // namespace

InkSegment::InkSegment(const QString& title, QWidget* parent) : QAbstractButton(parent)
{
    Accessible::provide("InkSegment", [](QObject* segment) {
        return new SegmentAccess(static_cast<InkSegment*>(segment));
    });
    setText(title);
    setCheckable(true);
    setFont(Theme::font(TextStyle::body));
    setFocusPolicy(Qt::TabFocus);
}

QSize InkSegment::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 24, metrics.height() + 8};
}

void InkSegment::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool dark = Theme::isDark(palette());
    if (isChecked()) {
        const QRectF chip = QRectF(rect()).adjusted(2, 2, -2, -2);
        painter.setPen(Qt::NoPen);
        if (!dark) {
            painter.setBrush(QColor(0, 0, 0, 22));
            painter.drawRoundedRect(chip.translated(0, 0.5), trackRadius - 2, trackRadius - 2);
        }
        painter.setBrush(dark ? QColor(255, 255, 255, 58) : QColor(Qt::white));
        painter.drawRoundedRect(chip, trackRadius - 2, trackRadius - 2);
    }
    QColor text = Theme::primary(palette());
    if (!isChecked()) {
        text.setAlphaF(0.8F);
    }
    painter.setPen(text);
    painter.drawText(rect(), Qt::AlignCenter, this->text());
}

InkPicker::InkPicker(QWidget* parent)
    : QWidget(parent), m_track(new Track), m_group(new QButtonGroup(this))
{
    Accessible::setRole(this, QAccessible::Grouping);
    setAccessibleName(tr("Mürekkep"));
    auto* segments = new QHBoxLayout(m_track);
    segments->setContentsMargins(0, 0, 0, 0);
    segments->setSpacing(0);
    for (InkColor ink : {InkColor::black, InkColor::blue}) {
        auto* segment = new InkSegment(inkTitle(ink));
        m_group->addButton(segment, static_cast<int>(ink));
        segments->addWidget(segment);
        m_segments.append(segment);
        connect(segment, &QAbstractButton::clicked, this, [this, ink] {
            if (ink != m_ink) {
                m_ink = ink;
                emit inkChanged(ink);
            }
        });
    }
    m_segments.first()->setChecked(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(Labels::text(tr("Mürekkep"), TextStyle::body));
    row->addWidget(m_track);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

InkSegment* InkPicker::segment(InkColor ink) const
{
    return m_segments.value(ink == InkColor::black ? 0 : 1);
}

void InkPicker::setInk(InkColor ink)
{
    segment(ink)->setChecked(true);
    if (ink != m_ink) {
        m_ink = ink;
        emit inkChanged(ink);
    }
}
