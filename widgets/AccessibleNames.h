#pragma once

class QWidget;

namespace widgets {

// Gives every operable control under root that has no accessible name one: the text of the label
// whose buddy it is (without "&"), else its tooltip.
void ApplyAccessibleNames(QWidget* root);

} // namespace widgets
