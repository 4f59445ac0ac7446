#pragma once

#include "ui/kit/Theme.h"

#include <QLabel>
#include <optional>

// A label in a text style whose colour follows the palette through a tone.
class ToneLabel : public QLabel {
    Q_OBJECT
public:
    ToneLabel(const QString& text, TextStyle style, Tone tone, QWidget* parent = nullptr);

    void setTone(Tone tone);
    // A fixed colour instead of a tone.
    void setColor(const QColor& color);
    Tone tone() const { return m_tone; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyColor();
    void reserveAccentRoom();

    Tone m_tone;
    int m_accentRoom = 0;
    std::optional<QColor> m_color;
    bool m_applying = false;
};

// Small text helpers shared by the screens.
namespace Labels {

ToneLabel* text(const QString& text, TextStyle style, Tone tone = Tone::primary,
                QWidget* parent = nullptr);
// The section-label style: subheadline, medium weight, secondary colour.
ToneLabel* overline(const QString& text, QWidget* parent = nullptr);

} // namespace Labels

// Attaches `text` as the accessibility hint (description) of a control.
void hint(QWidget* widget, const QString& text);

// A one-line label that shortens its text with an ellipsis instead of growing.
class ElidedLabel : public ToneLabel {
    Q_OBJECT
public:
    ElidedLabel(const QString& text, TextStyle style, Tone tone,
                Qt::TextElideMode mode = Qt::ElideMiddle, QWidget* parent = nullptr);

    QString fullText() const { return m_full; }
    QString shownText() const;
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_full;
    Qt::TextElideMode m_mode;
};
