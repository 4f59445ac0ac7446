#include "ui/kit/BrandHeader.h"

#include "ui/kit/BrandMark.h"
#include "ui/kit/Button.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/Theme.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A plain (frameless) button whose face is the mark, name and version; reached with Tab, it shows
// the focus ring around them.
class PlainButton : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!m_keyboardFocus || !hasFocus()) {
            return;
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Theme::accent(palette()), BrandHeader::ringWidth));
        const qreal half = BrandHeader::ringWidth / 2.0;
        painter.drawPath(
            Shapes::continuousRect(QRectF(rect()).adjusted(half, half, -half, -half), 7));
    }
    void focusInEvent(QFocusEvent* event) override
    {
        m_keyboardFocus = event->reason() == Qt::TabFocusReason ||
                          event->reason() == Qt::BacktabFocusReason;
        QToolButton::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        m_keyboardFocus = false;
        QToolButton::focusOutEvent(event);
    }

private:
    bool m_keyboardFocus = false;
};

} // namespace

BrandHeader::BrandHeader(const QString& version, QWidget* parent)
    : QWidget(parent), m_about(new PlainButton(this)),
      m_settings(new Button(QString(), Button::Kind::borderless, this))
{
    auto* face = new QHBoxLayout(m_about);
    const int room = ringWidth + 2;
    face->setContentsMargins(room, room, room + 2, room);
    face->setSpacing(8);
    auto* mark = new BrandMark(22, m_about);
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    face->addWidget(mark);

    auto* names = new QVBoxLayout;
    names->setSpacing(0);
    auto* name = Labels::text(QStringLiteral("Leaflow"), TextStyle::body, Tone::primary, m_about);
    name->setFont(Theme::systemFont(14, QFont::Bold));
    auto* versionLabel =
        Labels::text(QStringLiteral("v") + version, TextStyle::caption, Tone::secondary, m_about);
    for (QWidget* label : {static_cast<QWidget*>(name), static_cast<QWidget*>(versionLabel)}) {
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        names->addWidget(label);
    }
    face->addLayout(names);
    m_about->setObjectName(QStringLiteral("about"));
    m_about->setCursor(Qt::PointingHandCursor);
    m_about->setAccessibleName(QStringLiteral("Leaflow"));
    m_about->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_about->setFixedSize(face->sizeHint());
    hint(m_about, tr("Leaflow hakkında"));

    m_settings->setSymbol(QStringLiteral("gearshape"), 15, Tone::secondary);
    m_settings->setAccessibleName(tr("Ayarlar"));
    tip(m_settings,
        tr("Ayarlar (%1)")
            .arg(QKeySequence(Qt::CTRL | Qt::Key_Comma).toString(QKeySequence::NativeText)));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(m_about);
    row->addStretch(1);
    row->addWidget(m_settings, 0, Qt::AlignVCenter);

    connect(m_about, &QAbstractButton::clicked, this, &BrandHeader::aboutRequested);
    connect(m_settings, &QAbstractButton::clicked, this, &BrandHeader::settingsRequested);
}
