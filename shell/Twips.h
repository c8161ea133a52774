#pragma once

class QWidget;

namespace shell {

// Windows laid out in twips grow with the screen: by the factor a 1024 × 768 screen would grow to
// fill the window's screen (1 on smaller screens), their fonts with them.
double FormScale(const QWidget* window);

// Places a control at a rectangle given in twips (left, top, width, height).
void PlaceTwips(QWidget* control, int left, int top, int width, int height);

// Fixes a window's client area to a size given in twips.
void FixClientTwips(QWidget* window, int width, int height);

// Gives a window laid out in twips the small sans-serif font its layout was made for.
void UseFormFont(QWidget* window);

} // namespace shell
