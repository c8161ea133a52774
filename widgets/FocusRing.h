#pragma once

class QApplication;
class QWidget;

namespace widgets {

// A frame drawn around whichever control has the keyboard focus, in every window of the
// application, whether or not the style shows the focus (many show it only after a key moved it).
void ShowFocusAlways(QApplication& app);

// The frame around `control`, when it has the focus; for tests.
QWidget* FocusRingOf(const QWidget* control);

} // namespace widgets
