#pragma once

#include "ui/kit/Icons.h"
#include "ui/kit/Theme.h"

#include <QWidget>
#include <optional>

// One symbol drawn at a fixed size, in a tone that follows the palette or in a fixed colour.
class SymbolView : public QWidget {
    Q_OBJECT
public:
    SymbolView(QString name, qreal side, Tone tone, QWidget* parent = nullptr);

    void setSymbol(const QString& name);
    QString symbol() const { return m_name; }
    void setTone(Tone tone);
    void setColor(const QColor& color); // a fixed colour instead of a tone
    void setWeight(SymbolWeight weight);
    // The frame the symbol is centred in; by default a square of its side.
    void setFrameSize(QSize size);
    QColor currentColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    qreal m_side;
    Tone m_tone;
    std::optional<QColor> m_color;
    SymbolWeight m_weight = SymbolWeight::regular;
    QSize m_frame;
};
