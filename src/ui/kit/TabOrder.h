#pragma once

class QWidget;

// The keyboard's path through a page: its controls in the order its layouts show them.
namespace TabOrder {

// Chains the controls under `root` that Tab stops on in the order its layouts show them (top to
// bottom, left to right, hidden ones included: Tab passes over them until they show); the
// window's chain around them stays as it was.
void followLayout(const QWidget& root);
// Scrolls every scroll area holding `widget` so that it is in view.
void reveal(QWidget* widget);

} // namespace TabOrder
