#pragma once

#include <QString>

class QWidget;

// Our own hover tips in place of the platform's tooltips, for every widget of the application.
namespace HoverTips {

// Installs the application-wide filter (once): Qt's tooltip events are swallowed
// and any widget with a tooltip text shows it in the shared tip window after resting 0.35 s.
void install();

} // namespace HoverTips

// Gives `widget` a hover tip (its tooltip text, also read by accessibility tools).
void tip(QWidget* widget, const QString& text);
