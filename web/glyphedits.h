#pragma once

#include "core/glyph.h"
#include "core/glyphfont.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The glyphs the page's user has redrawn dot by dot, over whatever font is
// in use. Each is kept as drawn from the cell's top-left corner on a grid of
// the largest cell, and shows in any cell cut to it: a smaller cell hides
// the dots outside it, and a larger one shows them again.
class GlyphEdits
{
public:
    // The font with each edited glyph in place of its own.
    qxm::GlyphFont Apply(const qxm::GlyphFont &font) const;

    // Lights or darkens a dot of the code's glyph, the first time starting
    // from the font's glyph (none is a dark one). An edit that leaves the
    // glyph as the font has it is no edit.
    void SetDot(const qxm::GlyphFont &font, std::int16_t code, int column, int row, bool lit);

    // The code's glyph as the font has it again.
    void Restore(std::int16_t code) { m_glyphs.erase(code); }

    bool Edited(std::int16_t code) const { return m_glyphs.count(code) != 0; }
    std::size_t Count() const { return m_glyphs.size(); }

    // The edits as text for a link and for storage, compact: each glyph as
    // its code and its rows top first, down to its last lit one, each row a
    // number whose bit N is column N, in hexadecimal, an empty row as
    // nothing: "41_e.11.11.1f.11.11.11-42_...".
    std::string Text() const;
    // The edits from Text(); what does not read as one is left out, and
    // nothing read can take more than the 256 glyphs of a font.
    void SetText(std::string_view text);

private:
    std::map<std::int16_t, qxm::Glyph> m_glyphs;
};
