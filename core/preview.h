#pragma once

#include "core/codepage.h"
#include "core/glyphfont.h"
#include "core/runtimeerror.h"

#include <cstddef>
#include <cstdint>
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

// The same picture, drawn a range of columns at a time: a long text's is
// hundreds of thousands of columns wide, millions in a large cell, of which
// a view shows a few hundred. It keeps where each glyph starts, so a range
// costs its own size, not the text's.
class PreviewStrip
{
public:
    PreviewStrip() = default;
    PreviewStrip(const GlyphFont &font, const CodePage &codePage, std::u16string_view text);

    std::size_t Columns() const { return m_columns; }
    int Rows() const { return m_font.cell.height; }
    // As Preview's.
    const std::optional<RunTimeError> &Error() const { return m_error; }

    // Columns first to first + count - 1, cut at the picture's end: one
    // string per dot row, top first, as Preview's rows.
    std::vector<std::string> Window(std::size_t first, std::size_t count) const;

    // The code of the glyph drawn in the column; -1 for the dark column
    // between two glyphs and past the end.
    std::int16_t CodeAt(std::size_t column) const;

private:
    // The glyph that starts at or before the column.
    std::size_t GlyphAt(std::size_t column) const;

    GlyphFont m_font;
    std::vector<std::int16_t> m_codes;   // each character's, up to a stop
    std::vector<std::uint32_t> m_starts; // the first column of each one's glyph
    std::size_t m_columns = 0;
    std::optional<RunTimeError> m_error;
};

} // namespace qxm
