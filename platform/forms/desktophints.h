#pragma once

class QWidget;

// What a window tells the desktop where Qt has no call for it. Each is told
// before the window is mapped, so call it as the window is being shown; on
// a desktop without these hints it does nothing.
namespace qxm {

// Asks for the window to stay out of the taskbar (_NET_WM_STATE_SKIP_TASKBAR
// on X11).
void SkipTaskbar(QWidget &window);

// Gives the desktop the window's own caption, also an empty one, for which
// Qt would name the program instead.
void ShowExactCaption(QWidget &window);

} // namespace qxm
