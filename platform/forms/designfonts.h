#pragma once

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

} // namespace qxm
