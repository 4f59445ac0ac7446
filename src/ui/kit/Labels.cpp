#include "ui/kit/Labels.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

ToneLabel::ToneLabel(const QString& text, TextStyle style, Tone tone, QWidget* parent)
    : QLabel(text, parent), m_tone(tone)
{
    setFont(Theme::font(style));
    applyColor();
    reserveAccentRoom();
}

// Capitals with an accent above them (the dot of "İ") reach past the font's ascent; a label exactly
// one line tall would cut the accent off, so the label keeps that much room above its text.
void ToneLabel::reserveAccentRoom()
{
    const QFontMetrics metrics(font());
    const int above = std::max(0, -metrics.boundingRect(QChar(0x130)).top() - metrics.ascent());
    QMargins margins = contentsMargins();
    margins.setTop(std::max(0, margins.top() - m_accentRoom) + above);
    m_accentRoom = above;
    setContentsMargins(margins);
}

void ToneLabel::setTone(Tone tone)
{
    m_tone = tone;
    m_color.reset();
    applyColor();
}

void ToneLabel::setColor(const QColor& color)
{
    m_color = color;
    applyColor();
}

void ToneLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange) {
        applyColor();
    } else if (event->type() == QEvent::FontChange) {
        reserveAccentRoom();
    }
}

void ToneLabel::applyColor()
{
    if (m_applying) {
        return;
    }
    m_applying = true;
    // The tone is resolved against the inherited palette, not our own, whose
    // text colour this very function overrides.
    const QPalette inherited = parentWidget() ? parentWidget()->palette() : QApplication::palette();
    QPalette own = palette();
    const QColor color = m_color ? *m_color : Theme::color(m_tone, inherited);
    own.setColor(QPalette::WindowText, color);
    own.setColor(QPalette::Text, color);
    setPalette(own);
    m_applying = false;
}

namespace Labels {

ToneLabel* text(const QString& text, TextStyle style, Tone tone, QWidget* parent)
{
    return new ToneLabel(text, style, tone, parent);
}

ToneLabel* overline(const QString& text, QWidget* parent)
{
    auto* label = new ToneLabel(text, TextStyle::subheadline, Tone::secondary, parent);
    label->setFont(Theme::font(TextStyle::subheadline, QFont::Medium));
    return label;
}

} // namespace Labels

void hint(QWidget* widget, const QString& text)
{
    widget->setAccessibleDescription(text);
}

ElidedLabel::ElidedLabel(const QString& text, TextStyle style, Tone tone, Qt::TextElideMode mode,
                         QWidget* parent)
    : ToneLabel(text, style, tone, parent), m_full(text), m_mode(mode)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setToolTip(QString());
    setAccessibleName(text);
}

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(m_full, m_mode, contentsRect().width());
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")) * 4,
            fontMetrics().height() + margins.top() + margins.bottom()};
}

QSize ElidedLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(m_full) + 2 + margins.left() + margins.right(),
            fontMetrics().height() + margins.top() + margins.bottom()};
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // On a whole-pixel baseline: centring the line's fractional height put it half a pixel off,
    // where the hinted glyphs smear (the dot of a small "İ" ran into its stem).
    const QFontMetrics metrics = fontMetrics();
    const QString shown = shownText();
    const QRect line =
        QStyle::alignedRect(layoutDirection(), alignment(),
                            QSize(metrics.horizontalAdvance(shown), metrics.height()),
                            contentsRect());
    painter.drawText(QPoint(line.left(), line.top() + metrics.ascent()), shown);
}
