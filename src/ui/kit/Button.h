#pragma once

#include "ui/kit/Theme.h"

#include <QPushButton>
#include <optional>

class QPainter;
class QTimer;

// A push button drawn the same on every desktop: bordered, prominent (accent-filled) or borderless.
class Button : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(bool focusRing READ showsFocusRing)
public:
    enum class Kind { bordered, prominent, borderless };
    enum class Size { regular, large };

    Button(const QString& title, Kind kind = Kind::bordered, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    void setControlSize(Size size);
    // A symbol before the title (or alone, for an empty title), drawn in `tone`.
    void setSymbol(const QString& name, qreal side = 0, Tone tone = Tone::primary);
    QString symbol() const { return m_symbol; }
    // A small spinning indicator before the title.
    void setBusy(bool busy);
    bool isBusy() const { return m_busy; }
    // While busy: how far the work has come (0 to 1), drawn as a filling ring and a percentage
    // instead of the spinner; none: the spinner.
    void setBusyFraction(std::optional<qreal> fraction);
    std::optional<qreal> busyFraction() const { return m_busy ? m_fraction : std::nullopt; }
    // The percentage shown while busy with a fraction, in the interface language ("%42").
    QString busyPercent() const;
    // Sizes the button for its widest progress at all times, so that neither the spinner nor
    // the percentage widens it or moves what stands beside it.
    void setReservesProgress(bool reserves);
    // The focus ring shows while the button has the focus it was given from the keyboard.
    bool showsFocusRing() const { return m_keyboardFocus && hasFocus(); }
    // Drawn around the face, apart from it, so it reads against the window rather than the fill.
    QColor focusRingColor() const;
    // The face of a bordered button at rest, over the window.
    static QColor borderedFace(const QPalette& palette);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QFont titleFont() const;
    qreal symbolSide() const;
    int controlHeight() const;
    // How far the face sits inside the widget, leaving room for the focus ring around it.
    int faceInset() const;
    QColor contentColor() const;
    qreal busyWidth() const;
    qreal widestBusyWidth() const;
    void paintBusy(QPainter& painter, QPointF centre, const QColor& content) const;

    Kind m_kind;
    Size m_size = Size::regular;
    QString m_symbol;
    qreal m_symbolSide = 0;
    Tone m_symbolTone = Tone::primary;
    bool m_busy = false;
    std::optional<qreal> m_fraction;
    bool m_reservesProgress = false;
    bool m_keyboardFocus = false;
    int m_spin = 0;
    QTimer* m_spinner;
};
