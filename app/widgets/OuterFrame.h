#pragma once
// A window's outer frame, as the window manager draws it.

#include <QRect>

class QWidget;

namespace velkrant::OuterFrame {

/// The outer frame of top-level `window` in logical pixels: its position
/// and size with the window manager's frame. Under X11 the X server is
/// asked directly: the toolkit learns of a frame only from the next
/// configure event after it was added, which a window manager need not
/// send, and until one comes the toolkit takes the window for frameless.
/// Elsewhere, and for a window not shown yet, the toolkit's own answer.
///
///     const QRect frame = OuterFrame::Of(mainWindow);  // (409, 248, 463 x 192) under openbox
QRect Of(const QWidget& window);

/// Moves top-level `window` so that its outer frame's top-left corner is
/// at `topLeft`; before the frame is known, the window manager is asked
/// to put its frame there.
///
///     OuterFrame::MoveTo(mainWindow, {409, 248});
void MoveTo(QWidget& window, QPoint topLeft);

}  // namespace velkrant::OuterFrame
