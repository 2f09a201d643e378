#pragma once

#include "core/codepage.h"
#include "core/glyphfont.h"
#include "core/runtimeerror.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qxm {

struct Preview
{
    // One per dot row of the cell, top first; '#' a lit dot, '.' a dark one,
    // glyphs one dark column apart.
    std::vector<std::string> rows;
    // Set when the text stops a run of qxm-convert; the picture then shows the
    // characters before the stop, just as the font data lines would.
    std::optional<RunTimeError> error;
};

// What the display shows for the text, in the font; a code without a glyph
// shows dark.
Preview PreviewText(const GlyphFont &font, const CodePage &codePage, std::u16string_view text);

} // namespace qxm
