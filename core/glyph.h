#pragma once

#include <array>
#include <cstdint>

namespace qxm {

// A row of dots fits one 32-bit word, which bounds every cell and keeps a
// glyph a small value without allocations, whatever a font file claims.
constexpr int kMaxCellSide = 32;

// A display's character cell, in dots.
struct CellSize
{
    int width = 5;
    int height = 7;

    friend bool operator==(CellSize a, CellSize b) { return a.width == b.width && a.height == b.height; }
    friend bool operator!=(CellSize a, CellSize b) { return !(a == b); }
};

// The display QXM was made for: 5 columns by 7 rows.
constexpr CellSize kDesignCell{5, 7};

// One character's dots: Width() columns, the leftmost 0, by Height() rows,
// the top 0.
class Glyph
{
public:
    Glyph() = default;
    // All dark; sides are kept within 1 to kMaxCellSide.
    Glyph(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Whether the dot is lit: every reader of a glyph's dots goes through
    // this one. A dot outside the grid is dark, so a glyph reads the same
    // placed in a larger cell.
    bool Dot(int column, int row) const
    {
        return column >= 0 && column < m_width && row >= 0 && row < m_height
               && ((m_rows[static_cast<std::size_t>(row)] >> column) & 1U) != 0;
    }
    // Dots outside the grid are not kept.
    void SetDot(int column, int row, bool lit = true);

    friend bool operator==(const Glyph &a, const Glyph &b)
    {
        return a.m_width == b.m_width && a.m_height == b.m_height && a.m_rows == b.m_rows;
    }

private:
    std::uint8_t m_width = 0;
    std::uint8_t m_height = 0;
    std::array<std::uint32_t, kMaxCellSide> m_rows{};
};

// The rectangle of a glyph's lit dots; all zero where it has none.
struct DotBox
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
DotBox LitBox(const Glyph &glyph);

// The glyph in the top-left corner of a cell, cut to it.
Glyph InCell(const Glyph &glyph, CellSize cell);

// For proportional text: only the columns from the leftmost lit dot to the
// rightmost; a glyph without dots keeps blankWidth dark columns.
Glyph Trimmed(const Glyph &glyph, int blankWidth);

// The dark width a proportional space keeps: half the cell, rounded up, so
// that with the gap after it a word break still shows.
int BlankWidth(CellSize cell);

} // namespace qxm
