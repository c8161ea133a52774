#pragma once

class QLabel;

namespace widgets {

// Gives a placed label the largest font, up to the size it was created with, at which its whole
// text fits its rectangle (word-wrapped when the label wraps); 6 points at least.
void ShrinkToFit(QLabel* label);

} // namespace widgets
