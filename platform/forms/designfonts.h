#pragma once

#include <functional>

class QFont;
class QLabel;
class QWidget;

namespace qxm {

// The windows are designed around Windows fonts that Linux desktops lack.
// Point Qt at metric-compatible fonts first, so the texts fit the designed
// control sizes; where none is installed Qt falls back as usual.
void InstallFontSubstitutes();

// Makes the Windows dialog font the windows were drawn with, MS Sans Serif 8 pt, every
// window's default (tool tips and message boxes included), with the
// substitutes above installed. Without it, a desktop whose default font is
// missing may fall back to a monospace one.
void SetApplicationDesignFont();

// Gives a control the font, or where the text then does not fit (a stand-in
// font wider than the design's) the largest smaller size, in steps of a
// quarter point down to half the size, for which fits() holds: a text is
// never cut or covered for want of the design's fonts.
void FitFont(QWidget &control, QFont font, const std::function<bool()> &fits);

// The same for a word-wrapping label: all of its lines within its height.
void FitWrappedLabel(QLabel &label, const QFont &font);

} // namespace qxm
