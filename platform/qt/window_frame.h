// The frame that the window manager puts around the program's windows: the
// title bar and the borders.
#pragma once

#include <optional>

#include <QMargins>

class QWidget;

namespace involvo::qt {

// The frame of a top-level window as the window manager has drawn it; nothing
// while the window is not on screen, is maximised or has no frame, or the
// window manager has not told it yet.
std::optional<QMargins> DrawnFrame(const QWidget* window);

// The frame a window has or will have: its own once drawn, else that of
// another window of the program on screen (one of the same kind first);
// nothing when no window tells.
std::optional<QMargins> ExpectedFrame(const QWidget* window);

}  // namespace involvo::qt
