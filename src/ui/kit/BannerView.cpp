#include "ui/kit/BannerView.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/Button.h"
#include "ui/kit/HoverTips.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Shapes.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Theme.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>

namespace {

constexpr int insideX = 12;
constexpr int insideY = 8;
// A shortened name keeps at least this many characters' room; with less beside the rest of the
// text it takes a line of its own.
constexpr int shortestName = 12;
// Text measured in pieces can come out a pixel or two narrower than laid out whole.
constexpr int measureSlack = 4;

// The name in the text that can be long: the output's, or the folder's that holds several.
QString outputName(const Banner& banner)
{
    if (banner.outputs.isEmpty()) {
        return {};
    }
    const QFileInfo first(banner.outputs.first());
    const QString name = banner.outputs.size() == 1 ? first.fileName()
                                                    : first.absoluteDir().dirName();
    return banner.text.contains(name) ? name : QString();
}

QString symbol(Banner::Kind kind)
{
    switch (kind) {
    case Banner::Kind::information: return QStringLiteral("info.circle");
    case Banner::Kind::error: return QStringLiteral("exclamationmark.triangle.fill");
    case Banner::Kind::success: break;
    }
    return QStringLiteral("checkmark.circle.fill");
}

Tone tone(Banner::Kind kind)
{
    switch (kind) {
    case Banner::Kind::information: return Tone::accent;
    case Banner::Kind::error: return Tone::down;
    case Banner::Kind::success: break;
    }
    return Tone::up;
}

} // namespace

BannerView::BannerView(const Banner& banner, QWidget* parent)
    : QWidget(parent), m_banner(banner), m_name(outputName(banner))
{
    // Spoken whole as it appears, whatever the width shortens on screen.
    Accessible::setRole(this, QAccessible::AlertMessage);
    setAccessibleName(banner.text);
    auto* row = new QHBoxLayout(this);
    row->setSpacing(10);
    placeContents();

    auto* icon = new SymbolView(symbol(banner.kind), 16, tone(banner.kind), this);
    icon->setObjectName(QStringLiteral("icon"));
    row->addWidget(icon, 0, Qt::AlignVCenter);

    auto* text = Labels::text(banner.text, TextStyle::body, Tone::primary, this);
    text->setObjectName(QStringLiteral("text"));
    text->setFont(Theme::monospacedDigits(Theme::font(TextStyle::body)));
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Tab reaches the message itself, so it can be read again and copied without the pointer.
    text->setFocusPolicy(Qt::StrongFocus);
    // Keeps the height-for-width that word wrapping gave the label; without it the layouts sized
    // the text for a guessed width (three lines high for one line of text).
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    text->setSizePolicy(policy);
    text->setAccessibleName(banner.text);
    m_text = text;
    text->installEventFilter(this);
    row->addWidget(text, 1);

    // Parts of a split are opened from the file manager, not a viewer each.
    if (banner.outputs.size() == 1) {
        m_open = new Button(tr("Aç"), Button::Kind::bordered, this);
        row->addWidget(m_open, 0, Qt::AlignVCenter);
        connect(m_open, &QAbstractButton::clicked, this,
                [this] { emit openRequested(m_banner.outputs.first()); });
    }
    if (!banner.outputs.isEmpty()) {
        m_reveal = new Button(tr("Finder'da göster"), Button::Kind::bordered, this);
        row->addWidget(m_reveal, 0, Qt::AlignVCenter);
        connect(m_reveal, &QAbstractButton::clicked, this,
                [this] { emit revealRequested(m_banner.outputs); });
    }

    // Made last, so that Tab reaches the message and its actions before it.
    m_close = new Button(QString(), Button::Kind::borderless, this);
    m_close->setSymbol(QStringLiteral("xmark"), 12, Tone::secondary);
    m_close->setAccessibleName(tr("Kapat"));
    tip(m_close, tr("Kapat"));
    row->addWidget(m_close, 0, Qt::AlignVCenter);
    connect(m_close, &QAbstractButton::clicked, this, &BannerView::dismissed);
}

void BannerView::setTrailingInset(int inset)
{
    if (inset != m_inset) {
        m_inset = inset;
        placeContents();
        update();
    }
}

void BannerView::placeContents()
{
    layout()->setContentsMargins(Metrics::pageSide + insideX, insideY,
                                 Metrics::pageSide + insideX + m_inset,
                                 insideY + Metrics::headerBottom);
}

bool BannerView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::Resize) {
        showText();
    }
    return QWidget::eventFilter(watched, event);
}

void BannerView::showText()
{
    const QString& full = m_banner.text;
    const QFontMetrics metrics = m_text->fontMetrics();
    const int room = m_text->contentsRect().width() - measureSlack;
    QString shown = full;
    if (!m_name.isEmpty() && room > 0 && metrics.horizontalAdvance(full) > room) {
        const qsizetype at = full.indexOf(m_name);
        const QString before = full.left(at);
        const QString after = full.mid(at + m_name.size());
        int nameRoom = room - metrics.horizontalAdvance(before + after);
        if (nameRoom < metrics.averageCharWidth() * shortestName) {
            nameRoom = room;
        }
        shown = before + metrics.elidedText(m_name, Qt::ElideMiddle, nameRoom) + after;
    }
    if (shown != m_text->text()) {
        m_text->setText(shown);
        // The whole name stays within reach of the pointer.
        m_text->setToolTip(shown == full ? QString() : full);
        fitHeight();
    }
}

void BannerView::fitHeight()
{
    // A page's layout would otherwise stretch the banner where its content cannot take the
    // room, and squeeze it below its lines where the window is short.
    const int height = layout()->totalHeightForWidth(width());
    if (height > 0 && (minimumHeight() != height || maximumHeight() != height)) {
        setFixedHeight(height);
    }
}

void BannerView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitHeight();
}

void BannerView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitHeight();
    }
}

void BannerView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_announced) {
        m_announced = true;
        Accessible::alert(this);
    }
}

void BannerView::setOpaque(bool opaque)
{
    m_opaque = opaque;
    update();
}

void BannerView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor tint = Theme::color(tone(m_banner.kind), palette());
    const QRectF box = QRectF(rect()).adjusted(Metrics::pageSide + 0.5, 0.5,
                                               -Metrics::pageSide - m_inset - 0.5,
                                               -Metrics::headerBottom - 0.5);
    const QPainterPath shape = Shapes::continuousRect(box, Metrics::cardRadius);
    QColor fill = tint;
    fill.setAlphaF(static_cast<float>(Theme::isDark(palette()) ? darkFill : lightFill));
    QColor edge = tint;
    edge.setAlphaF(0.28F);
    if (m_opaque) {
        painter.fillPath(shape, DS::canvas(palette()));
    }
    painter.fillPath(shape, fill);
    painter.setPen(QPen(edge, 1));
    painter.drawPath(shape);
}
