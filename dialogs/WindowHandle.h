#pragma once
// Window handles as the dialog class passes them around: 32-bit numbers.
//
// A handle is the low 32 bits of QWidget::winId(). X11 window ids use 29
// bits and Windows keeps window handles within 32 bits, so nothing is lost
// there; on platforms whose ids are wider or not unique (Wayland hands out
// small counters), the registered main window is matched first and any
// other handle falls back to QWidget::find, so an owner that cannot be
// found simply leaves the dialog without a parent.

#include <QtGui/qwindowdefs.h>

#include <cstdint>

class QWidget;

namespace velkrant::WindowHandle {

/// The handle of `widget`'s native window, created on demand; 0 for null.
///
///     const std::int32_t owner = WindowHandle::Of(&mainWindow);
std::int32_t Of(QWidget* widget);

/// The widget a handle stands for, or null when no live widget has it.
QWidget* ToWidget(std::int32_t handle);

/// Remembers the program's main window (null forgets it). It is tracked
/// weakly: once the window is destroyed, the main handle reads 0.
void SetMainWindow(QWidget* window);

/// The main window's handle, or 0 when none is registered.
std::int32_t MainWindow();

}  // namespace velkrant::WindowHandle
