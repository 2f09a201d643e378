#pragma once

class QLabel;
class QWidget;

namespace qxm {

// How the windows present themselves to screen readers, where Qt's own view
// of a widget is not the window's: a window is a window (or a dialog), with
// its parts as children and nothing that only decorates it. Installed once,
// by the first window.
void PresentFormsToScreenReaders();

// Leaves a part that only decorates its window (a line, a box drawn around
// other parts) out of what screen readers show of the window.
void HideFromScreenReaders(QWidget &part);

// A label whose text screen readers read out as soon as it appears, as they
// read a notification: for a message the user must not miss while typing on.
// It is heard each time it is shown, not each time its text changes.
void AnnounceWhenShown(QLabel &label);

} // namespace qxm
