#pragma once

#include "core/chardata.h"
#include "core/codepage.h"
#include "core/glyphfont.h"
#include "core/runtimeerror.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qxm {

struct Preview
{
    // Top row first; '#' a lit dot, '.' a dark one, glyphs one dark column apart.
    std::array<std::string, kGlyphRows> rows;
    // Set when the text stops a run of qxm-convert; the picture then shows the
    // characters before the stop, just as the font data lines would.
    std::optional<RunTimeError> error;
};

// What the display shows for the text, in the font; a code without a glyph
// shows dark.
Preview PreviewText(const GlyphFont &font, const CodePage &codePage, std::u16string_view text);

} // namespace qxm
