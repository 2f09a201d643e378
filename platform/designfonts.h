#pragma once

namespace qxm {

// The windows are designed around Windows fonts that Linux desktops lack.
// Point Qt at metric-compatible fonts first, so the texts fit the designed
// control sizes; where none is installed Qt falls back as usual.
void InstallFontSubstitutes();

} // namespace qxm
