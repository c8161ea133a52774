#pragma once

class QToolBar;
class QWidget;

namespace widgets {

// Gives every operable control under root that has no accessible name one: the text of the label
// whose buddy it is or a button's own caption (without "&"), else its tooltip; a tooltip that is
// not the name becomes the description.
void ApplyAccessibleNames(QWidget* root);

// A toolbar usable without a mouse: each button is named by its action's tooltip and reached by
// Tab, as is the button that shows the buttons that do not fit.
void MakeToolbarAccessible(QToolBar* bar);

} // namespace widgets
