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

DotBox LitBox(const Glyph &glyph)
{
    int left = glyph.Width(), right = -1, top = glyph.Height(), bottom = -1;
    for (int row = 0; row < glyph.Height(); ++row) {
        for (int column = 0; column < glyph.Width(); ++column) {
            if (glyph.Dot(column, row)) {
                left = std::min(left, column);
                right = std::max(right, column);
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
        }
    }
    return right < 0 ? DotBox{} : DotBox{left, top, right - left + 1, bottom - top + 1};
}

Glyph Trimmed(const Glyph &glyph, int blankWidth)
{
    const DotBox box = LitBox(glyph);
    if (box.width == 0)
        return Glyph(blankWidth, glyph.Height());
    Glyph trimmed(box.width, glyph.Height());
    for (int row = 0; row < glyph.Height(); ++row) {
        for (int column = 0; column < box.width; ++column)
            trimmed.SetDot(column, row, glyph.Dot(box.left + column, row));
    }
    return trimmed;
}

int BlankWidth(CellSize cell)
{
    return (cell.width + 1) / 2;
}

} // namespace qxm
