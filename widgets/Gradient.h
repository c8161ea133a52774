#pragma once

class QPainter;

namespace widgets {

// Paints the grey background gradient over the given width and height.
void PaintGradientBackground(QPainter& painter, int width, int height);

} // namespace widgets
