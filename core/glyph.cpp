#include "core/glyph.h"

#include <algorithm>

namespace qxm {

namespace {

std::uint8_t Side(int side)
{
    return static_cast<std::uint8_t>(std::clamp(side, 1, kMaxCellSide));
}

} // namespace

Glyph::Glyph(int width, int height)
    : m_width(Side(width))
    , m_height(Side(height))
{
}

void Glyph::SetDot(int column, int row, bool lit)
{
    if (column < 0 || column >= m_width || row < 0 || row >= m_height)
        return;
    const std::uint32_t bit = std::uint32_t{1} << column;
    std::uint32_t &dots = m_rows[static_cast<std::size_t>(row)];
    dots = lit ? dots | bit : dots & ~bit;
}

Glyph InCell(const Glyph &glyph, CellSize cell)
{
    Glyph placed(cell.width, cell.height);
    for (int row = 0; row < cell.height; ++row) {
        for (int column = 0; column < cell.width; ++column)
            placed.SetDot(column, row, glyph.Dot(column, row));
    }
    return placed;
}

Glyph Trimmed(const Glyph &glyph, int blankWidth)
{
    int left = glyph.Width();
    int right = -1;
    for (int row = 0; row < glyph.Height(); ++row) {
        for (int column = 0; column < glyph.Width(); ++column) {
            if (glyph.Dot(column, row)) {
                left = std::min(left, column);
                right = std::max(right, column);
            }
        }
    }
    if (right < 0)
        return Glyph(blankWidth, glyph.Height());
    Glyph trimmed(right - left + 1, glyph.Height());
    for (int row = 0; row < glyph.Height(); ++row) {
        for (int column = left; column <= right; ++column)
            trimmed.SetDot(column - left, row, glyph.Dot(column, row));
    }
    return trimmed;
}

int BlankWidth(CellSize cell)
{
    return (cell.width + 1) / 2;
}

} // namespace qxm
