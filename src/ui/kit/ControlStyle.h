#pragma once

#include "ui/kit/Theme.h"

#include <QProxyStyle>

// The Fusion style with the theme's outlines: Fusion derives its edges from the window colour,
// which leaves a dark palette's check boxes, combo boxes and plain buttons without a visible edge.
class ControlStyle : public QProxyStyle {
    Q_OBJECT
public:
    ControlStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // Installs the style and the palette of `appearance` for the whole application.
    static void apply(Appearance appearance);

private:
    static void drawCheckBox(const QStyleOption& option, QPainter& painter);
    static void drawEdge(const QStyleOption& option, QPainter& painter, qreal radius);
};
